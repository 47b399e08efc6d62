#!/usr/bin/env bash
# Installs the Debian 12 packages the project builds, tests and runs with — only those
# that are missing, so a second run does nothing. Non-interactive; works as root or via sudo.
set -euo pipefail

packages=(
  # compiler and build
  g++ cmake ninja-build pkg-config git
  # GUI, serial lines, D-Bus (QtDBus is part of qtbase5-dev), image formats
  qtbase5-dev libqt5serialport5-dev qt5-image-formats-plugins libgif-dev
  # the time statistics chart: Qwt, whose pkg-config file requires Qt5Svg (not pulled in by Qwt);
  # Qt5Svg also draws the program's icon
  libqwt-qt5-dev libqt5svg5-dev
  # 3D views
  libvtk9-dev libvtk9-qt-dev
  # a real digital I/O board on Linux: Comedi's user library behind the board library's driver
  libcomedi-dev
  # the Gaussian fit of the beam metrics: GSL's nonlinear least squares
  libgsl-dev
  # the HDF5 export (the serial C library); h5dump and h5py read its files back in the tests
  # and in the README's example
  libhdf5-dev hdf5-tools python3-h5py
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev
  # the sanitizer run and the fuzz targets (clang with its sanitizer and libFuzzer runtimes)
  clang libclang-rt-14-dev llvm
  # headless GUI, session bus and a D-Bus client (gdbus) for the GUI and automation tests;
  # xdotool types into the real program's window in the program tests
  xvfb xauth libgl1-mesa-dri dbus dbus-daemon libglib2.0-bin xdotool
  # reading printed pages and reports back in the tests (pdftotext, pdfimages, pdfinfo)
  poppler-utils
  # the benchmarks: numpy for the script params_bench compares vnqtool params with, and a key
  # press for the live benchmark's question
  python3-numpy xdotool
  # fonts for the chart views
  fonts-dejavu-core
  # the Debian package: manual pages from --help, dpkg-shlibdeps for its Depends, and the
  # checks of the package, its desktop file and its AppStream metainfo
  help2man dpkg-dev lintian appstream desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "install-deps: need root or sudo to install: ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
