# Debian packages the builds, tests and the program under Wine need.
tvn_packages=(cmake ninja-build g++ clang libclang-rt-14-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth fonts-liberation fonts-wine imagemagick sqlite3 xdotool locales
  libreoffice-writer-nogui poppler-utils cups printer-driver-cups-pdf)

tvn_install_packages() {
  local missing=()
  for p in "${tvn_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
  fi
  tvn_generate_locale
}

# Wine maps file names through the C library's locale: without a generated de_DE.UTF-8
# every non-ASCII file name ("Hörbücher.tvd") turns into question marks.
tvn_generate_locale() {
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  locale -a 2>/dev/null | grep -qix 'de_DE.utf8' && return 0
  echo "Generating the locale de_DE.UTF-8"
  $sudo sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
}
