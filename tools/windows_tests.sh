#!/usr/bin/env bash
# The Windows build's checks under Wine: the test suite through ctest, the two
# builds' screens side by side in tmux (windows_tmux_check.sh), then the
# sample office converted by the Windows build and by the Linux build, whose
# trees must be byte-identical (the run log zq20-21.log, which holds times,
# aside, and the data paths' separators, see below).
#
#   tools/windows_tests.sh WINDOWS_BUILD LINUX_BUILD WINE WINESERVER JOBS
set -euo pipefail
windows_build=$(cd "$1" && pwd)
linux_build=$(cd "$2" && pwd)
wine=$3
wineserver=$4
jobs=$5

# A prefix of the build's own, made once (about 20 s), so the tests never
# touch the user's Wine setup.
export WINEPREFIX="$windows_build/wine-prefix" WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Making the Wine prefix $WINEPREFIX"
  "$wine" wineboot --init >/dev/null 2>&1
fi
# One server for every test: started per program, Wine's helpers would make
# each test wait about 3 s.
"$wineserver" -p >/dev/null 2>&1 &
trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT
# Wine's background services start with the first program and keep its
# output open; started here, they hold /dev/null and not the pipe through
# which ctest lists the tests (which would wait for them to end).
"$wine" wineboot >/dev/null 2>&1

(cd "$windows_build" && ctest --output-on-failure -j "$jobs")
"$(dirname "$0")/windows_tmux_check.sh" "$windows_build" "$linux_build" "$wine"

work=$(mktemp -d)
trap 'rm -rf "$work"; "$wineserver" -k >/dev/null 2>&1 || true' EXIT
"$linux_build/tools/sample/convert_sample_office" "$work/linux"
# Wine's drive Z: is the root of the Linux file system.
"$wine" "$windows_build/tools/sample/convert_sample_office.exe" "Z:$work/windows"
# The company's text data keeps the data paths of earlier years (the PATH
# section's DAZ20nn keys of FIRMATXT.INI) with the separator of the system
# that converted: the one difference allowed, with the separators aligned.
find "$work" -name FIRMATXT.INI -exec sed -i '/^DAZ20[0-9][0-9]=/ s#\\#/#g' {} +
if diff -r -x zq20-21.log "$work/linux" "$work/windows"; then
  echo "The sample office converted on Linux and on Windows: $(find "$work/linux" -type f | wc -l) files, byte-identical."
else
  echo "The Linux and the Windows conversion of the sample office differ (above)." >&2
  exit 1
fi
