#!/usr/bin/env bash
# A text printed for real: the probe prints under Wine on the PDF printer, and the PDF that
# CUPS writes must carry the job title ("Drucke " and the caption), three pages and each
# page's own text, umlauts intact. The probe gets the caption.
# Usage: print_pdf.sh WINE_RUN PROBE.exe
set -euo pipefail
wine_run="$1" probe="$2"
fail() { echo "FAILED: $*" >&2; exit 1; }
lpstat -d 2>/dev/null | grep -q ": PDF$" || fail "no default PDF printer (./test.sh sets one up)"
caption="Probe $$ $(date +%s%N)"
title="Drucke $caption"
"$wine_run" "$probe" "$caption"
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
page_text 1 | grep -q "Titel: Hörbücher für Jürgen" || fail "page 1 lost its title line"
page_text 1 | grep -q "Autor: Jürgen Größer" || fail "page 1 lost its author line"
page_text 1 | grep -q "weitergeht\." || fail "page 1 lost the end of the wrapped line"
page_text 1 | grep -q "2\. markierter" && fail "page 1 holds text of page 2"
page_text 2 | grep -q "Titel: Größe und Maß" || fail "page 2 lost its text"
page_text 2 | grep -q "Ende" && fail "page 2 holds text of page 3"
page_text 3 | grep -q "Titel: Ende" || fail "page 3 lost its text"
echo "Printed: $pages pages, titled \"$title\"."
