#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the .deb and checks it on a fresh, minimal Debian 12 root made with
# debootstrap: the package installs with its declared dependencies and the
# window starts from it. Needs root and Debian's mirror. Usage:
#   scripts/check-deb.sh [build-dir] [chroot-dir]
set -euo pipefail
build=${1:-build}
root=${2:-/tmp/quadrix-deb-root}
command -v debootstrap >/dev/null || apt-get install -y debootstrap
(cd "$build" && rm -f quadrix_*.deb && cpack -G DEB)
deb=$(ls "$build"/quadrix_*.deb)
[ -d "$root/usr" ] || debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
cp "$deb" "$root/tmp/quadrix.deb"
mount -t proc proc "$root/proc"
trap 'umount "$root/proc"' EXIT
chroot "$root" env DEBIAN_FRONTEND=noninteractive bash -c '
    apt-get update -qq && apt-get install -y -qq /tmp/quadrix.deb xvfb xauth >/dev/null
    test -f /usr/share/applications/org.quadrix_project.Quadrix.desktop
    test -f /usr/share/icons/hicolor/16x16/apps/quadrix.png
    xvfb-run -a bash -c "quadrix & sleep 4; pgrep -x quadrix >/dev/null; status=\$?; kill %1; exit \$status"'
echo "the package installs and the window starts"
