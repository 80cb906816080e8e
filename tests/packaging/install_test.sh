#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks it as a desktop would:
# every file in its place, the desktop entry and the AppStream metadata
# accepted by their validators, the icon the entry names present in the theme,
# and the manual with the sections F1 asks for.
# Usage: install_test.sh <build dir>
set -euo pipefail
build="$1"
source "$(dirname "$0")/checks.sh"
prefix="$scratch"

cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
  share/applications/tolvane.desktop
  share/metainfo/io.github.tolvane.tolvane.metainfo.xml
  share/tolvane/help/Tolvane.html
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/tolvane.png")
done
expected+=(bin/Tolvane)
for file in "${expected[@]}"; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done
[ -x "$prefix/bin/Tolvane" ] || fail "bin/Tolvane is not executable"

desktop="$prefix/share/applications/tolvane.desktop"
metainfo="$prefix/share/metainfo/io.github.tolvane.tolvane.metainfo.xml"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli rejects the metadata"

key() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(key Exec)" = Tolvane ] || fail "Exec is '$(key Exec)'"
[ -n "$(key 'Comment\[ja\]')" ] || fail "no Japanese comment"
case "$(key Categories)" in *Utility\;*) ;; *) fail "not in the Utility menu: $(key Categories)" ;; esac
icon="$(key Icon)"
[ -f "$prefix/share/icons/hicolor/48x48/apps/$icon.png" ] || fail "the icon '$icon' is not in the theme"
grep -q '<launchable type="desktop-id">tolvane.desktop</launchable>' "$metainfo" ||
  fail "the metadata does not launch the installed desktop entry"
grep -q "<release version=\"$(sed -n 's/^set(TOLVANE_VERSION "\(.*\)")/\1/p' "$(dirname "$0")/../../res/version_record.cmake")\"" "$metainfo" ||
  fail "the metadata's release is not the program's version"

manual="$prefix/share/tolvane/help/Tolvane.html"
for section in ctx-20066 ctx-20064; do
  grep -q "id=\"$section\"" "$manual" || fail "the manual has no section $section"
done
if grep -q '@[A-Z_]*@' "$manual" "$metainfo"; then fail "a placeholder was left unfilled"; fi

for size in 16 22 24 32 48 64 128 256; do
  cmp -s "$build/icons/tolvane-$size.png" "$prefix/share/icons/hicolor/${size}x${size}/apps/tolvane.png" ||
    fail "the ${size}x${size} icon is not the rendered one"
done

finish "installed and valid"
