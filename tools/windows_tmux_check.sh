#!/usr/bin/env bash
# The Windows build in a real terminal: Wine gives a program started in a
# terminal that terminal as its console. In two tmux windows of 80 x 25 the
# Linux and the Windows converter start on the same sample office and get the
# same keys; after each step both show the same screen (but for the clock in
# the first row and the separator in paths). Wine's terminal console does not
# turn the terminal's mouse reports into mouse records (they arrive as typed
# text), so the mouse is proven by the console backend's own test, which
# needs a console and runs here too.
#
#   tools/windows_tmux_check.sh WINDOWS_BUILD LINUX_BUILD WINE
# (WINEPREFIX set, Wine's server running)
set -euo pipefail
windows_build=$(cd "$1" && pwd)
linux_build=$(cd "$2" && pwd)
wine=$3

work=$(mktemp -d)
socket="zq-windows-$$"
tmux_() { tmux -L "$socket" "$@"; }
trap 'tmux_ kill-server >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

# The console backend's test, in a terminal.
tmux_ new-session -d -s console -x 80 -y 25 \
  "'$wine' '$windows_build/tests/zq_tests.exe' --gtest_filter='WindowsConsole.*' >'$work/console.log' 2>&1; echo \$? >'$work/console.rc'"
for _ in $(seq 1 100); do [ -f "$work/console.rc" ] && break; sleep 0.2; done
if [ "$(cat "$work/console.rc" 2>/dev/null)" != 0 ] || grep -q SKIPPED "$work/console.log"; then
  cat "$work/console.log" >&2
  echo "The Windows console test failed in a terminal." >&2
  exit 1
fi

for system in linux windows; do
  "$linux_build/tools/make_sample_tree" "$work/$system" >/dev/null
  printf '[PATHS]\r\nDAZ_2020=DAZ_2020\r\nDAZ_2021=DAZ_2021\r\n' >"$work/$system/DAZ_2021/zq20-21.PTH"
done
cp "$linux_build/zq20-21" "$work/linux/DAZ_2021/"
cp "$windows_build/zq20-21.exe" "$work/windows/DAZ_2021/"
tmux_ new-session -d -s linux -x 80 -y 25 \
  "cd '$work/linux' && TERM=xterm-256color ./DAZ_2021/zq20-21; sleep 600"
tmux_ new-session -d -s windows -x 80 -y 25 \
  "cd '$work/windows' && '$wine' DAZ_2021/zq20-21.exe; sleep 600"

screen_of() { tmux_ capture-pane -p -t "$1" | sed -e 1d -e 's#\\#/#g'; }

# Waits until both show the same screen, which must hold `expected`.
same_screens() {
  local step=$1 expected=$2
  for _ in $(seq 1 40); do
    if [ "$(screen_of linux)" = "$(screen_of windows)" ] && screen_of windows | grep -q "$expected"; then
      echo "same screens: $step"
      return 0
    fi
    sleep 0.25
  done
  echo "The screens differ after: $step" >&2
  diff <(screen_of linux) <(screen_of windows) >&2 || true
  exit 1
}

send() { for session in linux windows; do tmux_ send-keys -t "$session" "$@"; done; }

same_screens "start" "Lokalizacja"
send NPage
same_screens "PgDn" "Dane globalne"
send Down Down Space
same_screens "Down, Down, Space" "\[ \] Bazę stałych"
send PPage
same_screens "PgUp" "Lokalizacja"
send Escape
same_screens "Esc" "Rezygnujesz z konwersji"
