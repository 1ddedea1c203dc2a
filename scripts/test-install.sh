#!/usr/bin/env bash
# Installs a built tree into a temporary folder (DESTDIR), checks the installed files, validates the desktop
# entry, the AppStream metadata and the manual pages, then builds the Debian package and checks its contents,
# its dependencies and lintian's verdict. Installs nothing into the machine's own folders.
# Usage: scripts/test-install.sh [build folder, already built; default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "test-install: $*" >&2; exit 1; }

id=$(sed -n 's/^set(FLOWCALC_APP_ID \([^ )]*\))$/\1/p' CMakeLists.txt)
version=$(sed -n 's/^project(flowcalc VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
[ -n "$id" ] && [ -n "$version" ] || fail "cannot read the application id and version from CMakeLists.txt"
cli=no
[ -x "$build/flowcalc-cli" ] && cli=yes

echo "== install into a temporary folder"
DESTDIR="$tmp/root" cmake --install "$build" --prefix /usr >/dev/null
{
    echo usr/bin/flowcalc
    [ $cli = yes ] && echo usr/bin/flowcalc-cli
    echo "usr/share/applications/$id.desktop"
    echo usr/share/doc/flowcalc/changelog.gz
    echo usr/share/doc/flowcalc/copyright
    for size in 16 32 48 64 128 256; do echo "usr/share/icons/hicolor/${size}x$size/apps/$id.png"; done
    echo "usr/share/icons/hicolor/scalable/apps/$id.svg"
    [ $cli = yes ] && echo usr/share/man/man1/flowcalc-cli.1.gz
    echo usr/share/man/man1/flowcalc.1.gz
    echo "usr/share/metainfo/$id.metainfo.xml"
} | LC_ALL=C sort >"$tmp/expected"
# The Python module's files belong to the second package, python3-flowcalc (checked below).
(cd "$tmp/root" && find . -type f -o -type l) | sed 's|^\./||' \
    | grep -v -e '^usr/lib/python3/' -e '^usr/share/doc/python3-flowcalc/' | LC_ALL=C sort >"$tmp/installed"
diff -u "$tmp/expected" "$tmp/installed" || fail "the installed files differ from the expected list"
for size in 16 32 48 64 128 256; do
    file "$tmp/root/usr/share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "PNG image data, $size x $size," \
        || fail "the ${size}x$size icon is not a $size x $size PNG"
done
"$tmp/root/usr/bin/flowcalc" --version | grep -qx "flowcalc $version" || fail "flowcalc --version does not say $version"
if [ $cli = yes ]; then
    "$tmp/root/usr/bin/flowcalc-cli" --version | grep -qw "$version" || fail "flowcalc-cli --version does not say $version"
fi

echo "== desktop entry, metadata, manual pages"
desktop=$tmp/root/usr/share/applications/$id.desktop
desktop-file-validate "$desktop"
grep -qx "Categories=Education;Science;.*" "$desktop" || fail "the desktop entry is not in Education and Science"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the icon $id"
grep -qx "Exec=flowcalc" "$desktop" || fail "the desktop entry does not start flowcalc"
metainfo=$tmp/root/usr/share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net "$metainfo"
grep -q "<id>$id</id>" "$metainfo" || fail "the metadata's id is not $id"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata has no release $version"
[ "$(dpkg-parsechangelog -l packaging/changelog -S Version)" = "$version" ] \
    || fail "packaging/changelog has no entry for $version"
for page in "$tmp"/root/usr/share/man/man1/*.gz; do
    # The check lintian makes: any warning of man or groff is a fault.
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
    zcat "$page" | sed -n 1p | grep -q "\"flowcalc $version\"" || fail "$(basename "$page") is not for version $version"
done

echo "== Debian package"
cmake --build "$build" --target package >"$tmp/cpack.log" 2>&1 || { cat "$tmp/cpack.log"; fail "cpack failed"; }
deb=$build/flowcalc_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./||' | LC_ALL=C sort >"$tmp/packaged"
diff -u "$tmp/expected" "$tmp/packaged" || fail "the package's files differ from the expected list"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6core6 libqt6gui6 libqt6widgets6; do
    [[ $depends == *"$lib "* ]] || fail "the package does not depend on $lib"
done
# The windows are laid out for Liberation Sans Narrow.
[[ $depends == *fonts-liberation* ]] || fail "the package does not depend on fonts-liberation"
status=0
lintian --fail-on error --display-info "$deb" >"$tmp/lintian.log" 2>&1 || status=$?
echo "lintian (exit status $status):"
grep -v "running with root privileges" "$tmp/lintian.log" | sed 's/^/  /' || true
[ $status -eq 0 ] || fail "lintian reports an error"
pydeb=$build/python3-flowcalc_${version}_$(dpkg --print-architecture).deb
if [ -f "$pydeb" ]; then
    echo "== Python package"
    dpkg-deb -c "$pydeb" | awk '{ print $6 }' | grep -q '^\./usr/lib/python3/dist-packages/flowcalc\..*\.so$' \
        || fail "python3-flowcalc has no flowcalc module"
    PYTHONPATH="$tmp/root/usr/lib/python3/dist-packages" /usr/bin/python3 -c "import flowcalc; assert flowcalc.__version__ == '$version'" \
        || fail "the installed flowcalc module does not import"
    status=0
    lintian --fail-on error --display-info "$pydeb" >"$tmp/lintian-python.log" 2>&1 || status=$?
    echo "lintian python3-flowcalc (exit status $status):"
    grep -v "running with root privileges" "$tmp/lintian-python.log" | sed 's/^/  /' || true
    [ $status -eq 0 ] || fail "lintian reports an error in python3-flowcalc"
fi
echo "install and package checks passed"
