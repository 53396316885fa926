#!/usr/bin/env bash
# Starts the real program on an X display of its own, checks the cover window, runs the main
# window from it, and checks that Chinese captions are drawn as glyphs. Screenshots of both
# windows are left in the artefact folder.
# Usage: windows_test.sh PATH/TO/lumetra ARTEFACT_DIR
set -euo pipefail
program=$1
artefacts=$2
mkdir -p "$artefacts"
work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# A display of our own: Xvfb picks a free number and writes it to the fifo.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 number <"$work/display" || fail "Xvfb did not start"
export DISPLAY=":$number"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
export DBUS_SESSION_BUS_ADDRESS=disabled:

"$program" >"$artefacts/lumetra.log" 2>&1 &
app_pid=$!

# The visible top-level window titled Lumetra (Qt also makes unmapped helper windows).
visible_window() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name '^Lumetra$' 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

geometry() { # prints "X Y WIDTH HEIGHT"
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X $Y $WIDTH $HEIGHT"
}

# Counts the pixels of a region that are clearly darker than the light faces around them.
# Fonts without Chinese glyphs draw light-grey hollow boxes, which stay above the threshold.
ink() { # file x y w h
    convert "$1" -crop "$4x$5+$2+$3" +repage -colorspace Gray -threshold 35% \
        -format '%[fx:round((1-mean)*w*h)]' info:
}

cover=$(visible_window) || fail "no cover window appeared"
read -r x y w h <<<"$(geometry "$cover")"
[ "$w $h" = "594 511" ] || fail "cover client area is ${w}x$h, not 594x511"
[ "$x $y" = "193 101" ] || fail "cover client area starts at ($x, $y), not (193, 101)"
sleep 0.3
import -window "$cover" "$artefacts/cover.png"
# "运行程序" on the run button (72, 400, 233 x 57).
cover_ink=$(ink "$artefacts/cover.png" 72 400 233 57)
[ "$cover_ink" -gt 40 ] || fail "the run button's caption has no glyphs ($cover_ink dark pixels)"

xdotool mousemove --sync --window "$cover" 188 428 click 1
main=
for _ in $(seq 50); do
    main=$(xdotool search --onlyvisible --name '^Lumetra$' 2>/dev/null | grep -vx "$cover" | head -n 1 || true)
    [ -n "$main" ] && break
    sleep 0.1
done
[ -n "$main" ] || fail "no main window after the run button"
read -r _ _ w h <<<"$(geometry "$main")"
[ "$w $h" = "674 471" ] || fail "main window client area is ${w}x$h, not 674x471"
xdotool search --onlyvisible --name '^Lumetra$' | grep -qx "$cover" && fail "the cover is still shown"
sleep 0.3
import -window "$main" "$artefacts/main.png"
# "测点个数及浓度单位输入完毕" on the confirm button (Frame1 at 16,144; button at 16,72 in it).
main_ink=$(ink "$artefacts/main.png" 32 216 249 39)
[ "$main_ink" -gt 80 ] || fail "the confirm button's caption has no glyphs ($main_ink dark pixels)"

echo "cover ink $cover_ink, main ink $main_ink; screenshots in $artefacts"
echo "1 passed, 0 failed"
