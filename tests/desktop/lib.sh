# shellcheck shell=bash
# Shell functions shared by the desktop tests: an X display of their own, the program's windows,
# screenshots and the ink of a region. Source it after `set -euo pipefail`; it sets an EXIT trap
# that ends every process started through it, by process id.

desktop_work=$(mktemp -d)
desktop_pids=() # started here, ended in reverse order
xvfb_pid=
app_pid=
app_log=

desktop_cleanup() {
    local i
    for ((i = ${#desktop_pids[@]} - 1; i >= 0; i--)); do
        kill "${desktop_pids[i]}" 2>/dev/null || true
        wait "${desktop_pids[i]}" 2>/dev/null || true
    done
    rm -rf "$desktop_work"
}
trap desktop_cleanup EXIT

running() { # pid: true until the process has ended (a zombie has)
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
    [ "$(awk '{ print $1 }' <<<"${stat##*) }")" != Z ]
}

fail() {
    echo "FAIL: $*" >&2
    if [ -n "$xvfb_pid" ] && ! running "$xvfb_pid"; then
        echo "The X server $DISPLAY has ended. Its output:" >&2
        cat "$desktop_work/xvfb.log" >&2
    elif [ -n "$app_pid" ] && ! running "$app_pid"; then
        echo "The program has ended. Its output:" >&2
        cat "$app_log" >&2
    fi
    exit 1
}

# start_display WIDTHxHEIGHT: an Xvfb of our own (it picks a free display number and writes it
# to a fifo), private runtime and data folders, and no session bus for Qt to start. Without
# -noreset the server resets whenever its last client leaves (an xdotool call, a stopped
# program), and a program that connects during the reset fails with "could not connect to
# display".
start_display() {
    local number fifo="$desktop_work/display"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$fifo" \
        >"$desktop_work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    desktop_pids+=("$xvfb_pid")
    read -r -t 20 number <"$fifo" || fail "Xvfb did not start"
    export DISPLAY=":$number"
    xdotool getdisplaygeometry >/dev/null || fail "no connection to the new display $DISPLAY"
    export XDG_RUNTIME_DIR="$desktop_work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    # The program keeps its last worksheet in its data folder and its settings (the language
    # among them) in its configuration folder: folders of the test's own.
    export XDG_DATA_HOME="$desktop_work/data" XDG_CONFIG_HOME="$desktop_work/config"
    mkdir "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"
    unset QT_QPA_PLATFORM
    export DBUS_SESSION_BUS_ADDRESS=disabled:
}

# start_program LOG COMMAND...: runs the program in the background; its process id is app_pid.
start_program() {
    app_log=$1
    shift
    "$@" >"$app_log" 2>&1 &
    app_pid=$!
    desktop_pids+=("$app_pid")
}

# stop_program: ends the program and waits until its windows are gone from the display.
stop_program() {
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    local i
    for ((i = 0; i < ${#desktop_pids[@]}; i++)); do
        [ "${desktop_pids[i]}" = "$app_pid" ] && unset 'desktop_pids[i]'
    done
    desktop_pids=("${desktop_pids[@]}")
    app_pid=
    for _ in $(seq 100); do
        [ -z "$(visible_windows)" ] && return 0
        sleep 0.1
    done
    fail "the program's windows did not go"
}

# The visible top-level windows titled Lumetra (Qt also makes unmapped helper windows).
visible_windows() { xdotool search --onlyvisible --name '^Lumetra$' 2>/dev/null || true; }

# visible_window [EXCEPT]: waits for a visible Lumetra window other than EXCEPT and prints its id.
visible_window() {
    local id
    for _ in $(seq 100); do
        id=$(visible_windows | grep -vx "${1:-}" | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        running "$app_pid" || return 1
        sleep 0.1
    done
    return 1
}

# shoot_windows NAME SCALE [VARIABLE=VALUE...]: runs $program (with these settings in its
# environment), screenshots the cover into $artefacts/NAME-cover.png, clicks the run button
# (at (188, 428) times SCALE), screenshots the main window into NAME-main.png and stops the
# program. cover_geometry and main_geometry are left holding "X Y WIDTH HEIGHT". With
# shoot_analysis set, F2 then opens the analysis window (still empty), shot into
# NAME-analysis.png, its geometry left in analysis_geometry.
# shellcheck disable=SC2154,SC2034 # program and artefacts in, the geometries out: the test's
shoot_windows() {
    local name=$1 scale=$2 cover main analysis
    shift 2
    start_program "$artefacts/$name.log" env "$@" "$program"
    cover=$(visible_window) || fail "$name: no cover window appeared"
    cover_geometry=$(geometry "$cover")
    screenshot "$cover" "$artefacts/$name-cover.png"
    xdotool mousemove --sync --window "$cover" $((188 * scale)) $((428 * scale)) click 1
    main=$(visible_window "$cover") || fail "$name: no main window after the run button"
    main_geometry=$(geometry "$main")
    screenshot "$main" "$artefacts/$name-main.png"
    if [ -n "${shoot_analysis:-}" ]; then
        analysis=$(open_analysis "$main") || fail "$name: F2 opened no analysis window"
        analysis_geometry=$(geometry "$analysis")
        screenshot "$analysis" "$artefacts/$name-analysis.png" 239,239,239
    fi
    stop_program
}

# open_analysis MAIN: presses F2 in the main window and prints the analysis window's id once it
# is shown (titled "*标准曲线分析", in English "*Calibration Curve Analysis", after a fit, which is
# a change not saved).
open_analysis() {
    local id
    xdotool windowfocus --sync "$1"
    xdotool key F2
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name '^[*]?(标准曲线分析|Calibration Curve Analysis)$' \
            2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

geometry() { # prints "X Y WIDTH HEIGHT" of a window's client area
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X $Y $WIDTH $HEIGHT"
}

colour() { # file x y: prints the pixel as "R,G,B"
    convert "$1" -format "%[fx:round(255*p{$2,$3}.r)],%[fx:round(255*p{$2,$3}.g)],%[fx:round(255*p{$2,$3}.b)]" info:
}

# screenshot WINDOW FILE.png [CORNER]: waits until the window is painted (the corner at (2, 2)
# shows CORNER, by default the designed windows' back colour RGB(255, 224, 192), and two shots in
# a row agree), then keeps that shot.
screenshot() {
    local shot="$desktop_work/shot.ppm" last="$desktop_work/last.ppm" corner=${3:-255,224,192}
    rm -f "$last"
    for _ in $(seq 100); do
        if import -window "$1" "$shot" 2>/dev/null && [ "$(colour "$shot" 2 2)" = "$corner" ]; then
            if [ -f "$last" ] && cmp -s "$shot" "$last"; then
                convert "$shot" "$2"
                return 0
            fi
            mv "$shot" "$last"
        fi
        sleep 0.1
    done
    fail "window $1 was not painted"
}

# Counts the pixels of a region that are clearly darker than the light faces around them.
ink() { # file x y w h
    convert "$1" -crop "$4x$5+$2+$3" +repage -colorspace Gray -threshold 35% \
        -format '%[fx:round((1-mean)*w*h)]' info:
}

# Two captions whose ink tells Chinese glyphs from the hollow boxes of fonts without them, in
# window pixels at scale 1. "运行程序" on the cover's run button (default font): 130 to 160 dark
# pixels as glyphs, 16 as light-grey boxes. "测点个数及浓度单位输入完毕" on the confirm button
# (Song face, bold): 650 to 670 as glyphs, 234 as the dark boxes a bold font draws.
# shellcheck disable=SC2034 # the minimums are read by the tests
{
    RUN_CAPTION_MIN=40
    CONFIRM_CAPTION_MIN=400
}
run_caption_ink() { ink "$1" 72 400 233 57; }
confirm_caption_ink() { ink "$1" 32 216 249 39; }
