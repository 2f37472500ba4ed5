#!/usr/bin/env bash
# Checks the Debian package the way a user of one Debian release meets it. Run as root:
#   scripts/check-debian.sh SUITE [BUILD_DIR]      SUITE: bookworm (Debian 12) or trixie (Debian 13)
# bookworm: the package of this machine's build (BUILD_DIR, built on Debian 12). trixie: the
# sources are built in a Debian 13 chroot with only the packages install-deps.sh lists, in the C
# locale with every warning an error, as a Debian builder would; its unit tests run there and CPack
# makes the Debian 13 package; then both that package and the Debian 12 one are checked.
# Each package: lintian finds no error, the desktop entry and the metainfo validate; in a fresh
# chroot of SUITE apt installs it without recommended packages, the program runs for a user with
# no settings yet and creates them in that user's folder, and the purge leaves none of its files.
# The chroots are kept as tarballs in /var/cache/quentor-ci, the bare system and the build one
# (keyed by install-deps.sh), and so are the packages apt downloads: the next run reuses them.
set -euo pipefail
cd "$(dirname "$0")/.."
suite=${1:?usage: check-debian.sh bookworm|trixie [BUILD_DIR]}
build=$(realpath "${2:-build}")
[ "$(id -u)" -eq 0 ] || { echo "check-debian.sh must run as root (debootstrap, chroot, apt)" >&2; exit 1; }
cache=/var/cache/quentor-ci
mkdir -p "$cache/archives-$suite"
tmp=$(mktemp -d /var/tmp/quentor-debian.XXXXXX)
maison=/tmp/quentor-essai  # the user's home, inside the chroot
montages=()
pids=()
nettoie() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for ((i = ${#montages[@]} - 1; i >= 0; i--)); do umount -l "${montages[i]}" 2>/dev/null || true; done
  montages=()
  rm -rf --one-file-system "$tmp"
}
trap nettoie EXIT
monte() {  # monte ROOT: what a program in the chroot needs, undone by demonte or at the exit
  mount -t proc proc "$1/proc" && montages+=("$1/proc")
  mount --bind "$cache/archives-$suite" "$1/var/cache/apt/archives" && montages+=("$1/var/cache/apt/archives")
}
demonte() {
  for ((i = ${#montages[@]} - 1; i >= 0; i--)); do umount "${montages[i]}"; done
  montages=()
}
dans() { chroot "$racine" "$@"; }
apt_dans() {  # quiet unless it fails
  DEBIAN_FRONTEND=noninteractive dans apt-get -y -qq "$@" >"$tmp/apt.log" 2>&1 ||
    { cat "$tmp/apt.log" >&2; return 1; }
}

# racine DIR [deps]: a fresh root of the suite in DIR, and $racine set to it; with "deps", the
# packages install-deps.sh lists to build and unit-test the clock are installed in it.
racine() {
  local dir=$1 cle=$suite
  [ -n "${2:-}" ] && cle=$suite-deps-$(sha256sum scripts/install-deps.sh | cut -c1-16)
  racine=$dir
  if [ -e "$cache/$cle.tar" ]; then
    mkdir -p "$dir" && tar -C "$dir" -xf "$cache/$cle.tar"
  else
    if [ -n "${2:-}" ]; then
      racine "$dir"
      echo "== $suite: the build packages of install-deps.sh (first run only)"
      cp scripts/install-deps.sh "$dir/tmp/"
      monte "$dir"
      dans /tmp/install-deps.sh --unit-tests >/dev/null 2>"$tmp/apt.log" || { cat "$tmp/apt.log" >&2; exit 1; }
      demonte
      rm -f "$cache/$suite"-deps-*.tar
    else
      echo "== debootstrap $suite (first run only)"
      debootstrap --variant=minbase "$suite" "$dir" >/dev/null
    fi
    tar -C "$dir" -cf "$cache/$cle.tar.part" . && mv "$cache/$cle.tar.part" "$cache/$cle.tar"
  fi
  cp /etc/resolv.conf "$dir/etc/"
}

# verifie DEB: the checks of one package on the suite.
verifie() {
  local deb=$1 essai=$tmp/essai-$RANDOM
  echo "== lintian $(basename "$deb")"
  lintian --fail-on error "$deb"
  dpkg-deb -x "$deb" "$essai-paquet"
  echo "== desktop-file-validate, appstreamcli validate --no-net"
  desktop-file-validate "$essai-paquet"/usr/share/applications/*.desktop
  appstreamcli validate --no-net "$essai-paquet"/usr/share/metainfo/*.xml >/dev/null

  racine "$essai"
  monte "$racine"
  echo "== $suite: apt install ./$(basename "$deb")"
  cp "$deb" "$racine/tmp/quentor.deb"
  local avant
  avant=$(dans dpkg-query -W | wc -l)
  apt_dans update
  apt_dans install --no-install-recommends /tmp/quentor.deb
  echo "installed with $(( $(dans dpkg-query -W | wc -l) - avant - 1 )) packages it depends on"
  dans dpkg-query -L quentor | sort > "$tmp/fichiers"

  echo "== the program for a user of its own"
  mkdir -p "$racine$maison/run" && chmod 700 "$racine$maison/run" && chown -R 4242:4242 "$racine$maison"
  rm -f "$tmp/ecran"
  Xvfb -displayfd 5 -nolisten tcp 5>"$tmp/ecran" 2>/dev/null &
  local xvfb=$!
  pids+=($xvfb)
  until [ -s "$tmp/ecran" ]; do sleep 0.1; done
  # The chroot reaches the display through its abstract socket. chroot, setpriv and env each
  # replace themselves with the next, so $! is the program's own PID.
  chroot "$racine" setpriv --reuid=4242 --regid=4242 --clear-groups env -i HOME="$maison" LANG=C.UTF-8 \
    XDG_RUNTIME_DIR="$maison/run" DISPLAY=":$(cat "$tmp/ecran")" SDL_AUDIODRIVER=dummy quentor &
  local quentor=$! i
  pids+=($quentor)
  # Until it runs (the chain of exec done) and has filled the user's folder, then a second more
  # for its close to be armed; the first start in a fresh system also builds the font cache.
  local reglages=$racine$maison/.config/quentor f reste
  for ((i = 0; ; i++)); do
    [ -e "/proc/$quentor" ] || { wait $quentor || true; echo "the program ended at its start" >&2; exit 1; }
    [[ "$(readlink "/proc/$quentor/exe")" == */usr/bin/quentor && -e "$reglages/QS32.ini" ]] && break
    (( i < 1200 )) || { echo "the program did not start in 120 s" >&2; exit 1; }
    sleep 0.1
  done
  sleep 1
  echo "started in $(( i / 10 + 1 )) s"
  kill -TERM $quentor
  wait $quentor || { echo "the program did not end cleanly at SIGTERM" >&2; exit 1; }
  kill $xvfb && wait $xvfb || true
  pids=()
  for f in QS32.ini MSG1.ASC MSG2.ASC MSG3.ASC MSG4.ASC MSG5.ASC MSG6.ASC; do
    [ "$(stat -c %u "$reglages/$f")" = 4242 ] || { echo "missing: $reglages/$f" >&2; exit 1; }
  done
  echo "settings created in $maison/.config/quentor"

  echo "== apt purge quentor"
  apt_dans purge quentor
  reste=$(while read -r f; do [ -e "$racine$f" ] && [ ! -d "$racine$f" ] && echo "$f"; done \
    < "$tmp/fichiers"; for d in /usr/share/quentor /usr/share/doc/quentor; do
    [ -e "$racine$d" ] && echo "$d"; done; true)
  [ -z "$reste" ] || { echo "left after removal:" $reste >&2; exit 1; }
  echo "removed cleanly"
  demonte
  rm -rf --one-file-system "$essai" "$essai-paquet"
}

case "$suite" in
  bookworm) debs=() ;;
  trixie)
    racine "$tmp/construction" deps
    echo "== trixie: build, unit tests and package from the sources"
    git ls-files -co --exclude-standard | tar -cf - -T - | (mkdir "$racine/src" && tar -C "$racine/src" -xf -)
    monte "$racine"
    dans env -i PATH=/usr/bin:/bin HOME=/root sh -ec '
      cmake -S /src -B /build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
      cmake --build /build -j2 >/build/journal || { tail -n 60 /build/journal; exit 1; }
      cd /build && ctest -E "^e2e[.]" -j2 --timeout 300 --output-on-failure >tests.log || { cat tests.log; exit 1; }
      grep "tests passed" tests.log
      cpack -G DEB >/dev/null'
    demonte
    cp "$racine"/build/quentor_*~deb13_*.deb "$build/"
    debs=("$(ls "$build"/quentor_*~deb13_*.deb)")
    rm -rf --one-file-system "$racine" ;;
  *) echo "unknown suite: $suite (bookworm or trixie)" >&2; exit 1 ;;
esac
# The package of this machine's build: Debian 12's, on either release.
(cd "$build" && cpack -G DEB >/dev/null)
debs+=("$(ls "$build"/quentor_*~deb12_*.deb)")
for deb in "${debs[@]}"; do verifie "$deb"; done
