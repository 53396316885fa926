#!/usr/bin/env bash
# At QT_SCALE_FACTOR=2 both windows are scaled as a whole, with nothing clipped: each window is
# twice its size, the captions and the controls at the right and bottom edges sit at twice their
# positions with their whole ink, and each window halved again looks like the window at scale 1.
# The analysis window opens beside the main window and on the screen at both scales.
# Screenshots at both scales are left in the artefact folder.
# Usage: scaling_test.sh PATH/TO/lumetra ARTEFACT_DIR
set -euo pipefail
program=$1
artefacts=$2
mkdir -p "$artefacts"
# shellcheck source=tests/desktop/lib.sh
. "$(dirname "$0")/lib.sh"

# shoot SCALE: both windows at this scale, into xSCALE-cover.png and xSCALE-main.png.
shoot() { shoot_windows "x$1" "$1" QT_SCALE_FACTOR="$1"; }

# A region "x y w h" at scale 1 and its ink at both scales: drawn whole at twice the size, a
# caption carries about four times the dark pixels (hinting makes it 3 to 4 here); a caption
# cut by its control's edges, or moved away, carries far fewer.
check_caption() { # window what x y w h
    local window=$1 what=$2 one two
    one=$(ink "$artefacts/x1-$window.png" "$3" "$4" "$5" "$6")
    two=$(ink "$artefacts/x2-$window.png" $(($3 * 2)) $(($4 * 2)) $(($5 * 2)) $(($6 * 2)))
    [ "$one" -gt 20 ] || fail "$what: no caption at scale 1 ($one dark pixels)"
    [ $((two * 10)) -ge $((one * 25)) ] ||
        fail "$what: $two dark pixels at scale 2 against $one at scale 1"
    echo "$what: ink $one at scale 1, $two at scale 2"
}

# The window at scale 2 halved against the window at scale 1: 0.024 and 0.039 here (the fonts'
# hinting differs); moving everything by 3 pixels gives 0.088 and 0.104.
check_whole() { # window
    local difference
    convert "$artefacts/x2-$1.png" -resize 50% "$desktop_work/$1-halved.png"
    difference=$(compare -metric RMSE "$artefacts/x1-$1.png" "$desktop_work/$1-halved.png" \
        null: 2>&1 | sed 's/.*(\(.*\))/\1/') || true
    awk -v d="$difference" 'BEGIN { exit !(d != "" && d < 0.06) }' ||
        fail "$1: halved, the window at scale 2 differs from scale 1 by $difference (RMSE)"
    echo "$1: halved, differs from scale 1 by $difference (RMSE)"
}

# The analysis window, opened by F2 after the main window's shot, stands beside the main window
# and within the screen, and draws its empty state.
check_analysis() { # scale
    local mx mw x y w h title
    read -r mx _ mw _ <<<"$main_geometry"
    read -r x y w h <<<"$analysis_geometry"
    [ "$x" -ge $((mx + mw)) ] || fail "analysis window at scale $1 over the main window: $analysis_geometry"
    [ $((x + w)) -le 2560 ] && [ $((y + h)) -le 1600 ] ||
        fail "analysis window at scale $1 off the screen: $analysis_geometry"
    title=$(ink "$artefacts/x$1-analysis.png" 0 0 "$w" $((h / 2)))
    [ "$title" -gt $((100 * $1 * $1)) ] || fail "analysis window at scale $1: no empty state ($title)"
    echo "analysis window at scale $1: $analysis_geometry, ink $title"
}

start_display 2560x1600
shoot_analysis=1

shoot 1
[ "$cover_geometry" = "193 101 594 511" ] || fail "cover at scale 1: $cover_geometry"
[ "${main_geometry#* * }" = "674 471" ] || fail "main window at scale 1: $main_geometry"
check_analysis 1

shoot 2
[ "$cover_geometry" = "386 202 1188 1022" ] ||
    fail "cover at scale 2 (x y width height): $cover_geometry, not 386 202 1188 1022"
read -r x y w h <<<"$main_geometry"
[ "$w $h" = "1348 942" ] || fail "main window at scale 2 is ${w}x$h, not 1348x942"
if [ $((x + w)) -gt 2560 ] || [ $((y + h)) -gt 1600 ]; then
    fail "main window off the screen: $main_geometry"
fi
check_analysis 2

check_whole cover
check_whole main

# The cover: both buttons' captions, and the frame of lines around them, whose right and bottom
# edges (x 568 and y 480 at scale 1) come out two pixels wide.
check_caption cover "运行程序" 72 400 233 57
check_caption cover "退出程序" 304 400 209 57
for point in 1136,850 1137,850 600,960 600,961; do
    [ "$(colour "$artefacts/x2-cover.png" "${point%,*}" "${point#*,}")" = "0,0,0" ] ||
        fail "cover at scale 2: no frame line at ($point)"
done

# The main window: the confirm button, and the right-most and bottom-most controls.
check_caption main "测点个数及浓度单位输入完毕" 32 216 249 39
check_caption main "退出 (command6)" 584 280 80 40
check_caption main "清零 (Command8 in Frame4)" 488 408 161 41
check_caption main "退格" 520 280 53 40
# command6's face, RGB(192, 192, 255) under a light gradient, reaches its bottom-right corner.
IFS=, read -r red green blue <<<"$(colour "$artefacts/x2-main.png" 1322 634)"
[ "$blue" -ge $((red + 30)) ] || fail "main window at scale 2: command6's corner is $red,$green,$blue"

echo "screenshots in $artefacts"
echo "1 passed, 0 failed"
