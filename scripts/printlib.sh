# The machine's print spooler for the printing tests under Wine. Source after lib.sh.
#
# The spooler (cupsd) and its queues belong to the whole machine: a printing test holds
# PRINT_LOCK while it uses them, and so does stopping the spooler. Every run that uses the
# spooler holds SPOOLER_USERS_LOCK shared from start to stop; the run that started cupsd stops
# it only when no other run holds that lock, so two checkouts tested at once do not pull the
# spooler from under each other (the one left over then stays running).
#
#   PRINT_PKGS              the Debian packages: CUPS, the PDF printer, pdftotext and pdffonts
#   print_spooler_start     starts cupsd unless one runs already (its PID in
#                           $TAVLO_CUPS_DIR/cupsd.pid) and makes the queue PDF the default;
#                           writes $TAVLO_CUPS_DIR/state: "ready", or why the spooler is missing
#   print_spooler_stop      stops the cupsd that print_spooler_start started, by its PID, unless
#                           another run still uses it, and gives the PDF printer its usual
#                           output folder back
#   print_spooler_running   true when the scheduler answers
#   print_queue_add         (re)creates the queue PDF, accepting jobs, as the default printer
#   print_output_to DIR     the PDF printer writes its files into DIR from the next job on
#   TAVLO_CUPS_DIR          exported: build/cups, the state file, the PID and the spooler's log

PRINT_PKGS="cups-daemon cups-client printer-driver-cups-pdf ghostscript poppler-utils"
PRINT_LOCK=/tmp/tavlo-printer.lock
SPOOLER_USERS_LOCK=/tmp/tavlo-spooler-users.lock
export TAVLO_CUPS_DIR=${TAVLO_CUPS_DIR:-$TAVLO_ROOT/build/cups}

# lpstat -r exits with 0 whether or not the scheduler runs; only its words tell.
print_spooler_running() {
  lpstat -r 2>/dev/null | grep -q '^scheduler is running'
}

print_queue_add() {
  lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null &&
    lpadmin -d PDF && cupsenable PDF && cupsaccept PDF
}

print_output_to() {
  sed -i "s|^#\{0,1\}Out .*|Out $1|" /etc/cups/cups-pdf.conf
}

print_spooler_start() {
  mkdir -p "$TAVLO_CUPS_DIR"
  rm -f "$TAVLO_CUPS_DIR/cupsd.pid"
  exec 8>"$SPOOLER_USERS_LOCK"
  flock -s 8
  local state=ready
  if ! print_spooler_running; then
    mkdir -p /run/cups
    /usr/sbin/cupsd -f </dev/null >"$TAVLO_CUPS_DIR/cupsd.log" 2>&1 8>&- &
    echo $! >"$TAVLO_CUPS_DIR/cupsd.pid"
    local i
    for i in $(seq 100); do
      print_spooler_running && break
      kill -0 "$(cat "$TAVLO_CUPS_DIR/cupsd.pid")" 2>/dev/null || break
      sleep 0.1
    done
    print_spooler_running ||
      state="cupsd did not start: $(tail -n 3 "$TAVLO_CUPS_DIR/cupsd.log" | tr '\n' ' ')"
  fi
  if [ "$state" = ready ]; then
    (flock -w 300 9 && print_queue_add) 9>"$PRINT_LOCK" ||
      state="the PDF queue could not be set up (lpadmin -p PDF)"
  fi
  echo "$state" >"$TAVLO_CUPS_DIR/state"
  [ "$state" = ready ]
}

print_spooler_stop() {
  local pid i
  # This run no longer uses the spooler; another one may still.
  { flock -u 8 && exec 8>&-; } 2>/dev/null || true
  pid=$(cat "$TAVLO_CUPS_DIR/cupsd.pid" 2>/dev/null) || return 0
  exec 8>"$SPOOLER_USERS_LOCK"
  if ! flock -n -x 8; then
    exec 8>&-
    echo "the print spooler stays running: another run uses it" >&2
    rm -f "$TAVLO_CUPS_DIR/cupsd.pid"
    return 0
  fi
  exec 9>"$PRINT_LOCK"
  flock -w 300 9 || true
  if kill "$pid" 2>/dev/null; then
    wait "$pid" 2>/dev/null || true  # our own child: reaped here; otherwise polled below
    for i in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
  fi
  rm -f "$TAVLO_CUPS_DIR/cupsd.pid"
  echo "stopped" >"$TAVLO_CUPS_DIR/state"
  print_output_to '${HOME}/PDF'  # the package's own setting
  exec 9>&- 8>&-
}
