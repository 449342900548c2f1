#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Test fixture: a PDF print queue (cups-pdf) as the system's default printer.
#   cups_setup.sh STATE_DIR QUEUE OUT_DIR
# Starts the print service when it is not running and notes in STATE_DIR what
# it started and changed, so that cups_cleanup.sh undoes exactly that.
set -euo pipefail

state=$1
queue=$2
out=$3

fail() {
    echo "print test setup: $*" >&2
    exit 1
}

[ "$(id -u)" -eq 0 ] || fail "needs root: it adds a printer and may start the print service"
PATH=$PATH:/usr/sbin:/sbin
for tool in cupsd lpadmin lpstat cancel; do
    command -v "$tool" >/dev/null || fail "$tool not found (install cups and cups-client)"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || fail "the cups-pdf backend is missing (install printer-driver-cups-pdf)"

ppd=
for candidate in /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd \
    /usr/share/ppd/cups-pdf/*.ppd; do
    if [ -f "$candidate" ]; then
        ppd=$candidate
        break
    fi
done
[ -n "$ppd" ] || fail "no cups-pdf PPD in /usr/share/ppd/cups-pdf"

mkdir -p "$state"
rm -f "$state/cupsd.pid" "$state/previous-default"

# A home of the tests' own, new each run (the tests get it from CTest): the
# lpoptions of an earlier run or of the user do not reach them.
rm -rf "$state/home"
mkdir -p "$state/home"
export HOME=$state/home

scheduler_running() {
    lpstat -r 2>/dev/null | grep -q 'scheduler is running'
}

# The print service: use the one that runs, or start our own (in the
# foreground mode, detached, so that its process id is ours to stop).
if ! scheduler_running; then
    setsid cupsd -f </dev/null >"$state/cupsd.log" 2>&1 &
    echo $! >"$state/cupsd.pid"
    for _ in $(seq 1 60); do
        scheduler_running && break
        sleep 0.5
    done
    scheduler_running || fail "cupsd did not start; see $state/cupsd.log"
fi

# Remember the default printer to give it back afterwards.
lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p' >"$state/previous-default" || true

# A queue left by an interrupted run goes first.
cancel -a "$queue" >/dev/null 2>&1 || true
lpadmin -x "$queue" >/dev/null 2>&1 || true

# cups-pdf reads cups-pdf-NAME.conf for the device URI cups-pdf:/NAME: it puts
# this queue's PDFs in a folder of the test's own, whoever prints.
rm -rf "$out"
mkdir -p "$out"
cat >"/etc/cups/cups-pdf-$queue.conf" <<CONF
# Written by the Quadrix print test; removed when the test ends.
Out $out
CONF

lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P "$ppd" 2>&1 | grep -v 'deprecated' || true
lpstat -p "$queue" >/dev/null 2>&1 || fail "the queue $queue was not created"
lpadmin -d "$queue"
lpstat -d | grep -q ": $queue\$" || fail "$queue did not become the default printer"
echo "print queue $queue ready (default printer), PDFs go to $out"
