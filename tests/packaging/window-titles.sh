#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the window program on the X display of the caller (DISPLAY, a
# virtual X server), waits until it shows a window, and checks which window
# that is.
#
#   window-titles.sh main|explorer|notice WORKDIR PROGRAM
#
#   main    the main window shows, and no other window (in particular no
#           "help file not found" notice, which would show before it)
#   explorer  as main; then Ctrl+G opens the design explorer, which the
#           program loads from its module (no failure box instead)
#   notice  a box shows instead of the main window (the negative control:
#           the program did not find its help document)
#
# Prints the titles of the program's visible windows. The windows are found
# by their WM_CLASS, which Qt takes from the executable's name.
set -euo pipefail
export LC_ALL=C

expect=$1
workdir=$2
program=$3
main_title='Программа для расчета параметров ЕН Антенны'
explorer_title='Обзор конструкции'
class=$(basename "$program")

runtime=$(mktemp -d)
chmod 700 "$runtime"
pid=
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf "$runtime"
}
trap cleanup EXIT

(cd "$workdir" && exec env QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime" "$program") &
pid=$!

titles() {
  local id
  for id in $(xdotool search --onlyvisible --classname "^${class}\$" 2>/dev/null); do
    xdotool getwindowname "$id" 2>/dev/null || true
  done
}

shown=
for _ in $(seq 1 150); do # at most 30 s
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "FAIL: $program ended before it showed a window" >&2
    exit 1
  fi
  shown=$(titles)
  [ -n "$shown" ] && break
  sleep 0.2
done
if [ -z "$shown" ]; then
  echo "FAIL: $program showed no window within 30 s" >&2
  exit 1
fi
# Let a second window appear, if one is coming.
sleep 1
shown=$(titles)
echo "windows of $class:"
sed 's/^/  /' <<<"$shown"

case $expect in
  main | explorer)
    if [ "$shown" != "$main_title" ]; then
      echo "FAIL: expected only the main window \"$main_title\"" >&2
      exit 1
    fi
    if [ "$expect" = explorer ]; then
      main_window=$(xdotool search --onlyvisible --classname "^${class}\$" | head -n 1)
      # No window manager gives it the focus, and a key pressed before the
      # window takes the focus is lost: pressed again every 5 s (the
      # explorer shows well within that once asked for), at most 30 s.
      for _ in $(seq 1 6); do
        xdotool windowfocus --sync "$main_window"
        xdotool key ctrl+g
        for _ in $(seq 1 25); do
          shown=$(titles)
          [ "$(wc -l <<<"$shown")" -gt 1 ] && break 2
          sleep 0.2
        done
      done
      sleep 1
      shown=$(titles)
      echo "after Ctrl+G:"
      sed 's/^/  /' <<<"$shown"
      if [ "$(sort <<<"$shown")" != "$(printf '%s\n' "$main_title" "$explorer_title" | sort)" ]; then
        echo "FAIL: expected the main window and the explorer \"$explorer_title\"" >&2
        exit 1
      fi
    fi
    ;;
  notice)
    if grep -qxF "$main_title" <<<"$shown" || [ "$(wc -l <<<"$shown")" -ne 1 ]; then
      echo "FAIL: expected one notice box and no main window" >&2
      exit 1
    fi
    ;;
  *)
    echo "usage: window-titles.sh main|explorer|notice WORKDIR PROGRAM" >&2
    exit 2
    ;;
esac
