#!/usr/bin/env bash
# Installs the SDK from a build tree into a fresh prefix, builds a host program with pkg-config alone
# and runs it: it must find the installed vlmrc.dll by name without any further setting.
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
export PKG_CONFIG_PATH=$(dirname "$(find "$prefix" -name handset.pc)")
c++ "$here/host.cpp" $(pkg-config --cflags --libs handset) -o "$prefix/host"
unset HANDSET_ROOT HANDSET_MODULE_PATH
output=$("$prefix/host")
echo "$output"
[ "$output" = "bMirrorCamera=1" ]
