#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Test fixture: a full file system, one with a few kilobytes free (a write
# there comes back short without an error) and a read-only one under DIR,
# each holding earlier files old.pdf and old.png, to save onto.
#   fault_mounts.sh setup|cleanup DIR
set -uo pipefail
action=$1
dir=$2
if [ "$action" = cleanup ]; then
    umount "$dir/full" "$dir/nearfull" "$dir/readonly" 2>/dev/null
    rm -rf "$dir"
    exit 0
fi
mkdir -p "$dir/full" "$dir/nearfull" "$dir/readonly"
for fs in full nearfull readonly; do
    if ! mount -t tmpfs -o size=256k quadrix-test "$dir/$fs" 2>/dev/null; then
        echo "fault mounts: mounting a tmpfs is not allowed here (needs root); those tests skip"
        exit 0
    fi
    echo "an earlier file" >"$dir/$fs/old.pdf"
    echo "an earlier file" >"$dir/$fs/old.png"
done
dd if=/dev/zero of="$dir/full/filler" bs=4k 2>/dev/null # until nothing is left
dd if=/dev/zero of="$dir/nearfull/filler" bs=4k count=60 2>/dev/null # 12 kB stay free
mount -o remount,ro "$dir/readonly"
echo "a full, a nearly full and a read-only file system under $dir"
