#!/usr/bin/env bash
# `cmake --install` into a temporary prefix, and once more staged under
# DESTDIR, then the installed tree as the desktop and the program see it.
# Usage: install-test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
manifest="$build/install_manifest.txt"
# cmake --install rewrites the build's manifest; keep the one a real install left.
[ -f "$manifest" ] && cp "$manifest" "$work/manifest.kept"
cleanup() {
  if [ -f "$work/manifest.kept" ]; then cp "$work/manifest.kept" "$manifest"; else rm -f "$manifest"; fi
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
entry_value() { sed -n "s/^$2=//p" "$1" | head -n 1; }

# check ROOT PREFIX: ROOT holds the files, PREFIX is how the desktop names them.
check() {
  local root=$1 prefix=$2
  for file in \
      lib/velorin/velorin \
      lib/velorin/libMultitouchSupport.so \
      lib/velorin/Resources/input-permissions.html \
      lib/velorin/Resources/70-velorin-uinput.rules \
      lib/udev/rules.d/70-velorin-uinput.rules \
      share/applications/velorin.desktop \
      share/icons/hicolor/scalable/apps/velorin.svg; do
    [ -f "$root/$file" ] || fail "$file is not installed under $root"
  done

  # The link on PATH resolves to the program, beside which the multitouch
  # source and the platform look for the library and Resources/.
  local link="$root/bin/velorin"
  [ -L "$link" ] || fail "bin/velorin is not a link"
  [ "$(readlink -f "$link")" = "$(readlink -f "$root/lib/velorin/velorin")" ] || fail "bin/velorin leads elsewhere"
  [ -x "$root/lib/velorin/velorin" ] || fail "the program cannot be run"
  for fn in MTDeviceCreateList MTRegisterContactFrameCallback MTUnregisterContactFrameCallback MTDeviceStart MTDeviceStop; do
    nm -D --defined-only "$root/lib/velorin/libMultitouchSupport.so" | grep -qw "$fn" || fail "the library lacks $fn"
  done

  local desktop="$root/share/applications/velorin.desktop"
  desktop-file-validate "$desktop" | grep -v ': hint: ' && fail "desktop-file-validate: $desktop"
  desktop-file-validate "$desktop" >/dev/null || fail "desktop-file-validate rejects $desktop"
  [ "$(entry_value "$desktop" Name)" = "Velorin" ] || fail "Name= is not Velorin"
  [ "$(entry_value "$desktop" Icon)" = "velorin" ] || fail "Icon= is not velorin"
  [ "$(entry_value "$desktop" Categories)" = "Utility;Settings;" ] || fail "Categories= is $(entry_value "$desktop" Categories)"
  [ "$(entry_value "$desktop" Exec)" = "$prefix/bin/velorin" ] || fail "Exec= is $(entry_value "$desktop" Exec), not $prefix/bin/velorin"
  [ "$(entry_value "$desktop" TryExec)" = "$prefix/bin/velorin" ] || fail "TryExec= is $(entry_value "$desktop" TryExec)"

  local icon="$root/share/icons/hicolor/scalable/apps/velorin.svg"
  xmllint --noout "$icon" || fail "the icon is not well-formed"
  grep -q '<svg' "$icon" || fail "the icon is not an SVG picture"
}

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
check "$prefix" "$prefix"
# What was installed is in the manifest, so the README's uninstall removes it all.
while IFS= read -r file; do
  [ -e "$file" ] || [ -L "$file" ] || fail "the manifest names $file, which is not there"
done < "$manifest"
grep -qx "$prefix/bin/velorin" "$manifest" || fail "the manifest misses bin/velorin"
grep -qx "$prefix/share/applications/velorin.desktop" "$manifest" || fail "the manifest misses the desktop entry"

# A package build stages the files under DESTDIR; the entry names the real prefix.
DESTDIR="$work/stage" cmake --install "$build" --prefix /usr >/dev/null
check "$work/stage/usr" /usr

[ "$failures" -eq 0 ]
