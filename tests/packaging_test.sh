#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary folder and checks that the program,
# its modules (windows, PDF, export, database), icons, desktop entry, metainfo, manual page, manual and file
# formats stand where they are looked for, that the desktop entry and the metainfo are valid,
# and that the manual page renders without a warning.
# Usage: packaging_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/*.deb)
dpkg-deb -x "$deb" "$work/root"
depends=$(dpkg-deb -f "$deb" Depends)

for path in usr/bin/lumetra \
            usr/share/applications/org.lumetra.Lumetra.desktop \
            usr/share/metainfo/org.lumetra.Lumetra.metainfo.xml \
            usr/share/mime/packages/org.lumetra.Lumetra.xml \
            usr/share/icons/hicolor/scalable/mimetypes/application-x-lumetra.svg \
            usr/share/icons/hicolor/scalable/apps/lumetra.svg \
            usr/share/icons/hicolor/16x16/apps/lumetra.png \
            usr/share/icons/hicolor/48x48/apps/lumetra.png \
            usr/share/icons/hicolor/256x256/apps/lumetra.png \
            usr/share/man/man1/lumetra.1.gz \
            usr/share/doc/lumetra/file-format.md \
            usr/share/doc/lumetra/manual/index.md \
            usr/share/doc/lumetra/walkthrough-batch.png; do
    [ -f "$work/root/$path" ] || fail "$path is missing from the package"
done
[ -x "$work/root/usr/bin/lumetra" ] || fail "the program is not executable"
# The module for SVG images and printing, where the program looks for it: at a path relative
# to its own folder, written into the program as text.
module=$(cd "$work/root/usr" && find lib -name liblumetra_export.so)
[ -n "$module" ] || fail "the export module is missing from the package"
# The windows load it, so the path stands in their module, relative to the program's folder.
windows=$(cd "$work/root/usr" && find lib -name liblumetra_windows.so)
[ -n "$windows" ] || fail "the windows module is missing from the package"
strings "$work/root/usr/$windows" | grep -xF "../$module" >/dev/null ||
    fail "the windows do not look for the export module at ../$module"
# The module of the quality-control database, likewise.
database=$(cd "$work/root/usr" && find lib -name liblumetra_database.so)
[ -n "$database" ] || fail "the database module is missing from the package"
strings "$work/root/usr/bin/lumetra" | grep -xF "../$database" >/dev/null ||
    fail "the program does not look for the database module at ../$database"
# The windows and the PDF report, likewise; the program itself links Qt Core alone, so that the
# command line loads neither Qt Gui nor Qt Widgets.
for name in windows pdf; do
    found=$(cd "$work/root/usr" && find lib -name "liblumetra_$name.so")
    [ -n "$found" ] || fail "the $name module is missing from the package"
    strings "$work/root/usr/bin/lumetra" | grep -xF "../$found" >/dev/null ||
        fail "the program does not look for the $name module at ../$found"
done
needed=$(readelf -d "$work/root/usr/bin/lumetra" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
grep -q '^libQt6Core' <<<"$needed" || fail "the program does not link Qt Core: $needed"
if grep -E '^libQt6(Gui|Widgets|Sql)' <<<"$needed"; then
    fail "the program links more of Qt than Qt Core"
fi
# The PDF report draws with Qt Gui alone: `lumetra report --pdf` loads no Qt Widgets, directly or
# through another library.
pdf=$(cd "$work/root/usr" && find lib -name liblumetra_pdf.so)
pdf_libraries=$(ldd "$work/root/usr/$pdf")
grep -q 'libQt6Gui\.so' <<<"$pdf_libraries" || fail "the PDF module does not load Qt Gui: $pdf_libraries"
if grep -E 'libQt6(Widgets|Sql)\.so' <<<"$pdf_libraries"; then
    fail "the PDF module loads more of Qt than Qt Core and Qt Gui"
fi
for dep in libqt6widgets6 libqt6gui6 libqt6core6 libqt6sql6-sqlite fonts-arphic-uming fonts-noto-cjk; do
    grep -q "$dep" <<<"$depends" || fail "the package does not depend on $dep: $depends"
done
desktop=$work/root/usr/share/applications/org.lumetra.Lumetra.desktop
desktop-file-validate "$desktop"
grep -qx 'Exec=lumetra %f' "$desktop" || fail "the desktop entry does not pass the file to open"
grep -q '^MimeType=.*application/x-lumetra;' "$desktop" ||
    fail "the desktop entry does not claim .lumetra files"
# shared-mime-info reads the type: the database built from the package alone knows *.lumetra.
mime=$work/mime
mkdir -p "$mime/packages"
cp "$work/root/usr/share/mime/packages/org.lumetra.Lumetra.xml" "$mime/packages/"
# Named as the search path, so that the tool's note on a folder outside it does not hide a warning.
XDG_DATA_HOME=$work XDG_DATA_DIRS=$work update-mime-database "$mime" 2>"$work/mime.log" || { cat "$work/mime.log"; fail "update-mime-database"; }
[ ! -s "$work/mime.log" ] || { cat "$work/mime.log"; fail "shared-mime-info warns about the type"; }
grep -q '^application/x-lumetra:\*\.lumetra$' "$mime/globs" ||
    fail "the type's glob is not in the database: $(cat "$mime/globs")"
[ -f "$mime/application/x-lumetra.xml" ] || fail "the type application/x-lumetra was not built"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.lumetra.Lumetra.metainfo.xml"
page="$work/root/usr/share/man/man1/lumetra.1.gz"
gzip -t "$page" || fail "the manual page is not gzipped"
if command -v man >/dev/null; then
    rendered=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>"$work/man.log")
    [ ! -s "$work/man.log" ] || { cat "$work/man.log"; fail "the manual page renders with warnings"; }
else
    rendered=$(zcat "$page" | preconv | groff -man -Tutf8 2>/dev/null)
fi
for section in NAME SYNOPSIS DESCRIPTION "EXIT STATUS" FILES EXAMPLES; do
    grep -q "^$section" <<<"$rendered" || fail "the manual page has no $section section"
done
grep -q "lumetra report" <<<"$rendered" || fail "the manual page does not show the report command"
echo "package $(basename "$deb"): depends on $depends"
echo "1 passed, 0 failed"
