#!/bin/sh
# Installs the library into a scratch prefix and builds and runs a C program against it through
# pkg-config alone, as another program would.
# Usage: check-install.sh <cmake> <build dir> <scratch dir> <C source>
set -eu
cmake=$1 build=$2 scratch=$3 source=$4

rm -rf "$scratch"
"$cmake" --install "$build" --component quarn --prefix "$scratch/prefix" >/dev/null
pc=$(find "$scratch/prefix" -name quarn.pc)
[ -n "$pc" ] || { echo "quarn.pc not installed"; exit 1; }
PKG_CONFIG_PATH=$(dirname "$pc")
export PKG_CONFIG_PATH

cc -std=c11 -Wall -Wextra -Wpedantic -Werror -o "$scratch/c_program" "$source" \
    $(pkg-config --cflags --libs quarn) -lm
LD_LIBRARY_PATH=$(pkg-config --variable=libdir quarn) "$scratch/c_program"
echo "installed library, header and quarn.pc usable"
