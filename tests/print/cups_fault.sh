#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Puts the test queue into a fault and back (run under the CUPS lock).
#   cups_fault.sh QUEUE STATE_DIR reject|disable|delete|restore
set -uo pipefail
queue=$1
state=$2
PATH=$PATH:/usr/sbin:/sbin
case $3 in
reject) cupsreject "$queue" ;;
disable) cupsdisable "$queue" ;;
delete)
    cp "/etc/cups/ppd/$queue.ppd" "$state/deleted.ppd" && lpadmin -x "$queue"
    ;;
restore)
    if ! lpstat -p "$queue" >/dev/null 2>&1; then
        lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P "$state/deleted.ppd" 2>&1 | grep -v deprecated
        lpadmin -d "$queue"
    fi
    cupsenable "$queue" && cupsaccept "$queue"
    ;;
esac
