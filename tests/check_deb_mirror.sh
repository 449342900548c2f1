#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The package check's mirror lookup on made-up apt configurations: one-line
# entries with options, deb822 stanzas (a disabled one, another suite, deb-src
# first), files apt ignores, none for Debian 12, and the override.
#   check_deb_mirror.sh CHECK_DEB_SCRIPT
set -uo pipefail
script=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
status=0
expect() { # expect NAME WANTED [VAR=VALUE]: the mirror printed for $dir/NAME, or "fail"
    local got
    got=$(env QUADRIX_APT_DIR="$dir/$1" ${3:-} bash "$script" --mirror 2>/dev/null) || got=fail
    [ "$got" = "$2" ] || { echo "FAIL: $1: expected $2, got $got"; status=1; }
}
mkdir -p "$dir"/{list,deb822,none}/sources.list.d
cat >"$dir/list/sources.list" <<'END'
# deb file:///commented bookworm main
deb-src file:///sources bookworm main
deb [arch=amd64 signed-by=/k.gpg] file:///other stable main
deb [ arch=amd64 ] file:///srv/mirror/debian/ bookworm main contrib
END
cat >"$dir/deb822/sources.list.d/local.sources" <<'END'
Types: deb
URIs: file:///disabled
Suites: bookworm
Enabled: no

Types: deb
URIs: file:///security
Suites: bookworm-security

Types: deb-src deb
URIs: file:///srv/cache/debian file:///second
Suites: bookworm bookworm-updates
END
echo "deb file:///ignored bookworm main" >"$dir/deb822/sources.list.d/x.list.disabled"
echo "deb file:///old bullseye main" >"$dir/none/sources.list"
expect list file:///srv/mirror/debian
expect deb822 file:///srv/cache/debian
expect none fail
expect none file:///given QUADRIX_DEB_MIRROR=file:///given
exit $status
