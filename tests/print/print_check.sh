#!/usr/bin/env bash
# One printing case on the machine's real printer, under Wine:
#   print_check.sh SUITE.CASE TEST-PROGRAM OUT-DIR
# Sets up the queue for the case (ready; removed for *NoPrinter*; rejecting jobs for
# *RejectingQueue), runs the case of the test program, waits for the job and compares the
# printed document, read back with pdftotext, with the lines the job sent (whitespace runs count
# as one space: text extraction keeps no tabs or exact gaps). Lines the program wraps itself
# (TavloPrinting.DescriptionByF4, ...BoldChoiceSurvivesARestart) are compared word by word. Wine's processes get no handle on
# the lock: its services outlive the test program.
set -uo pipefail
scenario=$1 exe=$2 out=$(realpath -m "$3")
. "$(dirname "$0")/../../scripts/lib.sh"
. "$TAVLO_ROOT/scripts/winelib.sh"
. "$TAVLO_ROOT/scripts/printlib.sh"

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

state=$(cat "$TAVLO_CUPS_DIR/state" 2>/dev/null) ||
  state="the print spooler was never started (scripts/test.sh windows starts it)"
[ "$state" = ready ] || fail "no print spooler: $state"
exec 9>"$PRINT_LOCK"
flock -w 300 9 || fail "another run held the printer for 5 minutes"
print_spooler_running || fail "the print spooler is no longer running"

rm -rf "$out"
mkdir -p "$out"
print_output_to "$out"
trap 'print_queue_add' EXIT
case $scenario in
  *NoPrinter*) lpadmin -x PDF || fail "the queue could not be removed" ;;
  *RejectingQueue) cupsreject PDF || fail "the queue could not be set to reject jobs" ;;
esac

TAVLO_PRINT_OUT="Z:${out//\//\\}" "$WINE64" "$exe" --gtest_filter="$scenario" 9>&- ||
  fail "$scenario failed"

# Waits for the job's PDF: written while the job runs, complete when the queue is empty.
printed() {
  local i
  for i in $(seq 300); do
    if [ -z "$(lpstat -o PDF 2>/dev/null)" ] && ls "$out"/*.pdf >/dev/null 2>&1; then
      ls "$out"/*.pdf
      return 0
    fi
    sleep 0.1
  done
  return 1
}

normalise() {
  tr '\t\f' '  ' | sed -E 's/ +/ /g; s/^ //; s/ $//' | grep -v '^$'
}

case $scenario in
  *NoPrinter* | *RejectingQueue | *FontDialog)
    sleep 1
    if ls "$out"/*.pdf >/dev/null 2>&1; then fail "something was printed"; fi
    exit 0
    ;;
esac

pdf=$(printed) || fail "no document came out of the printer"
[ "$(echo "$pdf" | wc -l)" -eq 1 ] || fail "more than one document: $pdf"
pdftotext -layout "$pdf" "$out/printed.txt" || fail "pdftotext could not read $pdf"
if [ "$scenario" = TavloPrinting.DescriptionByF4 ] ||
  [ "$scenario" = TavloPrinting.BoldChoiceSurvivesARestart ]; then
  words() { tr -s ' \t\f\r\n' '\n\n\n\n\n' | grep -v '^$'; }
  diff -u <(words <"$out/sent.txt") <(words <"$out/printed.txt") ||
    fail "the printed words differ from the pane's"
else
  diff -u <(normalise <"$out/sent.txt") <(normalise <"$out/printed.txt") ||
    fail "the printed text differs from the lines sent"
fi
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
case $scenario in
  *TwoPageDescription) [ "$pages" = 2 ] || fail "$pages pages instead of 2" ;;
  *) [ "$pages" = 1 ] || fail "$pages pages instead of 1" ;;
esac
if [[ $scenario == *Bold* ]]; then
  pdffonts "$pdf" | tail -n +3 | grep -q Bold || fail "no bold font in the document"
  # Lines 1 and 3 ("tavlo", the text: "Bold ..." or "Reason ...") lie two line pitches apart; a
  # font's line pitch is 1.0 to 1.5 times its size, so a 12-point pitch lies from 12 to 18 points
  # (10 points: about 11.8).
  pitch=$(pdftotext -bbox "$pdf" - |
    sed -n 's/.*yMin="\([0-9.]*\)".*>\(tavlo\|Bold\|Reason\)<.*/\1/p' |
    awk 'NR == 1 { first = $1 } NR == 2 { printf "%.2f", ($1 - first) / 2 }')
  awk -v p="$pitch" 'BEGIN { exit !(p >= 12 && p <= 18) }' ||
    fail "a line pitch of '$pitch' points does not fit a 12-point font"
fi
echo "printed $(normalise <"$out/printed.txt" | wc -l) lines on $pages page(s): $pdf"
