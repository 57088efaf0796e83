#!/usr/bin/env bash
# scripts/install-deps on a machine that has every package: it must not reach
# for apt (no sudo, no network). apt-get and sudo are replaced by stand-ins
# that record being called.
set -euo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
for tool in apt-get apt sudo; do
  printf '#!/bin/sh\necho "%s $*" >> "%s/calls"\nexit 1\n' "$tool" "$work" > "$work/bin/$tool"
  chmod +x "$work/bin/$tool"
done
if ! PATH="$work/bin:$PATH" "$source_dir/scripts/install-deps"; then
  echo "install-deps failed"
  cat "$work/calls" 2>/dev/null || true
  exit 1
fi
if [ -s "$work/calls" ]; then
  echo "install-deps reached for apt although everything is installed:"
  cat "$work/calls"
  exit 1
fi
