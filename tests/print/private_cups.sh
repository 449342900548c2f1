#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A print server of the tests' own: its own folder, port and settings, so
# that the upload faults never touch the system's print service or queues.
#   private_cups.sh start|stop DIR
#   private_cups.sh reset DIR [held|nodefault|noprinter|"Default NAME"]
# start: a scheduler on a free port of 127.0.0.1 (written to DIR/port) with
# the queue QuadrixUpload (jobs go to /dev/null) as its default. reset: that
# queue anew and no job; then held: the queue holds every job, nodefault: no
# default printer, noprinter: no printer at all, Default NAME: that line as
# the lpoptions of the tests' home (DIR/home; none otherwise). stop: the scheduler gone and
# DIR removed.
set -uo pipefail
action=$1
dir=$2
queue=QuadrixUpload
PATH=$PATH:/usr/sbin:/sbin

stop() {
    if [ -f "$dir/cupsd.pid" ]; then
        pid=$(cat "$dir/cupsd.pid")
        [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = cupsd ] && kill "$pid"
        for _ in $(seq 1 40); do [ -d "/proc/$pid" ] || break; sleep 0.25; done
    fi
    rm -rf "$dir"
}

use() {
    export CUPS_SERVER=127.0.0.1:$(cat "$dir/port") CUPS_SERVERROOT=$dir/etc HOME=$dir/admin
}

answers() { lpstat -r 2>/dev/null | grep -q 'scheduler is running'; }

reset() {
    use
    cancel -a -x >/dev/null 2>&1
    rm -f "$dir/home/.cups/lpoptions"
    lpadmin -x "$queue" >/dev/null 2>&1
    lpadmin -p "$queue" -E -v file:///dev/null 2>&1 | grep -v deprecated
    case ${1:-} in
    held) lpadmin -p "$queue" -o job-hold-until-default=indefinite ;;
    nodefault) ;; # a queue added anew is no one's default
    noprinter) lpadmin -x "$queue" ;;
    Default*) mkdir -p "$dir/home/.cups" && echo "$1" >"$dir/home/.cups/lpoptions" ;;&
    *) lpadmin -d "$queue" && lpstat -d | grep -q ": $queue\$" ;;
    esac
}

case $action in
stop) stop ;;
reset) reset "${3:-}" ;;
start)
    [ "$(id -u)" -eq 0 ] || { echo "needs root: it starts a print server" >&2; exit 1; }
    stop
    mkdir -p "$dir"/{etc/ppd,spool/tmp,cache,state,log,home,admin}
    chmod 755 "$dir" "$dir"/*
    chmod 1777 "$dir/spool/tmp"
    python3 -c 'import socket
s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])' >"$dir/port"
    cat >"$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
FileDevice Yes
SystemGroup root
CONF
    cat >"$dir/etc/cupsd.conf" <<CONF
Listen 127.0.0.1:$(cat "$dir/port")
Browsing No
WebInterface No
LogLevel warn
ReloadTimeout 2
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    setsid cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" </dev/null \
        >"$dir/log/cupsd.out" 2>&1 &
    echo $! >"$dir/cupsd.pid"
    use
    for _ in $(seq 1 40); do answers && break; sleep 0.25; done
    answers || { cat "$dir/log/"* >&2; exit 1; }
    reset
    ;;
esac
