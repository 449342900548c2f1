#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the .deb and checks it on a fresh, minimal Debian 12 root made with
# debootstrap: the package installs with its declared dependencies and the
# window starts from it. Needs root. Usage:
#   scripts/check-deb.sh [build-dir] [chroot-dir]
#   scripts/check-deb.sh --mirror        only print the mirror it would use
#
# The mirror is this machine's own: the first `deb` source for Debian 12
# (suite bookworm) in /etc/apt/sources.list, then in /etc/apt/sources.list.d/
# (*.list one-line entries and *.sources deb822 stanzas, in apt's order), so a
# machine that reaches Debian through a local mirror, a proxy or a cache of
# its own builds the root from there too.
# Environment:
#   QUADRIX_DEB_MIRROR  the mirror to use instead (a URI such as http://host/debian)
#   QUADRIX_APT_DIR     where apt's configuration lies (/etc/apt)
set -euo pipefail
suite=bookworm

# Prints the URI of the first enabled deb source for $suite in one file.
mirror_in() {
    case $1 in
    *.sources)
        awk -v suite="$suite" '
            function take() {
                if ((" " types " ") ~ / deb / && enabled != "no" && (" " suites " ") ~ (" " suite " ")) {
                    split(uris, u, " "); print u[1]; found = 1; exit
                }
                types = uris = suites = enabled = ""
            }
            /^#/ { next }
            /^[ \t]*$/ { take(); next }
            /^[A-Za-z-]+:/ {
                key = tolower(substr($0, 1, index($0, ":") - 1))
                value = substr($0, index($0, ":") + 1)
                gsub(/^[ \t]+|[ \t]+$/, "", value)
                if (key == "types") types = value
                else if (key == "uris") uris = value
                else if (key == "suites") suites = value
                else if (key == "enabled") enabled = tolower(value)
            }
            END { if (!found) take() }' "$1"
        ;;
    *)
        awk -v suite="$suite" '
            $1 == "deb" {
                i = 2
                if ($i ~ /^\[/) { while (i < NF && $i !~ /\]$/) i++; i++ } # [options]
                if ($(i + 1) == suite) { print $i; exit }
            }' "$1"
        ;;
    esac
}

apt_mirror() {
    local dir=${QUADRIX_APT_DIR:-/etc/apt} file found
    for file in "$dir/sources.list" "$dir"/sources.list.d/*.list "$dir"/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        found=$(mirror_in "$file")
        if [ -n "$found" ]; then
            echo "${found%/}"
            return 0
        fi
    done
    echo "check-deb: no Debian 12 source (a deb line or stanza for suite $suite) is configured in" \
        "$dir/sources.list or $dir/sources.list.d/; set QUADRIX_DEB_MIRROR to a Debian mirror" >&2
    return 1
}

mirror=${QUADRIX_DEB_MIRROR:-$(apt_mirror)}
if [ "${1:-}" = --mirror ]; then
    echo "$mirror"
    exit 0
fi

build=${1:-build}
root=${2:-/tmp/quadrix-deb-root}
command -v debootstrap >/dev/null || apt-get install -y debootstrap
(cd "$build" && rm -f quadrix_*.deb && cpack -G DEB)
deb=$(ls "$build"/quadrix_*.deb)
echo "the root comes from $mirror"
[ -d "$root/usr" ] || debootstrap --variant=minbase "$suite" "$root" "$mirror"
cp "$deb" "$root/tmp/quadrix.deb"
mount -t proc proc "$root/proc"
trap 'umount "$root/proc"' EXIT
chroot "$root" env DEBIAN_FRONTEND=noninteractive bash -c '
    apt-get update -qq && apt-get install -y -qq /tmp/quadrix.deb xvfb xauth >/dev/null
    test -f /usr/share/applications/org.quadrix_project.Quadrix.desktop
    test -f /usr/share/icons/hicolor/16x16/apps/quadrix.png
    xvfb-run -a bash -c "quadrix & sleep 4; pgrep -x quadrix >/dev/null; status=\$?; kill %1; exit \$status"'
echo "the package installs and the window starts"
