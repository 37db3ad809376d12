#!/bin/sh
# Renders the main window (after converting a mixed text), the about window, the
# download window, its COM1 chooser, the open-port message over it and the
# open-file dialog into this folder, for the README. Needs a CJK font (fonts-wqy-zenhei), Qt's
# translations (qt6-translations-l10n) and, without a display, Xvfb (xvfb-run).
# In the zh_CN locale the date and time panels show the Chinese regional forms
# the program was laid out for, and Qt's dialogs speak Chinese.
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
