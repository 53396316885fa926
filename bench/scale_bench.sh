#!/usr/bin/env bash
# How `lumetra report` grows with its input: time and peak memory against the number of
# standards (10^3 to 10^6 distinct concentrations, and the same with the options that take other
# paths through the computation), and the PDF against its pages (samples, history entries) and
# against the length of one text. Each case is timed once from process start to exit with
# /usr/bin/time; the column "per item" is the time divided by the count, which stays flat while
# the work is linear and rises with n where a step is quadratic.
# The files are written into a temporary folder; builds nothing; needs no display.
#
# Usage: bench/scale_bench.sh [-s] [-p] [-m MAX] BUILD_DIR|LUMETRA
#   -s standards only, -p PDF only; -m MAX the largest number of standards (default 1000000)
set -euo pipefail

only=""
max=1000000
usage() {
    sed -n '10,11s/^# \{0,1\}//p' "$0" >&2
    exit 2
}
while getopts "spm:h" option; do
    case $option in
        s) only=standards ;;
        p) only=pdf ;;
        m) max=$OPTARG ;;
        *) usage ;;
    esac
done
shift $((OPTIND - 1))
[[ $# -eq 1 && $max =~ ^[1-9][0-9]*$ ]] || usage
lumetra=$1
[[ -d $lumetra ]] && lumetra=$lumetra/app/lumetra
[[ -x $lumetra ]] || { echo "no program at $lumetra" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# standards N REPEAT [ZEROS]: a CSV of N standards, each concentration REPEAT times (1: all
# distinct), with six decimals and absorbances scattered about a line; with ZEROS, the first three
# at concentration 0 (their mean absorbance .011333... not a decimal).
standards() {
    awk -v n="$1" -v repeat="$2" -v zeros="${3:-}" 'BEGIN {
        srand(11)
        print "C,A"
        if (zeros != "") {
            print "0,0.010\n0,0.011\n0,0.013"
            n -= 3
        }
        for (i = 0; i < n; i++) {
            c = 0.001 + int(i / repeat) * 0.000731
            printf "%.6f,%.5f\n", c, 0.012 + 0.0437 * c + (rand() - 0.5) * 0.002
        }
    }'
}

# lumetra_file SAMPLES HISTORY LONG: a calibration of 8 standards with SAMPLES sample rows and
# HISTORY history entries; LONG > 0 gives the analyst, the first sample's name and the last
# standard's reason (it is excluded) LONG characters each, Chinese and ASCII without a blank.
lumetra_file() {
    LC_ALL=C awk -v samples="$1" -v history="$2" -v long="$3" 'BEGIN {
        text = ""
        if (long > 0) {
            unit = "长文本abcd"   # 7 characters in 13 bytes; cut at whole units
            for (text = unit; length(text) < long / 7 * 13; text = text text) {}
            text = substr(text, 1, int(long / 7) * 13)
        }
        printf "{\n    \"format\": \"lumetra-calibration\",\n    \"version\": 2,\n"
        printf "    \"unit\": \"mg/L\",\n"
        if (long > 0) {
            printf "    \"header\": {\"laboratory\": \"水质实验室\", \"analyst\": \"%s\"},\n", text
        }
        printf "    \"standards\": [\n"
        for (i = 0; i < 8; i++) {
            printf "        {\"C\": \"%g\", \"A\": \"%.3f\"", i * 0.5, 0.012 + 0.0437 * i + (i % 3 - 1) * 0.002
            if (long > 0 && i == 7) {
                printf ", \"excluded\": true, \"reason\": \"%s\"", text
            }
            printf "}%s\n", i < 7 ? "," : ""
        }
        printf "    ],\n    \"samples\": [\n"
        srand(7)
        for (i = 0; i < samples; i++) {
            name = i == 0 && long > 0 ? text : sprintf("样品 %d", i + 1)
            printf "        {\"name\": \"%s\", \"readings\": \"%.3f %.3f\", \"dilution\": \"%s\"}%s\n", name, 0.05 + rand() * 0.3, 0.05 + rand() * 0.3, i % 3 == 0 ? "2.5" : "", i + 1 < samples ? "," : ""
        }
        printf "    ],\n    \"history\": [\n"
        for (i = 0; i < history; i++) {
            printf "        {\"time\": \"2026-12-07T21:%02d:%02d+08:00\", \"user\": \"li\", \"kind\": \"standard_edited\", \"values\": {\"number\": \"%d\", \"field\": \"A\", \"from\": \".12\", \"to\": \".13\"}}%s\n", int(i / 60) % 60, i % 60, i % 8 + 1, i + 1 < history ? "," : ""
        }
        printf "    ]\n}\n"
    }'
}

# run LABEL COUNT ARGS...: one timed run; prints a table row. A run that fails stops the script.
run() {
    local label=$1 count=$2
    shift 2
    local out=$work/out
    if ! /usr/bin/time -f '%e %U %S %M' -o "$work/time" env QT_QPA_PLATFORM=none DISPLAY= \
        "$lumetra" "$@" >"$out" 2>"$work/err"; then
        echo "failed: lumetra $*" >&2
        cat "$work/err" >&2
        exit 1
    fi
    local wall user system rss pages="" size=""
    read -r wall user system rss <"$work/time"
    if [[ -f $work/report.pdf ]]; then
        pages=$(pdfinfo "$work/report.pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }')
        size=$(($(stat -c %s "$work/report.pdf") / 1024))
        rm -f "$work/report.pdf"
    fi
    awk -v label="$label" -v n="$count" -v w="$wall" -v u="$user" -v s="$system" -v r="$rss" \
        -v pages="$pages" -v size="$size" 'BEGIN {
        cpu = u + s
        printf "| %s | %d | %.2f | %.2f | %.1f | %.2f |", label, n, w, cpu, r / 1024, cpu / n * 1e6
        if (pages != "") printf " %d pages, %d KiB |", pages, size
        printf "\n"
    }'
}

if [[ $only != pdf ]]; then
    echo "| standards | n | wall (s) | CPU (s) | peak RSS (MiB) | CPU per item (µs) |"
    echo "|---|---:|---:|---:|---:|---:|"
    for n in 1000 3000 10000 30000 100000 200000 300000 1000000; do
        ((n <= max)) || continue
        standards "$n" 1 >"$work/s.csv"
        run "distinct, line" "$n" report "$work/s.csv"
    done
    for n in 10000 100000 1000000; do
        ((n <= max)) || continue
        standards "$n" 1 >"$work/s.csv"
        run "distinct, --json" "$n" report "$work/s.csv" --json
        run "distinct, quadratic" "$n" report "$work/s.csv" --model quadratic
        run "distinct, 1/x" "$n" report "$work/s.csv" --weight 1/x
        run "distinct, 1/y2" "$n" report "$work/s.csv" --weight 1/y2
        standards "$n" 1 zeros >"$work/s.csv"
        run "three zeros, blank correction" "$n" report "$work/s.csv" --blank-correction
        standards "$n" 4 >"$work/s.csv"
        run "four at each, 1/s2" "$n" report "$work/s.csv" --weight 1/s2
        standards "$n" $((n / 2)) >"$work/s.csv"
        run "two concentrations" "$n" report "$work/s.csv"
    done
    echo
fi

if [[ $only != standards ]]; then
    echo "| PDF | n | wall (s) | CPU (s) | peak RSS (MiB) | CPU per item (µs) | pages |"
    echo "|---|---:|---:|---:|---:|---:|---|"
    for n in 1000 10000 100000; do
        lumetra_file "$n" 0 0 >"$work/f.lumetra"
        run "samples" "$n" report "$work/f.lumetra" --pdf "$work/report.pdf"
    done
    for n in 1000 10000 100000; do
        lumetra_file 0 "$n" 0 >"$work/f.lumetra"
        run "history entries" "$n" report "$work/f.lumetra" --pdf "$work/report.pdf" --history
    done
    for n in 1000 10000; do
        standards "$n" 1 >"$work/s.csv"
        run "standards" "$n" report "$work/s.csv" --pdf "$work/report.pdf"
    done
    for n in 10000 100000 1000000; do
        lumetra_file 1 0 "$n" >"$work/f.lumetra"
        run "one text of n characters, thrice" "$n" report "$work/f.lumetra" --pdf "$work/report.pdf"
    done
    echo
fi
echo "$(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg), $(date -u +%Y-%m-%d)"
