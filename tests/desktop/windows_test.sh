#!/usr/bin/env bash
# Starts the real program on an X display of its own, checks the cover window, runs the main
# window from it, and checks that Chinese captions are drawn as glyphs. Screenshots of both
# windows are left in the artefact folder.
# Usage: windows_test.sh PATH/TO/lumetra ARTEFACT_DIR
set -euo pipefail
program=$1
artefacts=$2
mkdir -p "$artefacts"
# shellcheck source=tests/desktop/lib.sh
. "$(dirname "$0")/lib.sh"

start_display 1280x800
start_program "$artefacts/lumetra.log" "$program"

cover=$(visible_window) || fail "no cover window appeared"
read -r x y w h <<<"$(geometry "$cover")"
[ "$w $h" = "594 511" ] || fail "cover client area is ${w}x$h, not 594x511"
[ "$x $y" = "193 101" ] || fail "cover client area starts at ($x, $y), not (193, 101)"
screenshot "$cover" "$artefacts/cover.png"
cover_ink=$(run_caption_ink "$artefacts/cover.png")
[ "$cover_ink" -gt "$RUN_CAPTION_MIN" ] || fail "the run button's caption has no glyphs ($cover_ink dark pixels)"

xdotool mousemove --sync --window "$cover" 188 428 click 1
main=$(visible_window "$cover") || fail "no main window after the run button"
read -r _ _ w h <<<"$(geometry "$main")"
[ "$w $h" = "674 471" ] || fail "main window client area is ${w}x$h, not 674x471"
visible_windows | grep -qx "$cover" && fail "the cover is still shown"
screenshot "$main" "$artefacts/main.png"
main_ink=$(confirm_caption_ink "$artefacts/main.png")
[ "$main_ink" -gt "$CONFIRM_CAPTION_MIN" ] || fail "the confirm button's caption has no glyphs ($main_ink dark pixels)"

echo "cover ink $cover_ink, main ink $main_ink; screenshots in $artefacts"
echo "1 passed, 0 failed"
