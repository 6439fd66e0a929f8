#!/usr/bin/env bash
# A text printed for real: the probe prints under Wine on the PDF printer, and the PDF that
# CUPS writes must carry the job title, three pages and each page's own text, umlauts intact.
# Usage: print_pdf.sh WINE_RUN PRINT_PROBE.exe
set -euo pipefail
wine_run="$1" probe="$2"
fail() { echo "FAILED: $*" >&2; exit 1; }
lpstat -d 2>/dev/null | grep -q ": PDF$" || fail "no default PDF printer (./test.sh sets one up)"
title="Drucke Probe $$ $(date +%s%N)"
"$wine_run" "$probe" "$title"
pdf=""
for _ in $(seq 300); do
  for f in "$HOME"/PDF/*.pdf; do
    [ -f "$f" ] || continue
    if [ "$(pdfinfo "$f" 2>/dev/null | sed -n 's/^Title: *//p')" = "$title" ]; then
      pdf="$f"
      break 2
    fi
  done
  sleep 0.1
done
[ -n "$pdf" ] || fail "no PDF titled \"$title\" in $HOME/PDF"
trap 'rm -f "$pdf"' EXIT
pages="$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')"
[ "$pages" = 3 ] || fail "$pages pages instead of 3"
page_text() { pdftotext -layout -f "$1" -l "$1" "$pdf" -; }
page_text 1 | grep -q "Erste Seite: Hörbücher für Jürgen" || fail "page 1 lost its first line"
page_text 1 | grep -q "weitergeht\." || fail "page 1 lost the end of the wrapped line"
page_text 1 | grep -q "Zweite" && fail "page 1 holds text of page 2"
page_text 2 | grep -q "Zweite Seite: Größe und Maß" || fail "page 2 lost its text"
page_text 3 | grep -q "Dritte Seite: Ende" || fail "page 3 lost its text"
echo "Printed: $pages pages, titled \"$title\"."
