#!/usr/bin/env bash
# Draws the README's preview sheets: libraries built from four Chinese fonts
# in Debian's packages (installed by scripts/setup.sh), each seen as a sheet.
#   docs/typefaces/make_previews.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")"
fontgen="../../${1:-build}/app/ledglyph-fontgen"

preview() { # NAME FONT [--face N]
  local name=$1 font=$2
  shift 2
  echo "== $name ($font $*)"
  "$fontgen" --font "$font" "$@" --preview "$name.png"
}

preview zenhei /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc --face 1
preview uming /usr/share/fonts/truetype/arphic/uming.ttc
preview ukai /usr/share/fonts/truetype/arphic/ukai.ttc
preview wqy-bitmap-song /usr/share/fonts/X11/misc/wenquanyi_12pt.pcf
