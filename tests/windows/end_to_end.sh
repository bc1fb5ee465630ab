#!/usr/bin/env bash
# The Windows program as a user meets it, under Wine on the private X display that
# scripts/with-display gives this script: ductcalc.exe copied alone into an empty folder whose
# path has blanks and Chinese characters, as a user copies it to the desktop or a USB stick
# (nothing it needs may lie beside it); real keys through a window manager; the registry set with
# Wine's reg. What the program shows is read as a user can take it: the windows' titles, the
# fields' texts copied through their context menu, and a message box's text and buttons as
# Windows copies them with Ctrl+C; and in a console in the Chinese code page, its help and a
# refusal as the console shows them. Runs in the Wine prefix that WINEPREFIX names, which it
# changes and whose Wine session it ends: never point it at a prefix of your own.
#
#   end_to_end.sh DUCTCALC.EXE START_MARKER.EXE
set -euo pipefail
# shellcheck source=wine_session.sh
source "$(dirname "$0")/wine_session.sh" end_to_end
# The Simplified Chinese code page (936), as on the users' machines: Wine takes it from the
# locale, and reads the Chinese folders on its command line in the locale's charset.
export LC_ALL=zh_CN.UTF-8
alone="$WINEPREFIX/drive_c/风管 工具/当量 直径"
program="$alone/ductcalc.exe"
marker=$2
rm -rf "$alone"
mkdir -p "$alone"
cp "$1" "$program"

work=$(mktemp -d)
tool_folder="$WINEPREFIX/drive_c/Program Files/风管 测试"
tool_key='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
folder_key='HKLM\SOFTWARE\Microsoft\Shared Tools Location'
title=当量直径计算

wine_session_start
calculator=
cleanup() {
  [ -z "$calculator" ] || kill "$calculator" 2>/dev/null || true
  wine reg delete "$tool_key" /f >/dev/null 2>&1 || true
  wine_session_end
  rm -rf "$work" "$tool_folder" "$(dirname "$alone")"
}
trap cleanup EXIT

# The program's visible windows with this title, one a line.
windows_named() { windows_titled "^$1\$"; }
has_windows() { [ "$(windows_named "$2" | wc -l)" -eq "$1" ]; }
# Waits up to 30 s until COUNT windows are titled TITLE.
wait_for_windows() { wait_until 30 "$1 windows titled '$2'" has_windows "$1" "$2"; }
# Whether the clipboard holds a text with every line given.
clipboard_has() {
  local text line
  text=$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r')
  for line in "$@"; do
    grep -qF -- "$line" <<<"$text" || return 1
  done
}
clipboard_holds() { wait_until 5 "the clipboard to hold $*" clipboard_has "$@"; }
# The program's visible windows: its windows, and a menu while it shows; more than COUNT.
program_windows() {
  xdotool search --onlyvisible --classname '^ductcalc\.exe$' 2>/dev/null | wc -l
}
more_program_windows() { [ "$(program_windows)" -gt "$1" ]; }
# The next field's text, as its context menu copies it (Tab selects it whole; 复制(&C)).
next_field_holds() {
  local before
  keys "$main" key Tab
  printf '' | xclip -selection clipboard 2>/dev/null  # its server ends with the display
  before=$(program_windows)
  keys "$main" key Menu
  wait_until 10 "the field's context menu" more_program_windows "$before"
  keys "$main" key c
  clipboard_holds "$1"
  [ "$(xclip -o -selection clipboard | tr -d '\r')" = "$1" ] || fail "a field holds more than $1"
}

# Started as Explorer starts it when a file is dropped onto it: the file is passed over.
wine "$program" 'C:\风管 工具\断面 1.txt' &
calculator=$!
wait_until -p "$calculator" 30 "the program's window" has_windows 1 "$title"
main=$(windows_named "$title")
keys "$main" type --delay 80 500
keys "$main" key Tab
keys "$main" type --delay 80 320
keys "$main" key Return Tab Tab Tab Tab Tab  # from side b over the options and buttons
next_field_holds 390
next_field_holds 440.1

keys "$main" key alt+o
wait_for_windows 1 "关于 $title"
about=$(windows_named "关于 $title")
keys "$main" key alt+o  # the same dialog again, not a second one: counted after Alt+S below

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

# The tool where the first value names it: a path with blanks, started as it stands, with
# Chinese characters and with Korean ones, which the Chinese code page (936) does not hold: read
# as Windows stores it, in UTF-16.
tool="$tool_folder/sys 정보.exe"
mkdir -p "$tool_folder"
cp "$marker" "$tool"
wine reg add "$tool_key" /v PATH /t REG_SZ /d 'C:\Program Files\风管 测试\sys 정보.exe' /f >/dev/null
wine reg delete "$folder_key" /f >/dev/null 2>&1 || true
keys "$about" key alt+s
wait_until 30 "Alt+S to start the tool the registry names" test -f "$tool.started"
# The tool has started, so the second Alt+O, which came before Alt+S, has been handled.
has_windows 1 "关于 $title" || fail "Alt+O opened a second About dialog"
# No message beside the started tool: once Escape, which comes after Alt+S, has closed the dialog,
# the main window is the only one left (a message would have taken the Escape, or stayed).
keys "$about" key Escape
wait_for_windows 0 "关于 $title"
has_windows 1 "$title" || fail "a message beside the started tool"
keys "$main" key alt+o
wait_for_windows 1 "关于 $title"
about=$(windows_named "关于 $title")

# A batch file where the first value names the tool, which Windows would run in cmd.exe (that
# parses the line again), and then neither value: the message over the dialog, titled as the
# program, its button in Qt's Chinese, and nothing started; Enter closes it and the dialog stays.
printf 'echo started>"%%~f0.started"\r\n' >"$tool_folder/info.bat"
wine reg add "$tool_key" /v PATH /t REG_SZ /d 'C:\Program Files\风管 测试\info.bat' /f >/dev/null
for value in batch none; do
  [ $value = batch ] || wine reg delete "$tool_key" /f >/dev/null
  keys "$about" key alt+s
  wait_for_windows 2 "$title"
  message=$(windows_named "$title" | grep -vx "$main")
  printf '' | xclip -selection clipboard 2>/dev/null  # its server ends with the display
  keys "$message" key ctrl+c
  clipboard_holds 此时系统信息不可用 确定
  keys "$message" key Return
  wait_for_windows 1 "$title"
  wait_for_windows 1 "关于 $title"
done
[ ! -e "$tool_folder/info.bat.started" ] || fail "the batch file the registry names was run"

keys "$about" key Escape
wait_for_windows 0 "关于 $title"
keys "$main" key Escape
wait_until 30 "Escape to end the program" process_ended "$calculator"
wait "$calculator" || fail "the program ended with status $?"
calculator=

# In a console (Wine's, on a terminal, in the Chinese code page 936), as a user types it in cmd:
# the help, and the refusal of an argument in Chinese quoted as typed (its status is not what is
# looked at here).
console() {
  printf '%q ' wine cmd /c "$@" >"$work/console.sh"
  { script -qec "bash '$work/console.sh'" /dev/null || true; } | sed 's/\x1b\[[?0-9;]*[a-zA-Z]//g' | tr -d '\r'
}
windows_program='C:\风管 工具\当量 直径\ductcalc.exe'
console "$windows_program" --help >"$work/help"
grep -qxF '用法：ductcalc [--help | --version] [Qt 选项]' "$work/help" &&
  grep -qxF '  --version  显示程序名称和版本并退出' "$work/help" ||
  fail "the help in a Chinese console reads: $(cat "$work/help")"
console "$windows_program" -风管 >"$work/refusal"
grep -qF 'ductcalc: 无法识别的参数“-风管”' "$work/refusal" ||
  fail "the refusal in a Chinese console reads: $(cat "$work/refusal")"

# An answer that cannot be written is a failure, reported on standard error.
if wine "$program" --version >/dev/full 2>"$work/error"; then
  fail "--version into a full device succeeded"
fi
grep -q '^ductcalc: ' "$work/error" || fail "--version into a full device said: $(cat "$work/error")"
echo "end_to_end: passed"
