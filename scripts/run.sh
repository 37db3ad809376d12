#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on its bundled
# defaults (font libraries and help text in build/app). Without a display it
# runs under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/app/ledglyph "$@"
fi
echo "No display: starting ledglyph under Xvfb."
exec xvfb-run -a build/app/ledglyph "$@"
