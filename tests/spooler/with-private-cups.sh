#!/usr/bin/env bash
# Runs a command against a CUPS server of its own: its configuration, spool,
# logs and socket live in a temporary directory, and its one printer, the
# default, is a cups-pdf queue that writes into $TARNELBY_PDF_DIR; the
# server's process id is in $TARNELBY_CUPSD_PID. cups-pdf
# reads its settings from a fixed path, so the server runs in a mount
# namespace of its own where that path shows this run's settings.
# Exits 77 (skipped) where such a server cannot be started.
set -euo pipefail

readonly SKIPPED=77
readonly QUEUE=TarnelbyPDF
readonly PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

skip() { echo "SKIPPED: $*" >&2; exit "$SKIPPED"; }

export PATH="$PATH:/usr/sbin:/sbin"
[ "$(id -u)" = 0 ] || skip "cups-pdf needs a server run as root"
for tool in cupsd lpadmin lpstat unshare mount; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[ -x /usr/lib/cups/backend/cups-pdf ] && [ -r "$PPD" ] || skip "cups-pdf is not installed"

root=$(mktemp -d /tmp/tarnelby-cups.XXXXXX)
cupsd_pid=
cleanup() {
    if [ -n "$cupsd_pid" ]; then
        kill "$cupsd_pid" 2>/dev/null || true
        wait "$cupsd_pid" 2>/dev/null || true
    fi
    rm -rf "$root"
}
trap cleanup EXIT
# Filters run as the unprivileged user lp and must reach the spool below.
chmod 0755 "$root"
mkdir -p "$root"/{etc,spool/tmp,cache,state,log,pdf,pdf-spool}
socket=$root/state/cups.sock

cat >"$root/etc/cups-files.conf" <<CONF
ServerRoot $root/etc
RequestRoot $root/spool
CacheDir $root/cache
StateDir $root/state
TempDir $root/spool/tmp
ServerKeychain $root/etc/ssl
AccessLog $root/log/access_log
ErrorLog $root/log/error_log
PageLog $root/log/page_log
SystemGroup root
FileDevice No
Printcap $root/state/printcap
CONF
cat >"$root/etc/cupsd.conf" <<CONF
Listen $socket
LogLevel info
Browsing No
DefaultAuthType None
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$root/cups-pdf.conf" <<CONF
Out $root/pdf
AnonDirName $root/pdf
Spool $root/pdf-spool
Log $root/log
Grp root
CONF

unshare --mount --propagation private sh -c \
    'mount --bind "$1" /etc/cups/cups-pdf.conf && exec cupsd -f -c "$2" -s "$3"' \
    sh "$root/cups-pdf.conf" "$root/etc/cupsd.conf" "$root/etc/cups-files.conf" \
    2>"$root/log/start" &
cupsd_pid=$!

export CUPS_SERVER=$socket
answering() { [ -S "$socket" ] && [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ]; }
for _ in $(seq 100); do
    answering && break
    kill -0 "$cupsd_pid" 2>/dev/null || skip "cupsd did not start: $(cat "$root"/log/{start,error_log} 2>/dev/null)"
    sleep 0.1
done
answering || skip "cupsd did not answer on $socket"
# lpadmin warns that printer drivers are deprecated; cups-pdf still needs one.
lpadmin -p "$QUEUE" -v cups-pdf:/ -P "$PPD" -E 2>>"$root/log/start"
lpadmin -d "$QUEUE"

export TARNELBY_PDF_DIR=$root/pdf TARNELBY_PRINTER=$QUEUE TARNELBY_CUPSD_PID=$cupsd_pid
unset PRINTER LPDEST
status=0
"$@" || status=$?
[ "$status" = 0 ] || cat "$root/log/error_log" >&2
exit "$status"
