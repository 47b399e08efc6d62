#!/usr/bin/env bash
# The package check CI runs after the test suite, on the build folder it left (default build/):
# makes the Debian package, unpacks it into a scratch root and runs the programs from there
# (the library path pointed at the root, so nothing of the build tree is used), builds another
# project against the unpacked libraries through their CMake packages and runs it, validates
# the desktop file and the AppStream metainfo, and runs lintian, which must find no error.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
started=$SECONDS

rm -f "$build"/orbiscan-viewer_*.deb
cmake --build "$build" --target package
deb=$(ls "$build"/orbiscan-viewer_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
echo "check-package: $deb unpacked into $root"

libdir=$(dirname "$(find "$root" -name 'libQuarn.so.1')")
export LD_LIBRARY_PATH="$libdir"
# No installed file carries a run path: what the programs load comes from the library path.
for file in "$root"/usr/bin/* "$libdir"/lib*.so.*.*; do
    if readelf -d "$file" | grep -q 'R.*PATH'; then
        echo "check-package: $file carries a run path" >&2
        exit 1
    fi
done
if ldd "$root/usr/bin/Velor32" "$root/usr/bin/vnqtool" | grep -E 'libQuarn|libCbVelor|libcbw32' |
    grep -v -- "=> $libdir/"; then
    echo "check-package: the programs load libraries from outside the package" >&2
    exit 1
fi
"$root/usr/bin/vnqtool" --version
"$root/usr/bin/vnqtool" params "$build/samples/single-mode-1310.vnq"
"$root/usr/bin/Velor32" --help > /dev/null
echo "check-package: Velor32 --help and vnqtool ran from the package"

cmake -S tests/packaging/consumer -B "$root/consumer" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_PREFIX_PATH="$root/usr" -DVELOR_SOURCE_DIR="$PWD" > /dev/null
cmake --build "$root/consumer" > /dev/null
"$root/consumer/quarn_consumer"
"$root/consumer/cbvelor_consumer"
echo "check-package: a project built with find_package(Quarn) and find_package(CbVelor) ran"

desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
lintian --fail-on error "$deb"
echo "check-package: lintian found no error; done in $((SECONDS - started)) s"
