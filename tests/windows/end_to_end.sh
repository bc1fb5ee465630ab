#!/usr/bin/env bash
# The Windows program as a user meets it, under Wine on the private X display that xvfb-run
# gives this script: real keys through a window manager, the registry set with Wine's reg, and
# what the windows show read from the program's trace (traced_calculator). Runs in the Wine
# prefix that WINEPREFIX names, which it changes: never point it at a prefix of your own.
#
#   end_to_end.sh TRACED_CALCULATOR.EXE START_MARKER.EXE
set -euo pipefail
program=$1
marker=$2
: "${WINEPREFIX:?set WINEPREFIX to a Wine prefix of the tests}"
export WINEDEBUG=-all

work=$(mktemp -d)
trace="$work/trace.txt"
tool_folder="$WINEPREFIX/drive_c/Program Files/Duct Test"
tool_key='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
folder_key='HKLM\SOFTWARE\Microsoft\Shared Tools Location'
title=当量直径计算

# A Wine session of its own on this display: one that began without a display (the offscreen
# tests) would keep every later window off it.
wineserver --kill 2>/dev/null || true
wineserver --wait
openbox >/dev/null 2>&1 &
window_manager=$!
calculator=
cleanup() {
  [ -z "$calculator" ] || kill "$calculator" 2>/dev/null || true
  kill "$window_manager" 2>/dev/null || true
  wine reg delete "$tool_key" /f >/dev/null 2>&1 || true
  rm -rf "$work" "$tool_folder"
}
trap cleanup EXIT

# The last screen the trace holds.
screen() { awk '/^---$/ { s = ""; next } { s = s $0 "\n" } END { printf "%s", s }' "$trace"; }
fail() {
  echo "end_to_end: $*" >&2
  echo "end_to_end: the last screen was:" >&2
  screen >&2 || true
  exit 1
}
shows() { screen 2>/dev/null | grep -qxF -- "$1"; }
# Waits up to 30 s for the screen to show every line given, or none of them with --gone.
wait_for() {
  local gone=false
  if [ "$1" = --gone ]; then gone=true; shift; fi
  for _ in $(seq 300); do
    local all=true line
    for line in "$@"; do
      if $gone; then shows "$line" && all=false; else shows "$line" || all=false; fi
    done
    $all && return 0
    sleep 0.1
  done
  $gone && fail "the screen still shows: $*"
  fail "the screen never showed: $*"
}
window_of() { xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1; }
keys() {
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
  shift
  xdotool "$@"
}

DUCTCALC_TRACE="$(winepath -w "$trace")" wine "$program" &
calculator=$!
main=$(window_of "$title")
wait_for "window $title" "TxtA(0)=(空白)"

keys "$main" type --delay 80 500
keys "$main" key Tab
keys "$main" type --delay 80 320
keys "$main" key Return
wait_for "TxtA(0)=500" "TxtA(1)=320" "TxtD(0)=390" "TxtD(1)=440.1"

keys "$main" key alt+o
wait_for "window 关于 $title"
keys "$main" key alt+o  # the same dialog again, not a second one
sleep 1
[ "$(screen | grep -cxF "window 关于 $title")" -eq 1 ] || fail "not one About dialog"
about=$(window_of "关于 $title")

# The frames Windows draws, as Wine hands them to the window manager in the Motif hints: the
# main window can be minimised and closed but neither maximised nor resized; the dialog can
# only be closed, and has no task-bar entry of its own.
functions() { xprop -id "$1" _MOTIF_WM_HINTS | sed -n 's/.* = [^,]*, *\([^,]*\),.*/\1/p'; }
resize=2 minimize=8 maximize=16 close=32
main_functions=$(functions "$main")
about_functions=$(functions "$about")
((main_functions & minimize && main_functions & close && !(main_functions & (maximize | resize)))) ||
  fail "the main window's frame offers the functions $main_functions"
((about_functions & close && !(about_functions & (minimize | maximize | resize)))) ||
  fail "the About dialog's frame offers the functions $about_functions"
xprop -id "$about" _NET_WM_STATE | grep -q SKIP_TASKBAR || fail "the About dialog is on the task bar"
if xprop -id "$main" _NET_WM_STATE | grep -q SKIP_TASKBAR; then
  fail "the main window is not on the task bar"
fi

# The tool where the first value names it, a path with blanks started as it stands.
mkdir -p "$tool_folder"
cp "$marker" "$tool_folder/sys info.exe"
wine reg add "$tool_key" /v PATH /t REG_SZ /d 'C:\Program Files\Duct Test\sys info.exe' /f >/dev/null
wine reg delete "$folder_key" /f >/dev/null 2>&1 || true
keys "$about" key alt+s
for _ in $(seq 300); do
  [ -f "$tool_folder/sys info.exe.started" ] && break
  sleep 0.1
done
[ -f "$tool_folder/sys info.exe.started" ] || fail "Alt+S did not start the tool the registry names"
shows "message 此时系统信息不可用" && fail "a message beside the started tool"

# Without either value, the message; Enter closes it and the dialog stays.
wine reg delete "$tool_key" /f >/dev/null
keys "$about" key alt+s
wait_for "message 此时系统信息不可用"
xdotool key Return  # into the message box, which has the focus
wait_for --gone "message 此时系统信息不可用"
shows "window 关于 $title" || fail "the message took the About dialog with it"

keys "$about" key Escape
wait_for --gone "window 关于 $title"
keys "$main" key Escape
for _ in $(seq 300); do
  kill -0 "$calculator" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$calculator" 2>/dev/null && fail "Escape did not end the program"
wait "$calculator" || fail "the program ended with status $?"
calculator=
echo "end_to_end: passed"
