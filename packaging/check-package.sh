#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the .deb from an existing build tree (cpack only, no new build) and
# checks it as a distribution would: lintian finds no error and no warning,
# and the shipped desktop entry and AppStream metadata validate.
# Usage: packaging/check-package.sh BUILD_DIR. Exits 77 (skipped) when a tool
# is missing.
set -euo pipefail
build=${1:?usage: check-package.sh BUILD_DIR}
skipped=77

for tool in cpack dpkg-deb dpkg-shlibdeps dpkg-parsechangelog file strip lintian desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: '$tool' is not installed; the package check needs" \
            "dpkg-dev, file, binutils, lintian, desktop-file-utils and appstream."
        exit $skipped
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAILED: cpack could not build the package"
    exit 1
fi
debs=("$work"/quadrix_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || { cat "$work/cpack.log"; echo "FAILED: cpack made no .deb"; exit 1; }
echo "built $(basename "$deb")"

status=0
# Lintian warns when it runs as root (as CI does); that says nothing about
# the package, so it is left out of the log. --fail-on counts the tags.
lint_status=0
lintian --fail-on error,warning --display-info "$deb" >"$work/lintian.log" 2>&1 || lint_status=$?
grep -v 'running with root privileges' "$work/lintian.log" || true
if [ $lint_status -ne 0 ]; then
    echo "FAILED: lintian reports errors or warnings (exit status $lint_status)"
    status=1
fi

root="$work/root"
dpkg-deb -x "$deb" "$root"
# desktop-file-validate exits 0 on warnings: count them as failures too.
for entry in "$root"/usr/share/applications/*.desktop; do
    if ! desktop-file-validate "$entry" >"$work/desktop.log" 2>&1 ||
        grep -q -e ': error:' -e ': warning:' "$work/desktop.log"; then
        status=1
        echo "FAILED: $entry"
    fi
    cat "$work/desktop.log"
done
for metainfo in "$root"/usr/share/metainfo/*.metainfo.xml; do
    appstreamcli validate --no-net "$metainfo" || { echo "FAILED: $metainfo"; status=1; }
done
# The tree as installed: the metadata's launchable names a shipped desktop entry.
appstreamcli validate-tree --no-net "$root" || { echo "FAILED: metadata and desktop entry disagree"; status=1; }
# This release has its entry in the changelog and in the metadata.
version=$(dpkg-deb -f "$deb" Version)
zcat "$root/usr/share/doc/quadrix/changelog.gz" >"$work/changelog"
if [ "$(dpkg-parsechangelog -l "$work/changelog" -S Version)" != "$version" ]; then
    echo "FAILED: the changelog's latest entry is not $version"
    status=1
fi
if ! grep -q "<release version=\"$version\"" "$root"/usr/share/metainfo/*.metainfo.xml; then
    echo "FAILED: the AppStream metadata has no release $version"
    status=1
fi
[ $status -eq 0 ] && echo "the package is lintian clean and its metadata valid"
exit $status
