#!/usr/bin/env bash
# Builds a program that uses std::thread and std::mutex with each Windows toolchain file while the
# plain compiler names (x86_64-w64-mingw32-g++ ...) lead to compilers that cannot build it, as they
# do where Debian's mingw-w64 made its -win32 variants the default: the toolchain files must name
# the compilers they need, whatever alternative the machine chose. Exit code 77 when a -posix
# compiler is not installed.
#   check_toolchain.sh SOURCE_DIR WORK_DIR
set -euo pipefail
source_dir=$1 work=$2

rm -rf "$work"
mkdir -p "$work/plain-names"
for arch in x86_64 i686; do
  if ! command -v "$arch-w64-mingw32-g++-posix" >/dev/null; then
    echo "SKIPPED: $arch-w64-mingw32-g++-posix is not installed (scripts/windows-build installs it)"
    exit 77
  fi
  for tool in gcc g++; do
    printf '#!/bin/sh\necho "%s: the -win32 variant, no std::thread or std::mutex" >&2\nexit 1\n' \
      "$arch-w64-mingw32-$tool" >"$work/plain-names/$arch-w64-mingw32-$tool"
    chmod +x "$work/plain-names/$arch-w64-mingw32-$tool"
  done
done

for arch in x86_64 i686; do
  build="$work/$arch"
  PATH="$work/plain-names:$PATH" cmake -S "$source_dir/tests/windows/toolchain" -B "$build" \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/toolchains/$arch-w64-mingw32.cmake" >"$work/$arch.log" 2>&1 &&
    PATH="$work/plain-names:$PATH" cmake --build "$build" >>"$work/$arch.log" 2>&1 || {
      echo "FAILED: the $arch toolchain file does not build a threaded program when the plain compiler names lead elsewhere:"
      cat "$work/$arch.log"
      exit 1
    }
  echo "$arch: built with $(grep -ho -m1 'set(CMAKE_CXX_COMPILER "[^"]*' "$build"/CMakeFiles/*/CMakeCXXCompiler.cmake | cut -d'"' -f2)"
done
