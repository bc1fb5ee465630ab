#!/usr/bin/env bash
# The installer under Wine, for the current user and for all users, silently and through its
# pages: it puts every file that ships in place, in the default folder or in the one the user
# names (/D=FOLDER on the command line, also through cmd, or on the folder page), a Start-menu
# entry under the program's title and an entry in the system's list of programs that records
# that folder; the installed program answers; the uninstaller takes all of it away again. The
# pages are driven with real keys on the X display that xvfb-run gives this script. Changes the
# Wine prefix that WINEPREFIX names: never point it at one of your own.
#
#   installer_round_trip.sh SETUP.EXE SHIPPED_FOLDER
set -euo pipefail
setup=$1
shipped=$2
: "${WINEPREFIX:?set WINEPREFIX to a Wine prefix of the tests}"
export WINEDEBUG=-all
export LC_ALL=C.UTF-8  # Wine reads the command line's Chinese folders in the locale's charset
title=当量直径计算
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\ductcalc'

fail() {
  echo "installer_round_trip: $*" >&2
  exit 1
}
# A Wine session of its own on this display: one left from another display would wait forever.
# An installation left by an earlier run that did not finish would be offered as the default.
wineserver --kill 2>/dev/null || true
wineserver --wait
for root in HKCU HKLM; do
  wine reg delete "$root\\$key" /f >/dev/null 2>&1 || true
done
# A folder Windows knows by an environment variable.
known_folder() { wine cmd /c "echo %$1%" | tr -d '\r'; }
# A registry key as regedit exports it, in UTF-8 (reg's own output loses Chinese text).
exported_key() {
  local file
  file=$(mktemp --suffix=.reg)
  wine regedit /E "$(winepath -w "$file")" "$1" >/dev/null 2>&1 || true
  iconv -f UTF-16 -t UTF-8 "$file" 2>/dev/null | tr -d '\r'
  rm -f "$file"
}
# The value of a registry export line ("InstallLocation"="C:\\x") as Windows holds it.
exported_value() { exported_key "$1" | sed -n "s/^\"$2\"=\"\(.*\)\"$/\1/p" | sed 's/\\\\/\\/g'; }

# Installs in MODE (CurrentUser or AllUsers) by HOW (silent, cmd or pages), into FOLDER (a
# Windows path; empty for the default), checks, and uninstalls.
round_trip() {
  local mode=$1 how=$2 asked=$3 folder menu root
  if [ $mode = CurrentUser ]; then
    folder="$(known_folder LOCALAPPDATA)\\Programs\\ductcalc"
    menu="$(known_folder APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs"
    root=HKEY_CURRENT_USER
  else
    folder="$(known_folder ProgramW6432)\\ductcalc"
    menu="$(known_folder ProgramData)\\Microsoft\\Windows\\Start Menu\\Programs"
    root=HKEY_LOCAL_MACHINE
  fi
  folder=${asked:-$folder}
  local what="$mode, $how, into $folder"
  case $how in
    # Wine quotes an argument with blanks, which /D= does not take: such a folder goes by cmd,
    # which hands the rest of the line over as it stands, as a user types it.
    silent) wine "$setup" /S /$mode ${asked:+"/D=$asked"} ;;
    cmd) wine cmd /c "$(winepath -w "$setup") /S /$mode${asked:+ /D=$asked}" ;;
    pages) through_pages "$asked" ;;
  esac
  wineserver --wait

  local here
  here=$(winepath -u "$folder")
  (cd "$shipped" && find . -type f) | while read -r file; do
    cmp -s "$shipped/$file" "$here/$file" || fail "$what: $file not installed as built"
  done
  [ "$(cd "$here" && find . -type f | wc -l)" -eq "$(($(cd "$shipped" && find . -type f | wc -l) + 1))" ] ||
    fail "$what: other files than what ships and the uninstaller: $(cd "$here" && find . -type f)"
  [ -f "$here/uninstall.exe" ] || fail "$what: no uninstaller"
  [ -f "$(winepath -u "$menu")/$title.lnk" ] || fail "$what: no Start-menu entry in $menu"
  exported_key "$root\\$key" | grep -qxF "\"DisplayName\"=\"$title\"" ||
    fail "$what: not in the list of programs"
  [ "$(exported_value "$root\\$key" InstallLocation)" = "$folder" ] ||
    fail "$what: the list of programs records $(exported_value "$root\\$key" InstallLocation)"
  version=$(wine "$here/ductcalc.exe" --version | tr -d '\r')
  [ "$version" = "ductcalc 1.0.1" ] || fail "$what: the installed program answered '$version'"

  wine "$here/uninstall.exe" /S /$mode
  wineserver --wait
  [ ! -e "$here" ] || fail "$what: left behind: $(find "$here" | head -n 5)"
  [ ! -e "$(winepath -u "$menu")/$title.lnk" ] || fail "$what: the Start-menu entry is still there"
  if exported_key "$root\\$key" | grep -q DisplayName; then
    fail "$what: still in the list of programs"
  fi
  echo "installer_round_trip: $what: installed, answered and uninstalled cleanly"
}

# The first visible window titled as the pattern says, once there is one (up to 30 s). A window
# that goes while xdotool searches makes it fail: the search is tried again.
window_named() {
  local id
  for _ in $(seq 300); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
    [ -n "$id" ] && echo "$id" && return 0
    sleep 0.1
  done
  fail "no window titled $1"
}

# The pages as a user goes through them with the keyboard: the install mode as offered (all
# users, for an administrator), the folder typed over the one proposed, install, and finish,
# which starts the program; its window is closed again.
through_pages() {
  openbox >/dev/null 2>&1 &
  local window_manager=$! installer
  wine "$setup" &
  installer=$!
  local page
  page=$(window_named "^$title 安装")
  xdotool windowactivate --sync "$page" 2>/dev/null || xdotool windowfocus --sync "$page" || true
  sleep 2
  xdotool key Return  # the install mode
  sleep 2
  xdotool type --delay 50 "$1"
  xdotool key Return  # install into it
  for _ in $(seq 300); do
    [ -f "$(winepath -u "$1")/uninstall.exe" ] && break
    sleep 0.1
  done
  sleep 2
  xdotool key Return  # finish, which starts the program
  local program
  program=$(window_named "^$title\$")
  xdotool windowactivate --sync "$program" 2>/dev/null || xdotool windowfocus --sync "$program" || true
  xdotool key Escape
  wait "$installer"
  kill "$window_manager"
}

round_trip CurrentUser silent ""
round_trip AllUsers cmd ""
round_trip CurrentUser silent 'C:\风管\当量直径'
round_trip CurrentUser cmd 'C:\风管 工具\当量 直径'
round_trip AllUsers cmd 'C:\Program Files\风管 计算'
round_trip AllUsers pages 'C:\Duct Tools\calculator'
