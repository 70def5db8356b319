#!/usr/bin/env bash
# Installs the SDK from a build tree into a fresh prefix and uses it from outside the tree, then runs
# what was built with no handset setting but the module folder of the project.
#   sdk_install_test.sh BUILD_DIR pkg-config  a host program built with pkg-config alone finds the
#                                             installed vlmrc.dll by name
#   sdk_install_test.sh BUILD_DIR cmake       a module (.def and .rc), its German resource module and
#                                             a host program built with find_package(handset CONFIG)
set -euo pipefail
build=$1
mode=$2
here=$(cd "$(dirname "$0")" && pwd)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
unset HANDSET_ROOT HANDSET_MODULE_PATH
case "$mode" in
  pkg-config)
    export PKG_CONFIG_PATH=$(dirname "$(find "$prefix" -name handset.pc)")
    c++ "$here/host.cpp" $(pkg-config --cflags --libs handset) -o "$prefix/host"
    output=$("$prefix/host")
    expected="bMirrorCamera=1" ;;
  cmake)
    cmake -S "$here/module_project" -B "$prefix/project" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
      -DCMAKE_CXX_COMPILER="$(grep -m1 '^CMAKE_CXX_COMPILER:' "$build/CMakeCache.txt" | cut -d= -f2)" >/dev/null
    cmake --build "$prefix/project" >/dev/null
    output=$(HANDSET_MODULE_PATH="$prefix/project" "$prefix/project/greeter_host")
    expected=$'by name: Hello\nby ordinal: Grüß Gott\nfrom the resource module: Grüß Gott' ;;
  *) echo "unknown mode '$mode'" >&2; exit 2 ;;
esac
echo "$output"
[ "$output" = "$expected" ]
