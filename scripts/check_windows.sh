#!/usr/bin/env bash
# Compiles every source of the Windows build, as the Windows target, and fails
# on any error or warning. Nothing is linked or run: each source is compiled
# with -fsyntax-only by Debian's MinGW-w64 cross compiler
# (x86_64-w64-mingw32-g++-posix) against Debian's Qt 6 headers.
#   scripts/check_windows.sh
#
# How (build folder build-windows-check/):
# - CMake configures the project for Windows (scripts/windows_check/
#   mingw_w64_toolchain.cmake), so the Windows build's own choices apply: every
#   if(WIN32) of our CMake files, hence its list of sources (the line relay,
#   which belongs to the POSIX simulator set-up, and the tests that need
#   pseudo-terminals are not in it), its targets, their definitions and flags,
#   and the Windows packaging rules. compile_commands.json is that list.
# - Qt's headers decide the platform from the compiler (_WIN32 gives Q_OS_WIN),
#   so the Linux headers serve, with one exception: Qt's configuration
#   (qconfig.h, the Qt6::Platform target) describes the Linux build. The
#   project include windows_check/windows_check_project.cmake puts in what a
#   Qt built with MinGW gives its users instead: the win32-g++ mkspec and
#   WIN32, WIN64, _WIN64, _ENABLE_EXTENDED_ALIGNED_STORAGE,
#   MINGW_HAS_SECURE_API=1, UNICODE and _UNICODE. qconfig.h's feature
#   switches are left as they are: the features our sources use (threads,
#   QSaveFile, QStandardPaths, ...) are on in Qt's Windows build too.
# - FreeType and zlib, which MinGW-w64 lacks, come as headers only from
#   Debian's packages (the Windows build takes both from vcpkg); see the
#   project include.
# - moc runs first (the *_autogen targets), so the generated sources are
#   compiled too.
# - MinGW-w64 has a few POSIX headers that MSVC lacks (unistd.h and the like);
#   windows_check/compiler_output.awk reads the include tree (-H) and counts
#   one of them included by our own files as an error.
# Not checked here: MSVC's own warnings (/W4), linking, and running; the
# Windows workflow (.github/workflows/windows.yml) does those on a Windows machine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install_missing.sh cmake ninja-build jq g++-mingw-w64-x86-64-posix \
  qt6-base-dev qt6-serialport-dev libfreetype-dev zlib1g-dev unifont

build=build-windows-check
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release --no-warn-unused-cli \
  --toolchain scripts/windows_check/mingw_w64_toolchain.cmake \
  -DQt6_DIR=/usr/lib/x86_64-linux-gnu/cmake/Qt6 \
  -DLEDGLYPH_UNIFONT_HEX=/usr/share/unifont/unifont.hex >/dev/null

echo "== moc for the Windows build"
mapfile -t autogen < <(ninja -C "$build" -t targets all | grep -o '^[^:/]*_autogen' | sort -u)
ninja -C "$build" "${autogen[@]}" >/dev/null

logs=$build/windows_check_logs
rm -rf "$logs"
mkdir -p "$logs"

# compile SOURCE DIRECTORY COMMAND: the build's own command, syntax only, with
# the include tree (-H) for the headers MSVC lacks. Any diagnostic (a warning
# of a target without -Werror too) counts as a failure.
compile() {
  local source=$1 directory=$2 command=$3
  local log status
  log="$logs/$(printf '%s' "$source" | tr '/' '_').log"
  status=0
  (cd "$directory" && eval "$command -fsyntax-only -H") >"$log.raw" 2>&1 || status=$?
  awk -v root="$root" -v build="$root/$build" -v source="$source" -f "$root/scripts/windows_check/compiler_output.awk" "$log.raw" >"$log"
  rm -f "$log.raw"
  if [ "$status" -eq 0 ] && [ ! -s "$log" ]; then
    rm -f "$log"
  else
    printf '%s\n' "$source" >"$log.source"
  fi
}
root=$PWD
export -f compile
export logs root build

count=$(jq length "$build/compile_commands.json")
echo "== compiling $count sources for Windows x86-64 (MinGW-w64, -fsyntax-only)"
jq -j --arg root "$root/" '.[] | (.file | ltrimstr($root)), "\u0000", .directory, "\u0000", .command, "\u0000"' \
  "$build/compile_commands.json" |
  xargs -0 -n 3 -P "$(nproc)" bash -c 'compile "$@"' compile

mapfile -t failed < <(cat "$logs"/*.source 2>/dev/null | sort)
if ((${#failed[@]} == 0)); then
  echo "Windows check passed: all $count sources compile without a warning."
  exit 0
fi
for source in "${failed[@]}"; do
  log="$logs/$(printf '%s' "$source" | tr '/' '_').log"
  echo
  echo "---- $source ($(grep -c ' error: ' "$log" || true) errors, $(grep -c ' warning: ' "$log" || true) warnings)"
  grep -E ' (error|warning): ' "$log" | head -n 12
done
echo
echo "Windows check FAILED: ${#failed[@]} of $count sources do not compile cleanly for Windows:"
printf '  %s\n' "${failed[@]}"
echo "Full compiler output: $logs/"
exit 1
