#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints through a real CUPS queue: starts a private cupsd (its own socket, configuration and
# spool in a temporary directory, so the machine's own printers are never touched) with a
# cups-pdf queue as its default printer, and runs the print test program against it.
#
# cups-pdf always writes to the "Out" directory of /etc/cups/cups-pdf.conf (by default ~/PDF of
# the user who prints) and logs to /var/log/cups; the test removes the files its jobs produced,
# and this script the directory and log that were not there before.
#
# Usage: cups-print.sh TEST_PROGRAM. Exits 77 (skipped) where it cannot run; VANDRIX_E2E_PRINT=0
# skips it on purpose.
set -u
test_program=$1
skip() { echo "SKIPPED: end-to-end print through CUPS: $*"; exit 77; }

[ "${VANDRIX_E2E_PRINT:-1}" = 0 ] && skip "VANDRIX_E2E_PRINT=0"
[ "$(id -u)" -eq 0 ] || skip "the cups-pdf backend runs only under a cupsd started by root"
[ -x /usr/sbin/cupsd ] || skip "cupsd is not installed (scripts/setup installs it)"
[ -x /usr/lib/cups/backend/cups-pdf ] || skip "printer-driver-cups-pdf is not installed"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
[ -f "$ppd" ] || skip "the cups-pdf PPD is missing"

work=$(mktemp -d /tmp/vandrix-cups.XXXXXX)
chmod 755 "$work"
mkdir -p "$work"/{etc,spool,cache,state,log}
mkdir -m 1777 "$work/tmp"
socket="$work/cups.sock"
cat > "$work/etc/cupsd.conf" <<CONF
Listen $socket
LogLevel warn
WebInterface No
Browsing No
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
cat > "$work/etc/cups-files.conf" <<CONF
ServerRoot $work/etc
RequestRoot $work/spool
CacheDir $work/cache
StateDir $work/state
TempDir $work/tmp
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
FileDevice No
SystemGroup root
CONF

/usr/sbin/cupsd -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" &
cupsd_pid=$!
cleanup() {
  kill "$cupsd_pid" 2>/dev/null
  wait "$cupsd_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 50); do [ -S "$socket" ] && break; sleep 0.1; done
[ -S "$socket" ] || { echo "FAIL: the private cupsd did not start"; cat "$work/log/error_log" 2>/dev/null; exit 1; }

queue=vandrix-pdf
lpadmin -h "$socket" -p "$queue" -v cups-pdf:/ -P "$ppd" -E 2>/dev/null || { echo "FAIL: lpadmin"; exit 1; }
lpadmin -h "$socket" -d "$queue" || exit 1

# Where cups-pdf puts its files for this user (its ${HOME} is the account's home directory).
conf=/etc/cups/cups-pdf-$queue.conf
[ -f "$conf" ] || conf=/etc/cups/cups-pdf.conf
account_home=$(getent passwd "$(id -un)" | cut -d: -f6)
out=$(awk '$1 == "Out" { $1 = ""; sub(/^ /, ""); print }' "$conf" 2>/dev/null | tail -n 1)
out=${out:-\${HOME\}/PDF}
out=${out//\$\{HOME\}/$account_home}
out=${out//\$\{USER\}/$(id -un)}
queue_log=/var/log/cups/cups-pdf-${queue}_log
[ -e "$out" ] && out_existed=1 || out_existed=0
[ -e "$queue_log" ] && log_existed=1 || log_existed=0
tidy() {
  [ $out_existed = 1 ] || rmdir "$out" 2>/dev/null
  [ $log_existed = 1 ] || rm -f "$queue_log"
}
trap 'cleanup; tidy' EXIT

# A home of its own and an empty CUPS_SERVERROOT: no printer choice of the caller's (lpoptions,
# client.conf, LPDEST, PRINTER) or their file dialog settings reach the test program.
mkdir -m 700 "$work/home" "$work/client"
unset LPDEST PRINTER XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME
export HOME=$work/home CUPS_SERVERROOT=$work/client
export CUPS_SERVER=$socket VANDRIX_CUPS_PDF_OUT=$out QT_QPA_PLATFORM=offscreen
echo "Private CUPS server at $socket, queue $queue; cups-pdf writes to $out"
status=0
"$test_program" printsThroughCups || status=1

cupsreject -h "$socket" "$queue"
"$test_program" refusedJobIsReported || status=1

CUPS_SERVER=$work/no-server.sock "$test_program" noDefaultPrinter || status=1

[ $status -eq 0 ] || { echo "--- cupsd error log ---"; cat "$work/log/error_log"; }
exit $status
