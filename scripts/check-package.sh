#!/usr/bin/env bash
# Checks the Debian package the way a user meets it. Run as root, after a build:
#   scripts/check-package.sh [BUILD_DIR]
# Builds the package with CPack; lintian must find no error, the desktop entry and the metainfo
# must validate; then, in a fresh Debian 12 (a debootstrap chroot, its pristine copy kept in
# BUILD_DIR/debian12 between runs) or on this machine when debootstrap is missing, apt installs
# it without recommended packages, the program runs for a user with no settings yet and creates
# them in that user's folder, and the removal leaves none of the package's files.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
[ "$(id -u)" -eq 0 ] || { echo "check-package.sh must run as root (apt, chroot)" >&2; exit 1; }

(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/quentor_*.deb)
tmp=$(mktemp -d)
racine=/
maison=/tmp/quentor-essai-$$  # the user's home, inside the chroot
pids=()
nettoie() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  [ "$racine" = / ] || umount -l "$racine/proc" 2>/dev/null || true
  rm -rf --one-file-system "$tmp" "$racine$maison"
}
trap nettoie EXIT

echo "== lintian $(basename "$deb")"
lintian --fail-on error "$deb"
dpkg-deb -x "$deb" "$tmp/paquet"
echo "== desktop-file-validate"
desktop-file-validate "$tmp"/paquet/usr/share/applications/*.desktop
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$tmp"/paquet/usr/share/metainfo/*.xml

if command -v debootstrap >/dev/null; then
  if [ ! -e "$build/debian12/.complet" ]; then
    echo "== debootstrap (first run only)"
    rm -rf "$build/debian12"
    debootstrap --variant=minbase bookworm "$build/debian12" >/dev/null
    touch "$build/debian12/.complet"
  fi
  racine=$tmp/debian12
  cp -a "$build/debian12" "$racine"
  cp /etc/resolv.conf "$racine/etc/"
  mount -t proc proc "$racine/proc"
fi
dans() { chroot "$racine" "$@"; }
apt_dans() {  # quiet unless it fails
  DEBIAN_FRONTEND=noninteractive dans apt-get -y -qq "$@" >"$tmp/apt.log" 2>&1 ||
    { cat "$tmp/apt.log" >&2; return 1; }
}

echo "== apt install ./$(basename "$deb") (in ${racine})"
cp "$deb" "$racine/tmp/quentor.deb"
avant=$(dans dpkg-query -W | wc -l)
apt_dans update
apt_dans install --no-install-recommends /tmp/quentor.deb
echo "installed with $(( $(dans dpkg-query -W | wc -l) - avant - 1 )) packages it depends on"
dans dpkg-query -L quentor | sort > "$tmp/fichiers"

echo "== the program for a user of its own"
mkdir -p "$racine$maison/run" && chmod 700 "$racine$maison/run" && chown -R 4242:4242 "$racine$maison"
Xvfb -displayfd 5 -nolisten tcp 5>"$tmp/ecran" 2>/dev/null &
pids+=($!)
until [ -s "$tmp/ecran" ]; do sleep 0.1; done
# The chroot reaches the display through its abstract socket. chroot, setpriv and env each
# replace themselves with the next, so $! is the program's own PID.
chroot "$racine" setpriv --reuid=4242 --regid=4242 --clear-groups env -i HOME="$maison" \
  XDG_RUNTIME_DIR="$maison/run" DISPLAY=":$(cat "$tmp/ecran")" SDL_AUDIODRIVER=dummy quentor &
quentor=$!
pids+=($quentor)
for _ in $(seq 150); do  # until its close sequence answers SIGTERM
  masque=$(awk '/^SigCgt/ {print $2}' "/proc/$quentor/status" 2>/dev/null) ||
    { wait $quentor || true; echo "the program ended at its start" >&2; exit 1; }
  (( 0x$masque >> 14 & 1 )) && break
  sleep 0.1
done
kill -TERM $quentor
wait $quentor
reglages=$racine$maison/.config/quentor
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
