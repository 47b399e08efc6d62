#!/bin/sh
# Installs the library into a scratch prefix and builds and runs a C program against it through
# pkg-config alone, as another program would. Installed libraries carry no run path: in a
# prefix the loader does not search, the linker and the program find the library and the
# driver beside it through the library path.
# Usage: check-install.sh <cmake> <build dir> <scratch dir> <C source>
set -eu
cmake=$1 build=$2 scratch=$3 source=$4

rm -rf "$scratch"
"$cmake" --install "$build" --component cbvelor --prefix "$scratch/prefix" >/dev/null
pc=$(find "$scratch/prefix" -name cbvelor.pc)
[ -n "$pc" ] || { echo "cbvelor.pc not installed"; exit 1; }
PKG_CONFIG_PATH=$(dirname "$pc")
export PKG_CONFIG_PATH
libdir=$(pkg-config --variable=libdir cbvelor)
for file in cbvelor/cbvelor.h; do
    [ -f "$(pkg-config --variable=includedir cbvelor)/$file" ] || { echo "$file missing"; exit 1; }
done
[ -e "$libdir/libcbw32.so.1" ] || { echo "libcbw32.so.1 not installed beside the library"; exit 1; }
for library in libCbVelor.so libcbw32.so.1; do
    if readelf -d "$libdir/$library" | grep -q 'R.*PATH'; then
        echo "$library carries a run path"
        exit 1
    fi
done

export LD_LIBRARY_PATH="$libdir"
cc -std=c11 -Wall -Wextra -Wpedantic -Werror -o "$scratch/c_program" "$source" \
    $(pkg-config --cflags --libs cbvelor)
"$scratch/c_program"
echo "installed library, driver, header and cbvelor.pc usable"
