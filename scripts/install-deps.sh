#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test the clock, on Debian 12 or 13, from
# a minimal system up:
#   install-deps.sh               to build it and make its package
#   install-deps.sh --unit-tests  and to run its unit tests (what a Debian builder runs)
#   install-deps.sh --with-tests  and every other test: end to end, fuzzing, package checks
# Idempotent and quiet when everything is already there.
set -euo pipefail

# cmake runs python3 when the tests are on (the default); CPack's dpkg-shlibdeps step needs file.
build_pkgs=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev qt6-qpa-plugins libsdl2-dev
            libgtest-dev libgmock-dev fonts-liberation libxcb1-dev dpkg-dev file python3
            qt6-translations-l10n)
# The unit tests: libfaketime moves the clock under a wait; tzdata gives the rules of real zones.
unit_pkgs=(faketime tzdata)
# The end-to-end tests, under X11 and Wayland (weston), with a D-Bus notification area of their
# own (python3-gi); strace kills the program mid-save; clang and its libFuzzer runtime fuzz the
# settings; clang-format checks the house style; the rest builds and checks the Debian packages in
# fresh Debian chroots.
test_pkgs=(xvfb xauth trayer openbox xdotool x11-utils imagemagick sox pulseaudio pulseaudio-utils
           dbus-daemon dbus-x11 at-spi2-core python3-pyatspi python3-gi weston qt6-wayland strace
           clang clang-format libclang-rt-dev lintian desktop-file-utils appstream debootstrap)

want=("${build_pkgs[@]}")
case "${1:-}" in
  --unit-tests) want+=("${unit_pkgs[@]}") ;;
  --with-tests) want+=("${unit_pkgs[@]}" "${test_pkgs[@]}") ;;
esac

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
