#!/usr/bin/env bash
# Builds the Debian packages (`make package`), unpacks them into a scratch
# root and builds the example hosts the -dev package ships against what the
# packages hold, as a host developer would: the console host with CMake and
# with pkg-config on a plain c++ command line, the Qt host with CMake. Each
# example must build without warnings, run, end well and print its line.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}

rm -f "$BUILD_DIR"/packages/*.deb
make package BUILD_DIR="$BUILD_DIR"
work=$(mktemp -d "${TMPDIR:-/tmp}/zelt-package-check.XXXXXX")
trap 'rm -rf "$work"' EXIT
root=$work/root
for deb in "$BUILD_DIR"/packages/*.deb; do
  echo "package-check: unpacking $(basename "$deb")"
  dpkg -x "$deb" "$root"
done
prefix=$root/usr
examples=$prefix/share/doc/zelt-ordered-items-dev/examples
flags="-Wall -Wextra -Wpedantic -Werror"
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=offscreen

fail() { echo "package-check: $*" >&2; exit 1; }

# expect WHAT PATTERN COMMAND...: the command must end well and print a line
# matching the extended regular expression.
expect() {
  local what=$1 pattern=$2 out
  shift 2
  out=$("$@" 2>&1) || { echo "$out"; fail "$what failed"; }
  grep -Eq -- "$pattern" <<<"$out" || { echo "$out"; fail "$what did not print a line matching: $pattern"; }
  echo "package-check: $what: $(grep -E -m1 -- "$pattern" <<<"$out")"
}

# cmake_build NAME: configures and builds an example against the unpacked
# package alone, and checks that find_package took it from there.
cmake_build() {
  cmake -S "$examples/$1" -B "$work/$1" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_CXX_FLAGS="$flags" >"$work/$1.log" 2>&1 \
    || { cat "$work/$1.log"; fail "configuring $1 failed"; }
  grep -qxF "ZeltOrderedItems_DIR:PATH=$prefix/lib/cmake/ZeltOrderedItems" "$work/$1/CMakeCache.txt" \
    || fail "$1 found ZeltOrderedItems elsewhere than in the unpacked package"
  cmake --build "$work/$1" || fail "building $1 failed"
}

cmake_build console-host
expect "console host (CMake)" '^AvaTax transactions: 1$' "$work/console-host/console-host"

export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
expect "pkg-config" "^$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD_DIR/CMakeCache.txt")\$" \
  pkg-config --modversion zelt-ordered-items
# shellcheck disable=SC2046,SC2086 # the flags are words by design
c++ -std=c++20 $flags "$examples/console-host/main.cpp" -o "$work/console-host-pc" \
  $(pkg-config --cflags --libs --static zelt-stand-ins zelt-ordered-items) || fail "building with pkg-config failed"
expect "console host (pkg-config)" '^Lines: 11 \(1 added' "$work/console-host-pc" "$examples/sample-order"

cmake_build qt-host
expect "Qt host (CMake, offscreen)" '^Lines: 10, total deposit: [0-9]' "$work/qt-host/qt-host" --check
echo "package-check: the packages serve both hosts"
