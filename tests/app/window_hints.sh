#!/usr/bin/env bash
# The program's windows as an X11 window manager and a dock read them: the main window fixed in
# size, with a minimise button and no maximise button, tied to its menu entry by its class; the
# About dialog and a message box framed as dialogs, the About dialog off the task bar and owned
# by no other window, so that either window can come to the front. Runs on a display of its own
# (scripts/with-display), with no window manager to change what the windows ask for.
#
#   window_hints.sh PROGRAM DESKTOP_ENTRY
set -euo pipefail
program=$1
entry=$2

# No system-information tool on the search path: the About dialog's button shows its message.
PATH=/nonexistent "$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

faults=0
# expect WINDOW WHAT PROPERTY TEXT: the property, as xprop prints it, holds TEXT.
expect() {
  local shown
  shown=$(xprop -id "$1" "$3")
  if ! grep -qF -- "$4" <<<"$shown"; then
    echo "window_hints: $2: $shown (expected: $4)" >&2
    faults=$((faults + 1))
  fi
}
# The window of the program, shown, whose title matches $1, and that is none of the others given;
# up to 30 s, as a loaded machine takes its time.
window() {
  local pattern=$1 id
  shift
  for _ in $(seq 300); do
    for id in $(xdotool search --onlyvisible --pid "$pid" --name "$pattern" 2>/dev/null); do
      if [[ " $* " != *" $id "* ]]; then
        echo "$id"
        return
      fi
    done
    sleep 0.1
  done
  echo "window_hints: no window $pattern" >&2
  exit 1
}

main=$(window '.')
expect "$main" "main window, frame" _MOTIF_WM_HINTS "= 0x3, 0x2c, 0x3a, 0x0, 0x0"
expect "$main" "main window, size" WM_NORMAL_HINTS "program specified minimum size: 448 by 281"
expect "$main" "main window, size" WM_NORMAL_HINTS "program specified maximum size: 448 by 281"
expect "$main" "main window, type" _NET_WM_WINDOW_TYPE "= _NET_WM_WINDOW_TYPE_NORMAL"
class=$(sed -n 's/^StartupWMClass=//p' "$entry")
expect "$main" "main window, class of the menu entry" WM_CLASS "\", \"$class\""

xdotool windowfocus --sync "$main" key alt+o
about=$(window '^关于 ' "$main")
expect "$about" "About dialog, frame" _MOTIF_WM_HINTS "= 0x3, 0x24, 0x1a, 0x0, 0x0"
expect "$about" "About dialog, size" WM_NORMAL_HINTS "program specified maximum size: 382 by 237"
expect "$about" "About dialog, type" _NET_WM_WINDOW_TYPE "= _NET_WM_WINDOW_TYPE_DIALOG"
expect "$about" "About dialog, task bar" _NET_WM_STATE "_NET_WM_STATE_SKIP_TASKBAR"
expect "$about" "About dialog, owner" WM_TRANSIENT_FOR "not found"

xdotool windowfocus --sync "$about" key alt+s
box=$(window '.' "$main" "$about")
expect "$box" "message box, frame" _MOTIF_WM_HINTS "= 0x3, 0x24, 0x1a, 0x0, 0x0"
expect "$box" "message box, type" _NET_WM_WINDOW_TYPE "= _NET_WM_WINDOW_TYPE_DIALOG"
exit $((faults > 0))
