#!/usr/bin/env bash
# Starts the real program on an X display of its own, checks the cover window, runs the main
# window from it, fits five standards and computes a sample at the keyboard and the mouse,
# checks that Chinese captions are drawn as glyphs, and opens the analysis window with F2; then
# the same again in English (`--lang en`). Its six screenshots, cover.png, main.png and
# analysis.png in the artefact folder and cover-en.png, main-en.png and analysis-en.png, are the
# README's pictures: scripts/screenshots copies them into docs/.
# Usage: windows_test.sh PATH/TO/lumetra ARTEFACT_DIR
set -euo pipefail
program=$1
artefacts=$2
mkdir -p "$artefacts"
# shellcheck source=tests/desktop/lib.sh
. "$(dirname "$0")/lib.sh"

start_display 1280x800

# session SUFFIX [ARGUMENT...]: the whole session with the program started with these arguments,
# its shots named cover$SUFFIX.png, main$SUFFIX.png and analysis$SUFFIX.png.
session() {
    local suffix=$1 cover main analysis x y w h mx mw cover_ink band_ink main_ink result_ink \
        markers table_ink
    shift
    start_program "$artefacts/lumetra$suffix.log" "$program" "$@"

    cover=$(visible_window) || fail "no cover window appeared"
    read -r x y w h <<<"$(geometry "$cover")"
    [ "$w $h" = "594 511" ] || fail "cover client area is ${w}x$h, not 594x511"
    [ "$x $y" = "193 101" ] || fail "cover client area starts at ($x, $y), not (193, 101)"
    screenshot "$cover" "$artefacts/cover$suffix.png"
    # Chinese drawn as glyphs, in Chinese.
    cover_ink=$(run_caption_ink "$artefacts/cover$suffix.png")
    [ -n "$suffix" ] || [ "$cover_ink" -gt "$RUN_CAPTION_MIN" ] ||
        fail "the run button's caption has no glyphs ($cover_ink dark pixels)"

    # The caption stands on the picture (window pixels 176..415 x 312..331): from just below
    # the chart (y 302) to the picture's bottom edge (y 355), nothing but the caption may carry
    # ink.
    convert "$artefacts/cover$suffix.png" -fill white -draw "rectangle 176,312 415,331" \
        "$desktop_work/cover-without-caption.png"
    band_ink=$(ink "$desktop_work/cover-without-caption.png" 32 302 513 54)
    [ "$band_ink" -eq 0 ] || fail "the picture draws $band_ink dark pixels in the caption's band"

    xdotool mousemove --sync --window "$cover" 188 428 click 1
    main=$(visible_window "$cover") || fail "no main window after the run button"
    read -r _ _ w h <<<"$(geometry "$main")"
    [ "$w $h" = "674 471" ] || fail "main window client area is ${w}x$h, not 674x471"
    visible_windows | grep -qx "$cover" && fail "the cover is still shown"

    # A whole worksheet: five standards in mg/L, the fit, and a sample of absorbance 0.5. Clicks
    # at window pixels: the unit list's field, the confirm button, the fit button, the sample box
    # and the sample button.
    click() { xdotool mousemove --sync --window "$main" "$1" "$2" click 1; }
    xdotool windowfocus --sync "$main"
    xdotool type --delay 12 -- 5
    click 210 202
    xdotool key --delay 12 Down Down
    click 156 235
    xdotool type --delay 12 -- 0
    for text in 1 2 3 4 0.001 0.201 0.399 0.602 0.8; do
        xdotool key Return
        xdotool type --delay 12 -- "$text"
    done
    click 624 172
    click 400 385
    xdotool type --delay 12 -- 0.5
    click 400 428
    sleep 0.3
    [ "$(visible_windows | wc -l)" -eq 1 ] ||
        fail "a message box came up while filling the worksheet"
    screenshot "$main" "$artefacts/main$suffix.png"
    main_ink=$(confirm_caption_ink "$artefacts/main$suffix.png")
    [ -n "$suffix" ] || [ "$main_ink" -gt "$CONFIRM_CAPTION_MIN" ] ||
        fail "the confirm button's caption has no glyphs ($main_ink dark pixels)"
    # The sample concentration (Text8, at 536,376, 57 x 18) holds a result.
    result_ink=$(ink "$artefacts/main$suffix.png" 538 378 53 14)
    [ "$result_ink" -gt 20 ] || fail "no sample concentration shown ($result_ink dark pixels)"

    # F2 opens the analysis window beside the main window, within the screen; its shot is the
    # README's third picture. The upper part holds the plots, the lower one the statistics.
    analysis=$(open_analysis "$main") || fail "F2 opened no analysis window"
    read -r mx _ mw _ <<<"$(geometry "$main")"
    read -r x y w h <<<"$(geometry "$analysis")"
    [ "$x" -ge $((mx + mw)) ] || fail "the analysis window at ($x, $y) covers the main window"
    [ $((x + w)) -le 1280 ] && [ $((y + h)) -le 800 ] ||
        fail "the analysis window (${w}x$h at ($x, $y)) is not within the 1280x800 screen"
    screenshot "$analysis" "$artefacts/analysis$suffix.png" 239,239,239
    # The standards' markers, RGB(35, 97, 196), some 600 pixels; the statistics' text, some 4800.
    markers=$(convert "$artefacts/analysis$suffix.png" -crop "${w}x$((h / 2))+0+0" +repage \
        -fuzz 8% -fill black -opaque "rgb(35,97,196)" -fill white +opaque black -negate \
        -format '%[fx:round(mean*w*h)]' info:)
    table_ink=$(ink "$artefacts/analysis$suffix.png" 0 $((h / 2)) "$w" $((h / 2)))
    [ "$markers" -gt 200 ] || fail "no standards plotted in the analysis window ($markers pixels)"
    [ "$table_ink" -gt 2000 ] ||
        fail "no statistics in the analysis window ($table_ink dark pixels)"
    echo "${suffix:-zh}: cover ink $cover_ink, main ink $main_ink, result ink $result_ink," \
        "analysis markers $markers, table ink $table_ink"
    stop_program
}

session ""
session -en --lang en
echo "screenshots in $artefacts"
echo "1 passed, 0 failed"
