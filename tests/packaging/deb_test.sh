#!/usr/bin/env bash
# Builds the Debian package into a throw-away folder and reads it back with
# dpkg-deb: its control fields, what it depends on, and the files it puts
# under /usr.
# Usage: deb_test.sh <build dir> <version>
set -euo pipefail
build="$1"
version="$2"
source "$(dirname "$0")/checks.sh"
out="$scratch"

(cd "$build" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1) || {
  cat "$out/cpack.log"
  exit 1
}
deb="$out/tolvane_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "no $deb"; ls "$out"; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tolvane ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)'"
[ "$(field Section)" = utils ] || fail "Section is '$(field Section)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"
depends="$(field Depends)"
case "$depends" in *"fonts-ipafont-gothic | fonts-noto-cjk"*) ;; *) fail "Depends lacks a Japanese font: '$depends'" ;; esac
case "$(field Recommends)" in *xdg-utils*) ;; *) fail "Recommends lacks xdg-utils" ;; esac
case "$(field Recommends)" in *qt6-translations-l10n*) ;; *) fail "Recommends lacks the toolkit's translations" ;; esac
# Found by dpkg-shlibdeps from the program's own links.
for library in libqt6widgets6 libc6 libstdc++6; do
  case "$depends" in *"$library"*) ;; *) fail "Depends lacks $library: '$depends'" ;; esac
done

dpkg-deb -c "$deb" | awk '{print $NF}' >"$out/files"
expected=(
  ./usr/share/applications/tolvane.desktop
  ./usr/share/metainfo/io.github.tolvane.tolvane.metainfo.xml
  ./usr/share/tolvane/help/Tolvane.html
  ./usr/share/icons/hicolor/16x16/apps/tolvane.png
  ./usr/share/icons/hicolor/256x256/apps/tolvane.png
  ./usr/bin/Tolvane
)
for file in "${expected[@]}"; do
  grep -qxF "$file" "$out/files" || fail "not in the package: $file"
done
if grep -v -e '^\./usr/' -e '^\./$' "$out/files"; then fail "files outside /usr"; fi

finish "package $(basename "$deb") checked"
