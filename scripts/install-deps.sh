#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test the clock.
# Idempotent and quiet when everything is already there.
set -euo pipefail

build_pkgs=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev qt6-qpa-plugins libsdl2-dev
            libgtest-dev libgmock-dev fonts-liberation libxcb1-dev dpkg-dev qt6-translations-l10n)
# The tests (tzdata: the clock changes of real zones); strace kills the program mid-save; clang and its libFuzzer runtime fuzz the settings;
# the rest builds and checks the Debian package in a fresh Debian 12.
test_pkgs=(python3 xvfb xauth trayer openbox xdotool x11-utils faketime imagemagick sox
           pulseaudio pulseaudio-utils dbus-x11 at-spi2-core python3-pyatspi strace clang
           libclang-rt-14-dev lintian desktop-file-utils appstream debootstrap tzdata)

want=("${build_pkgs[@]}")
[ "${1:-}" = "--with-tests" ] && want+=("${test_pkgs[@]}")

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
