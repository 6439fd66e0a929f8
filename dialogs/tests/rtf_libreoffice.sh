#!/usr/bin/env bash
# Another program reads the program's RTF: LibreOffice converts it to text and to PDF; every
# line and character must arrive and each page break must start a page.
# Usage: rtf_libreoffice.sh RTF_PROBE TVTOOL SAMPLE.tvd
set -euo pipefail
probe="$1" tvtool="$2" sample="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export HOME="$work"
office() {
  soffice -env:UserInstallation="file://$work/profile" --headless --norestore \
    --convert-to "$1" --outdir "$work" "$2" >/dev/null 2>&1
}
fail() { echo "FAILED: $*" >&2; exit 1; }

"$probe" "$work/probe.rtf"
office "txt:Text (encoded):UTF8" "$work/probe.rtf"
office pdf "$work/probe.rtf"
for line in "Erste Seite: Hörbücher für Jürgen" "Preis: 12 €" "Zweite Seite: Łódź und Kraków" \
  "Dritte Seite: Ende {mit Klammern} und \\ Schrägstrich"; do
  grep -qF "$line" "$work/probe.txt" || fail "line missing in the text: $line"
  grep -qF "$line" <(pdftotext "$work/probe.pdf" -) || fail "line missing in the PDF: $line"
done
pages="$(pdfinfo "$work/probe.pdf" | sed -n 's/^Pages: *//p')"
[ "$pages" = 3 ] || fail "the PDF has $pages pages instead of 3"
for page in 1 2 3; do
  word=(Erste Zweite Dritte)
  pdftotext -f "$page" -l "$page" "$work/probe.pdf" - | grep -q "^${word[$((page - 1))]} Seite" ||
    fail "page $page does not hold its part"
done
pdffonts "$work/probe.pdf" | grep -q "LiberationSerif-Bold" || fail "the PDF does not use the bold font"

"$tvtool" details "$sample" "$work/details.rtf"
office "txt:Text (encoded):UTF8" "$work/details.rtf"
sed -i '1s/^\xEF\xBB\xBF//' "$work/details.txt"  # LibreOffice writes a byte-order mark
grep -q "^Autor: Böll, Heinrich" "$work/details.txt" || fail "tvtool's RTF lost an author"
grep -q "^1. markierter Eintrag:" "$work/details.txt" || fail "tvtool's RTF lost a heading"
echo "LibreOffice read every line, character and page break."
