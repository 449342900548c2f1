#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Undoes cups_setup.sh: removes the test queue and its cups-pdf settings,
# gives the default printer back, and stops the print service only if the
# setup started it.
#   cups_cleanup.sh STATE_DIR QUEUE OUT_DIR
set -uo pipefail

state=$1
queue=$2
out=$3
PATH=$PATH:/usr/sbin:/sbin

cancel -a "$queue" >/dev/null 2>&1
lpadmin -x "$queue" >/dev/null 2>&1
rm -f "/etc/cups/cups-pdf-$queue.conf"
rm -rf "$out"

previous=$(cat "$state/previous-default" 2>/dev/null)
if [ -n "$previous" ] && lpstat -p "$previous" >/dev/null 2>&1; then
    lpadmin -d "$previous"
fi

if [ -f "$state/cupsd.pid" ]; then
    pid=$(cat "$state/cupsd.pid")
    # Only the service that the setup started, if it still runs.
    if [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = cupsd ] && kill "$pid" 2>/dev/null; then
        # Gone, or left as a zombie for its adopting parent to reap.
        for _ in $(seq 1 40); do
            status=$(awk '{print $3}' "/proc/$pid/stat" 2>/dev/null) || break
            [ "$status" = Z ] && break
            sleep 0.25
        done
    fi
    rm -f "$state/cupsd.pid"
fi
rm -f "$state/previous-default"
exit 0
