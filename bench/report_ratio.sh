#!/usr/bin/env bash
# What the command line costs beyond Qt: `lumetra report` on a small calibration file (5 standards,
# 3 samples) against a bare QCoreApplication that prints one line (bench/bare_core.cpp), run in
# PAIRS interleaved pairs. Prints each one's median CPU time (user + system, from wait4) and
# the median of the pairs' ratios, with the shared objects each loads.
# Builds nothing; needs no display.
#
# Usage: bench/report_ratio.sh [-n PAIRS] BUILD_DIR
#        bench/report_ratio.sh [-n PAIRS] LUMETRA BARE_CORE
# PAIRS defaults to $RATIO_PAIRS or 30.
set -euo pipefail

pairs=${RATIO_PAIRS:-30}
usage() {
    sed -n '8,10s/^# \{0,1\}//p' "$0" >&2
    exit 2
}
while getopts "n:h" option; do
    case $option in
        n) pairs=$OPTARG ;;
        *) usage ;;
    esac
done
shift $((OPTIND - 1))
[[ $pairs =~ ^[1-9][0-9]*$ ]] || usage
case $# in
    1) lumetra=$1/app/lumetra bare=$1/bench/lumetra_bare_core ;;
    2) lumetra=$1 bare=$2 ;;
    *) usage ;;
esac
for program in "$lumetra" "$bare"; do
    [[ -x $program ]] || { echo "no program at $program (build lumetra and lumetra_bare_core)" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/small.lumetra" <<'DATA'
{
    "format": "lumetra-calibration",
    "version": 1,
    "unit": "mg/L",
    "standards": [
        {"C": "0", "A": "0.010"},
        {"C": "0.5", "A": "0.0577"},
        {"C": "1", "A": "0.1034"},
        {"C": "1.5", "A": "0.1451"},
        {"C": "2", "A": "0.1928"}
    ],
    "samples": [
        {"name": "样品 1", "readings": "0.051 0.052", "dilution": "2.5"},
        {"name": "样品 2", "readings": "0.120 0.118 0.121", "dilution": ""},
        {"name": "样品 3", "readings": "0.170 0.171", "dilution": ""}
    ]
}
DATA
"$lumetra" report "$work/small.lumetra" >/dev/null || { echo "failed: lumetra report" >&2; exit 1; }

# The shared objects a run loads, its own modules and Qt's plugins among them, as the dynamic
# linker reports them.
libraries() {
    LD_DEBUG=files QT_QPA_PLATFORM=none DISPLAY= "$@" 2>&1 >/dev/null | grep -c 'generating link map' || true
}

# The pairs timed by wait4(), whose CPU times are in microseconds (bash's `time` keeps
# milliseconds, coarse against runs of a few).
python3 - "$pairs" "$lumetra" "$bare" "$work/small.lumetra" <<'PY'
import os, statistics, subprocess, sys
pairs, lumetra, bare, small = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
env = dict(os.environ, QT_QPA_PLATFORM="none", DISPLAY="")
def cpu_ms(command):
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    _, status, usage = os.wait4(process.pid, 0)
    if status != 0:
        sys.exit(f"failed: {' '.join(command)}")
    return (usage.ru_utime + usage.ru_stime) * 1000
report, core = [], []
for _ in range(pairs):
    report.append(cpu_ms([lumetra, "report", small]))
    core.append(cpu_ms([bare]))
ratios = [r / c for r, c in zip(report, core)]
with open(os.path.join(os.path.dirname(small), "times"), "w") as out:
    out.write(f"{statistics.median(report):.2f} {statistics.median(core):.2f} {statistics.median(ratios):.3f}\n")
PY
read -r report core ratio <"$work/times"
echo "| program | CPU, median (ms) | shared objects loaded |"
echo "|---|---:|---:|"
echo "| lumetra report (5 standards, 3 samples) | $report | $(libraries "$lumetra" report "$work/small.lumetra") |"
echo "| bare QCoreApplication, one line | $core | $(libraries "$bare") |"
echo
echo "median ratio of the $pairs interleaved pairs (lumetra / bare): $ratio (target ≤ 1.5)"
echo "$(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
