#!/usr/bin/env bash
# Start-up benchmark: lumetra, a bare Qt 6 window and a raw Xlib window, each started RUNS times
# under an Xvfb of its own, interleaved so that machine noise falls on all three alike.
# Reports, as a Markdown table, the time from exec until the window is mapped and the peak
# resident memory (VmHWM) of each; see bench/mapwait.cpp for how both are taken.
# Builds nothing.
#
# Usage: bench/startup.sh [-n RUNS] [-s SETTLE_MS] [-x LABEL=PROGRAM]... BUILD_DIR
#        bench/startup.sh [-n RUNS] [-s SETTLE_MS] [-x LABEL=PROGRAM]... LUMETRA BARE_QT BARE_XLIB [MAPWAIT]
# In a build folder the programs are app/lumetra and bench/lumetra_{bare_qt,bare_xlib,mapwait};
# without MAPWAIT the helper is taken from $MAPWAIT or from BARE_QT's folder.
# RUNS defaults to $STARTUP_RUNS or 20; SETTLE_MS (wait after the map before memory is read) 300.
# -x adds a program to the same rounds (another build of lumetra, to compare a change).
set -euo pipefail

runs=${STARTUP_RUNS:-20}
settle=300
extra_labels=() extra_paths=()
usage() {
    sed -n '8,14s/^# \{0,1\}//p' "$0" >&2
    exit 2
}
while getopts "n:s:x:h" option; do
    case $option in
        n) runs=$OPTARG ;;
        s) settle=$OPTARG ;;
        x)
            [[ $OPTARG == ?*=?* ]] || usage
            extra_labels+=("${OPTARG%%=*}") extra_paths+=("${OPTARG#*=}")
            ;;
        *) usage ;;
    esac
done
shift $((OPTIND - 1))
[[ $runs =~ ^[1-9][0-9]*$ && $settle =~ ^[0-9]+$ ]] || usage

case $# in
    1)
        build=$1
        lumetra=$build/app/lumetra
        bare_qt=$build/bench/lumetra_bare_qt
        bare_xlib=$build/bench/lumetra_bare_xlib
        mapwait=$build/bench/lumetra_mapwait
        ;;
    3 | 4)
        lumetra=$1 bare_qt=$2 bare_xlib=$3
        mapwait=${4:-${MAPWAIT:-$(dirname -- "$2")/lumetra_mapwait}}
        ;;
    *) usage ;;
esac
for program in "$lumetra" "$bare_qt" "$bare_xlib" "$mapwait" ${extra_paths[@]+"${extra_paths[@]}"}; do
    if [[ ! -x $program ]]; then
        echo "startup.sh: no program $program (build lumetra, lumetra_bare_qt, lumetra_bare_xlib" \
             "and lumetra_mapwait first)" >&2
        exit 1
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/lumetra-startup.XXXXXX")
xvfb_pid=
cleanup() {
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf -- "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A display of our own: Xvfb picks a free number and writes it to the pipe.
mkfifo "$work/displayfd"
# -noreset: without it the server resets whenever its last client leaves, and a program that
# connects during the reset fails with "cannot open display".
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/displayfd" 2>"$work/xvfb.log" &
xvfb_pid=$!
if ! read -r -t 20 display_number <"$work/displayfd" || [[ -z $display_number ]]; then
    echo "startup.sh: Xvfb did not start" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi

# Each program sees the same small, fixed environment: no session bus (a dead address, so that
# Qt does not launch one), a fresh runtime folder, the X11 platform.
mkdir -m 0700 "$work/runtime"
run_env=(env -i "HOME=$HOME" "PATH=$PATH" "LANG=C.UTF-8" "DISPLAY=:$display_number"
         "XDG_RUNTIME_DIR=$work/runtime" "DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus"
         "QT_QPA_PLATFORM=xcb")
[[ -n ${XDG_CACHE_HOME:-} ]] && run_env+=("XDG_CACHE_HOME=$XDG_CACHE_HOME")

keys=(lumetra bare_qt bare_xlib)
declare -A path=([lumetra]=$lumetra [bare_qt]=$bare_qt [bare_xlib]=$bare_xlib)
declare -A label=([lumetra]="lumetra" [bare_qt]="bare Qt 6 window (bench/bare_qt.cpp)"
                  [bare_xlib]="bare Xlib window (bench/bare_xlib.cpp)")
for ((i = 0; i < ${#extra_paths[@]}; ++i)); do
    keys+=("extra$i")
    path[extra$i]=${extra_paths[i]}
    label[extra$i]=${extra_labels[i]}
done

# One start; appends "MS CPU_MS KIB" to the program's results unless DISCARD is set.
measure() {
    local key=$1 discard=${2:-} line
    if ! line=$("${run_env[@]}" "$mapwait" --settle "$settle" -- "${path[$key]}" 2>"$work/$key.err"); then
        echo "startup.sh: ${path[$key]} failed:" >&2
        cat "$work/$key.err" >&2
        exit 1
    fi
    [[ -n $discard ]] && return 0
    local ms=${line#*mapped_ms=} cpu=${line#*cpu_ms=} kib=${line#*vmhwm_kib=}
    echo "${ms%% *} ${cpu%% *} ${kib%% *}" >>"$work/$key.txt"
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
# One discarded start of each fills the page cache and the font cache.
for key in "${keys[@]}"; do measure "$key" discard; done
for ((round = 0; round < runs; ++round)); do
    for ((i = 0; i < ${#keys[@]}; ++i)); do
        measure "${keys[(round + i) % ${#keys[@]}]}"
    done
    printf . >&2
done
echo >&2
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

# min / median / max of column COLUMN of FILE, divided by DIVISOR, one decimal.
stats() {
    cut -d' ' -f"$2" "$1" | sort -g | awk -v d="$3" '
        { v[NR] = $1 / d }
        END {
            m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            printf "%.1f / %.1f / %.1f\n", v[1], m, v[NR]
        }'
}
median() { stats "$@" | cut -d' ' -f3; }

echo "| program | start-up to mapped, min / median / max (ms) | peak RSS, min / median / max (MiB) |"
echo "|---|---:|---:|"
for key in "${keys[@]}"; do
    echo "| ${label[$key]} | $(stats "$work/$key.txt" 1 1) | $(stats "$work/$key.txt" 3 1024) |"
done
echo
echo "CPU time the program had used when its window was mapped (all threads; less disturbed by"
echo "other work on the machine than the elapsed time above):"
echo
echo "| program | CPU time to mapped, min / median / max (ms) |"
echo "|---|---:|"
for key in "${keys[@]}"; do
    echo "| ${label[$key]} | $(stats "$work/$key.txt" 2 1) |"
done
echo
awk -v t1="$(median "$work/lumetra.txt" 1 1)" -v t0="$(median "$work/bare_qt.txt" 1 1)" \
    -v c1="$(median "$work/lumetra.txt" 2 1)" -v c0="$(median "$work/bare_qt.txt" 2 1)" \
    -v m1="$(median "$work/lumetra.txt" 3 1024)" -v m0="$(median "$work/bare_qt.txt" 3 1024)" \
    'BEGIN { printf "lumetra against the bare Qt window, medians: start-up %+.0f%%, CPU time %+.0f%%, peak RSS %+.0f%%\n",
             (t1 / t0 - 1) * 100, (c1 / c0 - 1) * 100, (m1 / m0 - 1) * 100 }'
echo
echo "$runs runs each (interleaved, after one discarded warm-up start each), settle ${settle} ms;" \
     "$(date -u '+%Y-%m-%d %H:%M UTC'); $(nproc) CPUs," \
     "$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n1);" \
     "load average $load_before before, $load_after after."
