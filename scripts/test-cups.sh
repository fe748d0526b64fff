#!/usr/bin/env bash
# A private CUPS server for the printing tests: listens on loopback only (a
# private port and a socket in its own folder), keeps its configuration, spool,
# cache and logs in its own folder, and has one PDF queue (cups-pdf) as its
# default destination, whose output folder the tests read.
#
#   scripts/test-cups.sh start   starts it (or finds it running) and prints
#                                the environment to use, KEY=VALUE per line
#   scripts/test-cups.sh stop    stops it and removes its folder
#   scripts/test-cups.sh env     prints the environment when it is running
#
# Settings: QS_CUPS_DIR (default /tmp/qs-test-cups), QS_CUPS_PORT (default 8631).
# Needs root: the cups-pdf backend only runs as root. Never touches the system's
# own cupsd; its only file outside QS_CUPS_DIR is the cups-pdf setting of its
# queue (/etc/cups/cups-pdf-QUEUE.conf, read only by that queue), removed by stop.
set -euo pipefail

DIR=${QS_CUPS_DIR:-/tmp/qs-test-cups}
PORT=${QS_CUPS_PORT:-8631}
QUEUE=${QS_CUPS_QUEUE:-qs-test-pdf}
CUPSD=${CUPSD:-/usr/sbin/cupsd}
PDF_CONF=/etc/cups/cups-pdf-${QUEUE}.conf
PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
BACKEND=/usr/lib/cups/backend/cups-pdf

die() {
    echo "test-cups: $*" >&2
    exit 2
}

running_pid() {
    local pid
    [[ -f $DIR/cupsd.pid ]] || return 1
    pid=$(<"$DIR/cupsd.pid")
    [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null || return 1
    echo "$pid"
}

print_env() {
    echo "CUPS_SERVER=127.0.0.1:$PORT"
    echo "QS_CUPS_SOCKET=$DIR/run/cups.sock"
    echo "QS_CUPS_QUEUE=$QUEUE"
    echo "QS_CUPS_PDF_DIR=$DIR/pdf"
}

# True once the scheduler answers and the queue is the default destination.
ready() {
    lpstat -h "127.0.0.1:$PORT" -d 2>/dev/null | grep -q -- "$QUEUE"
}

write_config() {
    mkdir -p "$DIR"/{conf/ppd,spool/tmp,cache,state,log,run,pdf,pdf-spool}
    chmod 0755 "$DIR" "$DIR/run"
    chmod 0710 "$DIR/spool"
    chgrp lp "$DIR/spool" 2>/dev/null || true
    chmod 1777 "$DIR/spool/tmp" "$DIR/pdf-spool"
    chmod 0777 "$DIR/pdf"

    cat >"$DIR/conf/cupsd.conf" <<EOF
LogLevel warn
MaxLogSize 0
ErrorPolicy abort-job
Listen 127.0.0.1:$PORT
Listen $DIR/run/cups.sock
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
DefaultAuthType None
PreserveJobHistory Yes
MaxJobs 0
<Location />
  Order allow,deny
  Allow from 127.0.0.1
  Allow from @LOCAL
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    cat >"$DIR/conf/cups-files.conf" <<EOF
ServerRoot $DIR/conf
RequestRoot $DIR/spool
TempDir $DIR/spool/tmp
CacheDir $DIR/cache
StateDir $DIR/state
AccessLog $DIR/log/access_log
ErrorLog $DIR/log/error_log
PageLog $DIR/log/page_log
SystemGroup root
User lp
Group lp
FileDevice No
EOF
    cp "$PPD" "$DIR/conf/ppd/$QUEUE.ppd"
    cat >"$DIR/conf/printers.conf" <<EOF
<DefaultPrinter $QUEUE>
Info Quendelstrand test PDF queue
MakeModel Generic CUPS-PDF Printer (no options)
DeviceURI cups-pdf:/$QUEUE
State Idle
Accepting Yes
Shared No
</DefaultPrinter>
EOF
    chmod 0600 "$DIR/conf/printers.conf"
    # Output straight into one folder; the file name starts with the job id.
    cat >"$PDF_CONF" <<EOF
Out $DIR/pdf
AnonDirName $DIR/pdf
Spool $DIR/pdf-spool
Log $DIR/log
Label 1
Grp root
UserUMask 0022
AnonUMask 0022
EOF
}

start() {
    if running_pid >/dev/null; then
        print_env
        return 0
    fi
    [[ $(id -u) -eq 0 ]] || die "needs root (the cups-pdf backend runs only as root)"
    [[ -x $CUPSD ]] || die "no $CUPSD (package cups-daemon)"
    [[ -f $PPD && -e $BACKEND ]] || die "no cups-pdf (package printer-driver-cups-pdf)"
    command -v lpstat >/dev/null || die "no lpstat (package cups-client)"
    rm -rf "$DIR"
    write_config
    "$CUPSD" -t -c "$DIR/conf/cupsd.conf" -s "$DIR/conf/cups-files.conf" >"$DIR/log/check" 2>&1 ||
        die "configuration rejected: $(cat "$DIR/log/check")"
    setsid "$CUPSD" -f -c "$DIR/conf/cupsd.conf" -s "$DIR/conf/cups-files.conf" \
        </dev/null >>"$DIR/log/stdout" 2>&1 &
    echo $! >"$DIR/cupsd.pid"
    local pid=$! tries=0
    until ready; do
        kill -0 "$pid" 2>/dev/null || die "cupsd ended: $(tail -n 5 "$DIR/log/error_log" 2>/dev/null)"
        tries=$((tries + 1))
        [[ $tries -le 100 ]] || { stop_server; die "cupsd did not answer on port $PORT"; }
        sleep 0.1
    done
    echo "QS_CUPS_STARTED=1"
    print_env
}

stop_server() {
    local pid
    if pid=$(running_pid); then
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 1 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -0 "$pid" 2>/dev/null && kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$DIR/cupsd.pid"
}

stop() {
    stop_server
    rm -f "$PDF_CONF"
    rm -rf "$DIR"
}

case ${1:-} in
start) start ;;
stop) stop ;;
env) running_pid >/dev/null && print_env || die "not running" ;;
*)
    echo "usage: $0 start|stop|env" >&2
    exit 64
    ;;
esac
