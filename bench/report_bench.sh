#!/usr/bin/env bash
# The command line's speed: `lumetra report` timed from the start of the process to its exit, on
# a calibration file of 10 standards and 100 000 samples (tab-separated and JSON) and on a small
# one (5 standards, 3 samples). Each case runs RUNS times, interleaved so that machine noise falls
# on all alike; prints a Markdown table of min / median / max wall and CPU time with the target
# of each.
# The files are written into a temporary folder; builds nothing; needs no display.
#
# Usage: bench/report_bench.sh [-n RUNS] BUILD_DIR|LUMETRA
# RUNS defaults to $REPORT_RUNS or 20.
set -euo pipefail

runs=${REPORT_RUNS:-20}
usage() {
    sed -n '9,10s/^# \{0,1\}//p' "$0" >&2
    exit 2
}
while getopts "n:h" option; do
    case $option in
        n) runs=$OPTARG ;;
        *) usage ;;
    esac
done
shift $((OPTIND - 1))
[[ $# -eq 1 && $runs =~ ^[1-9][0-9]*$ ]] || usage
lumetra=$1
[[ -d $lumetra ]] && lumetra=$lumetra/app/lumetra
[[ -x $lumetra ]] || { echo "no program at $lumetra" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# calibration STANDARDS SAMPLES: a .lumetra file on standard output. Readings of two to four
# absorbances inside the range, names with Chinese characters, a dilution on every third.
calibration() {
    awk -v standards="$1" -v samples="$2" 'BEGIN {
        printf "{\n    \"format\": \"lumetra-calibration\",\n    \"version\": 1,\n"
        printf "    \"unit\": \"mg/L\",\n    \"standards\": [\n"
        for (i = 0; i < standards; i++) {
            printf "        {\"C\": \"%g\", \"A\": \"%.3f\"}%s\n", i * 0.5, 0.012 + 0.0437 * i + (i % 3 - 1) * 0.002, i + 1 < standards ? "," : ""
        }
        printf "    ],\n    \"samples\": [\n"
        srand(7)
        for (i = 0; i < samples; i++) {
            m = 2 + i % 3
            readings = ""
            for (k = 0; k < m; k++) {
                readings = readings (k ? " " : "") sprintf("%.3f", 0.05 + rand() * 0.3)
            }
            printf "        {\"name\": \"样品 %d\", \"readings\": \"%s\", \"dilution\": \"%s\"}%s\n", i + 1, readings, i % 3 == 0 ? "2.5" : "", i + 1 < samples ? "," : ""
        }
        printf "    ]\n}\n"
    }'
}
calibration 10 100000 >"$work/large.lumetra"
calibration 5 3 >"$work/small.lumetra"

# Every case must succeed before it is timed.
names=("10 standards, 100 000 samples, tab-separated" "10 standards, 100 000 samples, --json"
       "5 standards, 3 samples, tab-separated")
commands=("report $work/large.lumetra" "report $work/large.lumetra --json" "report $work/small.lumetra")
targets=(500 500 50)
for c in "${!commands[@]}"; do
    # shellcheck disable=SC2086
    "$lumetra" ${commands[c]} >/dev/null || { echo "failed: lumetra ${commands[c]}" >&2; exit 1; }
done

# Bash's own `time` measures the child from fork to exit: wall time, and the CPU time of user
# and system, the steadier figure on a shared machine.
TIMEFORMAT='%R %U %S'
declare -A wall cpu
for ((run = 0; run < runs; run++)); do
    for c in "${!commands[@]}"; do
        # shellcheck disable=SC2086
        measured=$( { time QT_QPA_PLATFORM=none DISPLAY= "$lumetra" ${commands[c]} >/dev/null 2>&1; } 2>&1)
        read -r real user system <<<"$measured"
        wall[$c]+="$(awk -v r="$real" 'BEGIN { printf "%.0f", r * 1000 }') "
        cpu[$c]+="$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%.0f", (u + s) * 1000 }') "
    done
done

summary() {
    # shellcheck disable=SC2086
    printf '%s\n' $1 | sort -n | awk '{ v[NR] = $1 } END {
        median = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%d / %d / %d", v[1], median, v[NR] }'
}
echo "| case | wall, min / median / max (ms) | CPU, min / median / max (ms) | target (ms) |"
echo "|---|---:|---:|---:|"
for c in "${!commands[@]}"; do
    echo "| ${names[c]} | $(summary "${wall[$c]}") | $(summary "${cpu[$c]}") | < ${targets[c]} |"
done
echo
echo "$runs runs each; $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg); file of 100 000 samples: $(($(stat -c %s "$work/large.lumetra") / 1024)) KiB"
