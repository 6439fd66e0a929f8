#!/usr/bin/env bash
# Runs every fuzz target for TVN_FUZZ_SECONDS (default 20) each, starting from the seed
# corpus. Fails on a crash, a leak or a sanitizer report.
# Usage: fuzz/run.sh BUILD_DIR   (a build configured with clang and -DTVN_FUZZ=ON)
set -euo pipefail
build="${1:?build folder}"
here="$(cd "$(dirname "$0")" && pwd)"
seconds="${TVN_FUZZ_SECONDS:-20}"
status=0
for seeds in "$here"/corpus/*/; do
  target="$(basename "$seeds")"
  exe="$build/fuzz/$target"
  [ -x "$exe" ] || { echo "missing fuzz target $exe"; status=1; continue; }
  work="$build/fuzz/corpus-$target"
  mkdir -p "$work"
  log="$build/fuzz/$target.log"
  if "$exe" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$build/fuzz/$target-" "$work" "$seeds" >"$log" 2>&1; then
    echo "fuzz $target: $(grep -o 'Done [0-9]* runs' "$log" | tail -1) in ${seconds}s, no findings"
  else
    echo "fuzz $target FAILED, see $log"; tail -40 "$log"; status=1
  fi
done
exit "$status"
