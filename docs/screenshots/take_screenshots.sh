#!/bin/sh
# Renders the main window (after converting a mixed text), its preview window,
# the about window, the download window, its COM1 chooser, the open-port message
# over it and the open-file dialog into this folder, for the README, and the
# preview's first three seconds as an animated PNG (preview-animation.png, made
# by apngasm from the frames the preview window exports). Needs a CJK font
# (fonts-wqy-zenhei), Qt's translations (qt6-translations-l10n), apngasm and,
# without a display, Xvfb (xvfb-run).
# In the zh_CN locale the date and time panels show the Chinese regional forms
# the program was laid out for, and Qt's dialogs speak Chinese.
#   docs/screenshots/take_screenshots.sh [BUILD_DIR]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-"$here/../../build"}
cmake --build "$build" --target ledglyph-ui-screenshots ledglyph_data
tool="$build/docs/screenshots/ledglyph-ui-screenshots"
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
if [ -n "${DISPLAY:-}" ]; then
  LC_ALL=zh_CN.UTF-8 "$tool" "$build/app" "$here" "$frames"
else
  LC_ALL=zh_CN.UTF-8 xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$tool" "$build/app" "$here" "$frames"
fi
# 100 steps of 30 ms (speed 1), looping; Qt writes no animated image itself.
command -v apngasm >/dev/null || { echo "apngasm missing: apt-get install apngasm" >&2; exit 1; }
mkdir "$frames/first"
for i in $(seq -w 1 100); do cp "$frames/frame-$i.png" "$frames/first/"; done
apngasm "$here/preview-animation.png" "$frames/first/frame-001.png" 3 100 >/dev/null
