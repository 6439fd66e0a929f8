#!/usr/bin/env bash
# Builds Tavorin for Windows and starts it under Wine: ./run.sh [file]
# Without a file on a first start (no settings yet) it opens examples/Beispiel.tvd.
# Without a display it runs on the virtual one, saves a screenshot once the list is shown
# and ends the program again.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
tvn_install_packages

out="${TVN_BUILD:-build}"
win="$out/win64"
cmake -S . -B "$win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-posix.cmake >/dev/null
cmake --build "$win" -j "$(nproc)" --target Tavorin tvn-beispiel tvn-close-program
program="$win/startup/Tavorin.exe"
[ -f "$program" ] || { echo "Tavorin.exe was not built (is mainwindow/Haupt.h there?)" >&2; exit 1; }

headless=0
[ -z "${DISPLAY:-}" ] && headless=1
source tools/wine-env.sh
tvn_prepare_prefix
tvn_ensure_display
tvn_keep_wineserver

sample=examples/Beispiel.tvd
if [ ! -f "$sample" ]; then
  wine "$win/examples/tvn-beispiel.exe" "$(winepath -w "$sample")"
fi

file="${1:-}"
settings="$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Roaming/Tavorin/Tavorin.ini"
[ -z "$file" ] && [ ! -f "$settings" ] && file="$sample"
args=()
[ -n "$file" ] && args=("$(winepath -w "$(realpath -m "$file")")")

if [ "$headless" -eq 0 ]; then
  wine "$program" "${args[@]}"
  exit
fi

# Headless: wait for the window by its caption, let the list settle, take the picture.
caption='Tavorin V1\.13$'
[ -n "$file" ] && caption="^$(basename "$file" | sed 's/[.[\*^$]/\\&/g') - $caption"
wine "$program" "${args[@]}" &
pid=$!
window=""
for _ in $(seq 300); do
  window="$(xdotool search --onlyvisible --name "$caption" 2>/dev/null | head -n 1 || true)"
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "The window \"$caption\" did not appear." >&2
  kill "$pid" 2>/dev/null || true
  exit 1
fi
# The picture is taken once two in a row are equal: the list has been drawn.
shot="$out/screenshot.png"
previous=""
for _ in $(seq 40); do
  import -window root "$shot.tmp.png"
  current="$(md5sum <"$shot.tmp.png")"
  [ "$current" = "$previous" ] && break
  previous="$current"
  sleep 0.25
done
mv "$shot.tmp.png" "$shot"
echo "Screenshot: $shot"

# End it as the user would; only a program that does not end is killed.
wine "$win/startup/tvn-close-program.exe" "$(xdotool getwindowname "$window")" || true
for _ in $(seq 200); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "Tavorin did not end after WM_CLOSE; stopping it." >&2
  kill "$pid"
fi
wait "$pid" 2>/dev/null || true
