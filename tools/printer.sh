# Sourced by test.sh: a real printer for the printing tests. CUPS with the PDF printer "PDF"
# as the default; its jobs land as PDF files in ~/PDF, titled with the job's document name.
tvn_ensure_pdf_printer() {
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    $sudo cupsd
    for _ in $(seq 100); do
      lpstat -r 2>/dev/null | grep -q "is running" && break
      sleep 0.1
    done
  fi
  if ! lpstat -p PDF >/dev/null 2>&1; then
    $sudo lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  fi
  lpstat -d 2>/dev/null | grep -q ": PDF$" || $sudo lpadmin -d PDF
  mkdir -p "$HOME/PDF"
}
