#!/usr/bin/env bash
# Installs what is missing on a Debian 12 machine and builds ledglyph.
#   scripts/setup.sh [--sanitize]
# Build folder: build/ (build-asan/ with --sanitize). The program folder is <build>/app.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-serialport-dev qt6-qpa-plugins
  qt6-translations-l10n # Qt's own dialogs and error texts in Chinese
  unifont              # source of the generated font libraries
  libfreetype-dev      # ledglyph-fontgen reads BDF, PCF, TrueType and OpenType fonts through FreeType
  zlib1g-dev           #   and unpacks .pcf.gz fonts itself
  xfonts-utils         # bdftopcf: the font builder's tests make PCF twins of their BDF fonts
  fonts-wqy-zenhei     # a CJK font so the windows' Chinese texts render; 黑体-like libraries
  fonts-arphic-uming   # 宋体-like and 楷体-like CJK fonts and a bitmap song font: the font
  fonts-arphic-ukai    #   builder's tests and the README's preview sheets
  xfonts-wqy
  libicu-dev           # ICU's header: a test stands for a Qt without ICU by failing its converters
  sdcc                 # checks that generated C51 source compiles; builds the board firmware
  sdcc-ucsim           # s51: the board firmware runs in a simulated 8051 in the tests
  socat                # pseudo-terminal pairs for the serial download tests
  strace               # injects failed syncs and kills into the writes' tests
  xvfb xauth           # windows without a display
  qt6-svg-dev          # the desktop menu's SVG icon, drawn at build time
  help2man             # manual pages from each program's --help
  dpkg-dev file        # the .deb's dependencies (dpkg-shlibdeps) and its tests
  desktop-file-utils appstream lintian  # validators of the menu entry, AppStream data, .deb
)

bash scripts/install_missing.sh "${packages[@]}"

build=build
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  build=build-asan
  flags=(-DCMAKE_BUILD_TYPE=Debug -DLEDGLYPH_SANITIZE=ON)
fi
cmake -S . -B "$build" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"
echo "Built into $build/app"
