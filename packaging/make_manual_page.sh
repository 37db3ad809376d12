#!/bin/sh
# make_manual_page.sh PROGRAM SUMMARY OUT.1.gz
# Writes PROGRAM's manual page from its --help and --version (help2man), with
# break points between Chinese characters, which have no spaces for groff to
# break lines at, set flush left, and compresses it without a time stamp.
set -eu
program=$1 summary=$2 out=$3
page=${out%.gz}
names=$page.h2m
printf '[NAME]\n%s \\- %s\n' "$(basename "$program")" "$summary" >"$names"
# A sanitizer build only needs the text here; leak reports belong to the tests.
ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen help2man --locale=C.UTF-8 --no-info --section=1 --include="$names" \
  --output="$page" "$program"
rm -f "$names"
# \: marks a place where a line may break; only in the text after NAME and
# SYNOPSIS, never in requests.
perl -CSD -i -pe 'if (/^\.SH DESCRIPTION/) { $body = 1; $_ .= ".ad l\n"; }
  s/([\p{Han}\p{InCJKSymbolsAndPunctuation}\p{InHalfwidthAndFullwidthForms}])/$1\\:/g if $body && !/^[.\x27]/' "$page"
gzip -9nf "$page"
