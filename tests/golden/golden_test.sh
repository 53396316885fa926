#!/usr/bin/env bash
# The golden-output test: every case of cases.txt run through the real program, and every
# calibration file of docs/ saved again and exported, compared byte for byte with expected/: the
# reports, the files, the CSV export, the PDF's text (pdftotext) and its pages as images (their
# MD5 at 40 dots per inch). The PDF's time is fixed by SOURCE_DATE_EPOCH.
#   golden_test.sh LUMETRA GOLDEN_DUMP            compare
#   golden_test.sh LUMETRA GOLDEN_DUMP --update   write expected/ anew (after a deliberate change)
set -euo pipefail
lumetra=$(realpath "$1")
dump=$(realpath "$2")
update=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/actual" "$work/pages" "$work/config" "$work/data"
export SOURCE_DATE_EPOCH=1765155600 TZ=Asia/Shanghai LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
unset LUMETRA_DATABASE
cd "$here"

while read -r name rest; do
    [[ -z "$name" || "$name" == \#* ]] && continue
    pdf="$work/$name"
    read -r -a arguments <<< "${rest//\{pdf\}/$pdf}"
    status=0
    "$lumetra" "${arguments[@]}" > "$work/actual/$name.out" 2> "$work/actual/$name.err" || status=$?
    echo "$status" > "$work/actual/$name.status"
    if [[ "$name" == *.pdf ]]; then
        pdftotext -layout "$pdf" "$work/actual/$name.text"
        pdftoppm -r 40 -png "$pdf" "$work/pages/$name"
        (cd "$work/pages" && md5sum "$name"-*.png) > "$work/actual/$name.pages"
    fi
done < cases.txt

for file in docs/*.lumetra; do
    base=$(basename "$file" .lumetra)
    "$dump" "$file" "$work/actual/$base"
done

if [[ "$update" == --update ]]; then
    rm -rf expected
    cp -r "$work/actual" expected
    echo "expected/ written anew"
    exit 0
fi
if ! diff -r expected "$work/actual"; then
    keep=${GOLDEN_ARTIFACTS:-/tmp/lumetra-golden}
    rm -rf "$keep" && mkdir -p "$keep" && cp -r "$work/actual" "$work/pages" "$keep"/
    echo "golden outputs differ; what this build wrote is in $keep" >&2
    exit 1
fi
echo "every golden output as expected"
