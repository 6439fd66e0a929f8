#!/usr/bin/env bash
# Emulator for the Windows build: runs one Windows program under Wine.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
tvn_prepare_prefix
tvn_ensure_display
exec wine "$@"
