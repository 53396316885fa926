#!/usr/bin/env bash
# Chinese captions still render when the Song face "AR PL UMing CN" is missing and only the Noto
# CJK fonts are there. A negative control runs the same check with DejaVu alone, which has no
# Chinese glyphs, and expects it to fail: it proves that the check sees hollow boxes.
# Usage: fonts_test.sh PATH/TO/lumetra ARTEFACT_DIR
set -euo pipefail
program=$1
artefacts=$2
mkdir -p "$artefacts"
# shellcheck source=tests/desktop/lib.sh
. "$(dirname "$0")/lib.sh"

dejavu=/usr/share/fonts/truetype/dejavu
noto=/usr/share/fonts/opentype/noto

# fonts_config NAME DIR...: a fontconfig file whose only fonts are those in the folders given.
# The system cache is read (it already covers these folders); new caches go to our own folder.
fonts_config() {
    local file="$desktop_work/$1.conf" dir
    shift
    {
        echo '<?xml version="1.0"?>'
        echo '<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">'
        echo '<fontconfig>'
        for dir in "$@"; do echo "  <dir>$dir</dir>"; done
        echo "  <cachedir>$desktop_work/fontconfig</cachedir>"
        echo '  <cachedir>/var/cache/fontconfig</cachedir>'
        echo '</fontconfig>'
    } >"$file"
    echo "$file"
}

families() { FONTCONFIG_FILE=$1 fc-list : family; } # read whole: grep -q would cut the pipe

# render CONFIG NAME: both windows with these fonts (NAME-cover.png, NAME-main.png); cover_ink
# and main_ink are the ink of the two captions checked.
render() {
    shoot_windows "$2" 1 FONTCONFIG_FILE="$1"
    cover_ink=$(run_caption_ink "$artefacts/$2-cover.png")
    main_ink=$(confirm_caption_ink "$artefacts/$2-main.png")
}

start_display 1280x800

# The Song face missing, the Noto CJK faces there: the captions carry the ink of glyphs, as in
# windows_test.sh.
noto_only=$(fonts_config noto-only "$dejavu" "$noto")
list=$(families "$noto_only")
grep -q 'AR PL UMing' <<<"$list" && fail "AR PL UMing is still there"
grep -q 'Noto Serif CJK SC' <<<"$list" || fail "Noto Serif CJK SC is not there"
render "$noto_only" noto-only
[ "$cover_ink" -gt "$RUN_CAPTION_MIN" ] ||
    fail "without AR PL UMing the run button's caption has no glyphs ($cover_ink dark pixels)"
[ "$main_ink" -gt "$CONFIRM_CAPTION_MIN" ] ||
    fail "without AR PL UMing the confirm button's caption has no glyphs ($main_ink dark pixels)"
noto_ink="run $cover_ink, confirm $main_ink"

# No Chinese font at all: hollow boxes, and the same checks must fail.
dejavu_only=$(fonts_config dejavu-only "$dejavu")
list=$(families "$dejavu_only")
grep -q 'CJK\|UMing' <<<"$list" && fail "the DejaVu-only set has Chinese fonts"
render "$dejavu_only" dejavu-only
[ "$cover_ink" -gt "$RUN_CAPTION_MIN" ] &&
    fail "the run button's check passes with DejaVu alone ($cover_ink dark pixels)"
[ "$main_ink" -gt "$CONFIRM_CAPTION_MIN" ] &&
    fail "the confirm button's check passes with DejaVu alone ($main_ink dark pixels)"

echo "dark pixels with Noto only: $noto_ink; with DejaVu only: run $cover_ink," \
    "confirm $main_ink; screenshots in $artefacts"
echo "1 passed, 0 failed"
