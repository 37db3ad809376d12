#!/bin/sh
# Renders the main window (after converting a mixed text), the about window and
# the download window into this folder, for the README. Needs a CJK font (fonts-wqy-zenhei) and,
# without a display, Xvfb (xvfb-run). The date and time panels show the
# Chinese regional forms the program was laid out for.
#   docs/screenshots/take_screenshots.sh [BUILD_DIR]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-"$here/../../build"}
cmake --build "$build" --target ledglyph-ui-screenshots ledglyph_data
tool="$build/docs/screenshots/ledglyph-ui-screenshots"
if [ -n "${DISPLAY:-}" ]; then
  LC_ALL=zh_CN.UTF-8 "$tool" "$build/app" "$here"
else
  LC_ALL=zh_CN.UTF-8 xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$tool" "$build/app" "$here"
fi
