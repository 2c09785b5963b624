#!/usr/bin/env bash
# Checks the README's two commands on a fresh Debian machine: makes a clean root with debootstrap
# (minbase) from this machine's Debian mirror, puts a `git archive` of HEAD in it, and there runs
# the test command, the run command under a virtual X server (to the main window, a screenshot and
# a clean exit) and the test command once more (warm). Needs root on this machine; not part of CI.
#   scripts/fresh-debian-check.sh RELEASE [--user]
# RELEASE is a Debian code name (bookworm, trixie). --user runs both commands as a non-root user
# with sudo. FRESH_ROOT is the root's folder (default /var/tmp/tavrolin-fresh-RELEASE, made anew),
# FRESH_CPUS the cores the commands may use (default the last three), FRESH_WARM=no leaves out the
# warm run. Screenshots and logs go to build/fresh-RELEASE/ in this checkout.
set -euo pipefail
cd "$(dirname "$0")/.."
release=${1:?usage: scripts/fresh-debian-check.sh RELEASE [--user]}
as_user=false
[ "${2:-}" = --user ] && as_user=true
[ "$(id -u)" -eq 0 ] || { echo "fresh-debian-check: run as root (debootstrap, chroot, mount)" >&2; exit 1; }
root=${FRESH_ROOT:-/var/tmp/tavrolin-fresh-$release}
last=$(($(nproc) - 1))
cpus=${FRESH_CPUS:-$((last > 2 ? last - 2 : 0))-$last}
out=$PWD/build/fresh-$release
mkdir -p "$out"

# The first Debian archive this machine's apt reads from (one-line or deb822 sources).
mirror() {
  local file
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    if [ -f "$file" ]; then cat "$file"; fi
  done | awk '
    /^deb / { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) { print $i; break } }
    /^URIs:/ { for (i = 2; i <= NF; i++) print $i }' | grep -v security | grep '/debian/\?$' | head -n 1
}
url=$(mirror)
[ -n "$url" ] || { echo "fresh-debian-check: no Debian mirror in /etc/apt" >&2; exit 1; }

mounted() { grep -q " $root/" /proc/mounts; }
unmount() {
  local m
  for m in dev/pts dev/shm dev proc; do
    if mountpoint -q "$root/$m"; then umount -l "$root/$m"; fi
  done
}
if [ -e "$root" ]; then
  mounted && { echo "fresh-debian-check: something is mounted under $root" >&2; exit 1; }
  rm -rf "$root"
fi
command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -q debootstrap
echo "== debootstrap $release from $url"
debootstrap --variant=minbase "$release" "$root" "$url" > "$out/debootstrap.log"
# No services start inside the root, so nothing of it outlives the check.
printf '#!/bin/sh\nexit 101\n' > "$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"
trap unmount EXIT
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mount -t tmpfs shm "$root/dev/shm"

home=/root
user=root
if $as_user; then
  user=builder
  home=/home/$user
  chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q sudo > "$out/sudo.log"
  chroot "$root" useradd -m -s /bin/bash "$user"
  echo "$user ALL=(ALL) NOPASSWD: ALL" > "$root/etc/sudoers.d/$user"
fi
mkdir -p "$root$home/tavrolin"
git archive HEAD | tar -x -C "$root$home/tavrolin"
chroot "$root" chown -R "$user:" "$home/tavrolin"

# inside <log> <command>: runs the command in the checkout inside the root, as its user, on the
# chosen cores, with a login's plain environment (a fresh system sets no locale); prints the wall
# time. With offline=1 it runs in a network namespace of its own (loopback only): X servers listen
# on abstract sockets, which belong to the network namespace, not to the root's /tmp, so without it
# the root's virtual X servers and this machine's would take one another's display numbers.
inside() {
  local log=$1 start=$SECONDS rc=0 isolate=()
  shift
  [ "${offline:-0}" = 1 ] && isolate=(unshare --net -- sh -c 'ip link set lo up && exec "$@"' sh)
  taskset -c "$cpus" "${isolate[@]}" chroot "$root" runuser -u "$user" -- env -i HOME="$home" USER="$user" \
    PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin bash -c "cd ~/tavrolin && $*" > "$out/$log" 2>&1 || rc=$?
  echo "$log: exit $rc after $((SECONDS - start)) s on cores $cpus"
  return $rc
}

# The run command under a virtual X server: waits for the main window, saves a screenshot, closes
# the window as its close button does and expects the program to end cleanly. A first run greets
# the user with messages and a settings sheet in front of the window: Enter accepts each in turn.
read -r -d '' run_in_x <<'EOF' || true
./scripts/run.sh & pid=$!
until window=$(scripts/x11-window.py find Tavrolin 2>/dev/null); do
  kill -0 $pid 2>/dev/null || { wait $pid; echo "run.sh ended without a window: $?"; exit 1; }
  sleep 1
done
sleep 3
scripts/x11-window.py screenshot build/main-window.png
for _ in $(seq 20); do
  scripts/x11-window.py close "$window"
  sleep 2
  kill -0 $pid 2>/dev/null || break
  xdotool key Return
  sleep 1
done
wait $pid
EOF

echo "== $release as $user, logs in $out"
# The set-up stage reaches the package archive; everything after it runs offline (see inside).
inside setup.log ./scripts/setup.sh
offline=1 inside test-cold.log ./scripts/test.sh
echo "== left in the root's temporary folder by the tests:"
ls -A "$root/tmp"
offline=1 inside run.log "xvfb-run -a -s '-screen 0 1280x800x24' bash -c '$run_in_x'"
cp "$root$home/tavrolin/build/main-window.png" "$out/"
# The dialog screenshots come from the sanitizer build; they are pictures to look at, not leak checks.
offline=1 inside shots.log "export ASAN_OPTIONS=detect_leaks=0 && scripts/preferences-screenshot.sh build/sanitize &&
  scripts/edit-object-screenshot.sh build/sanitize"
cp "$root$home"/tavrolin/build/screenshots/*.png "$out/"
[ "${FRESH_WARM:-yes}" = no ] || offline=1 inside test-warm.log ./scripts/test.sh
echo "== lines that read like errors in the run command's output:"
grep -inE 'error|warn|not set|not support|fail|locale' "$out/run.log" | grep -v '^[0-9]*:\[' || echo "(none)"
