#!/usr/bin/env bash
# Builds the packages into build/packages (the .deb and the portable .tar.gz)
# and checks what the .deb installs with the validators of the desktop menu,
# AppStream and Debian: desktop-file-validate, appstreamcli, lintian.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build=build
packages=$build/packages
rm -rf "$packages"
cpack --config "$build/CPackConfig.cmake" -B "$packages" | grep 'package:'
deb=$(ls "$packages"/ledglyph_*.deb)
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"

echo "desktop-file-validate:"
desktop-file-validate "$tree"/usr/share/applications/*.desktop && echo "  clean"
echo "appstreamcli validate --no-net:"
appstreamcli validate --no-net "$tree"/usr/share/metainfo/*.metainfo.xml
echo "lintian:"
# Overridden tags are listed with their reasons in packaging/lintian-overrides.
lintian --fail-on error,warning --display-info --pedantic "$deb" && echo "  no errors or warnings"
