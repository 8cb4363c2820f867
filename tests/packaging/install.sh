#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR and checks that every file lands
# where a Linux desktop looks for it and that the files point at each other.
set -euo pipefail
cmake=$1 build=$2 version=$3
id=io.github.staffelplan.Staffelplan
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

DESTDIR="$tmp/dest" "$cmake" --install "$build" --prefix /usr >"$tmp/log" 2>&1 ||
  { cat "$tmp/log"; fail "cmake --install failed"; }
root=$tmp/dest/usr
share=$root/share

for exe in bin/Staffelplan bin/staffelplan bin/staffelplan-saison; do
  [[ -x $root/$exe ]] || fail "$exe missing or not executable"
done
for file in applications/$id.desktop metainfo/$id.metainfo.xml \
    icons/hicolor/scalable/apps/$id.svg doc/staffelplan/copyright \
    staffelplan/handbuch/Benutzerhandbuch.html staffelplan/handbuch/screenshots/main-browse.png; do
  [[ -f $share/$file ]] || fail "share/$file missing"
done

# Width and height from a PNG's header.
png_size() {
  local b
  read -ra b < <(od -An -tu1 -j16 -N8 "$1")
  echo "$(((b[2] << 8) | b[3]))x$(((b[6] << 8) | b[7]))"
}
for size in 16 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x$size/apps/$id.png
  [[ -f $png ]] || fail "icon $size missing"
  [[ $(png_size "$png") == "${size}x$size" ]] || fail "icon $size is $(png_size "$png")"
done

desktop=$share/applications/$id.desktop
exec_cmd=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[[ -x $root/bin/$exec_cmd ]] || fail "Exec=$exec_cmd is not an installed program"
grep -qx "Icon=$id" "$desktop" || fail "desktop entry does not name the icon $id"
grep -q '^Name\[de\]=' "$desktop" || fail "no German name"
grep -q '^Comment\[de\]=' "$desktop" || fail "no German comment"

metainfo=$share/metainfo/$id.metainfo.xml
grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "metainfo does not launch $id.desktop"
latest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
[[ $latest == "$version" ]] || fail "newest release in metainfo is $latest, the project is $version"
echo "install ok"
