#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need, when missing.
set -euo pipefail

packages=(cmake g++ make clang libclang-rt-14-dev qt6-base-dev qt6-base-dev-tools
          libgl1-mesa-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth
          fonts-dejavu-core fonts-noto-cjk poppler-utils python3)
# Qt's own dialogs (file, print, colour) in the program's German and Chinese.
packages+=(qt6-translations-l10n)
# The formatting check and the Debian package and its checks.
packages+=(clang-format dpkg-dev appstream desktop-file-utils)
# Equations, spectra and sound-file import.
packages+=(libmuparser-dev libfftw3-dev libsndfile1-dev)
# The remote-control tests drive the server through PyVISA.
packages+=(python3-pyvisa-py)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
