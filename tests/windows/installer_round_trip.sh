#!/usr/bin/env bash
# The installer under Wine, silently, for the current user and then for all users: it puts every
# file of the portable folder in place, a Start-menu entry under the program's title and an
# entry in the system's list of programs; the installed program answers; the uninstaller takes
# all of it away again. Changes the Wine prefix that WINEPREFIX names: never point it at one of
# your own.
#
#   installer_round_trip.sh SETUP.EXE PORTABLE_FOLDER
set -euo pipefail
setup=$1
portable=$2
: "${WINEPREFIX:?set WINEPREFIX to a Wine prefix of the tests}"
export WINEDEBUG=-all
title=当量直径计算
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\ductcalc'

fail() {
  echo "installer_round_trip: $*" >&2
  exit 1
}
# A folder Windows knows by an environment variable, as a path here.
known_folder() { winepath -u "$(wine cmd /c "echo %$1%" | tr -d '\r')"; }
# A registry key as regedit exports it, in UTF-8 (reg's own output loses the Chinese title).
exported_key() {
  local file
  file=$(mktemp --suffix=.reg)
  wine regedit /E "$(winepath -w "$file")" "$1" >/dev/null 2>&1 || true
  iconv -f UTF-16 -t UTF-8 "$file" 2>/dev/null | tr -d '\r'
  rm -f "$file"
}

for mode in CurrentUser AllUsers; do
  if [ $mode = CurrentUser ]; then
    folder="$(known_folder LOCALAPPDATA)/Programs/ductcalc"
    menu="$(known_folder APPDATA)/Microsoft/Windows/Start Menu/Programs"
    root=HKEY_CURRENT_USER
  else
    folder="$(known_folder ProgramW6432)/ductcalc"
    menu="$(known_folder ProgramData)/Microsoft/Windows/Start Menu/Programs"
    root=HKEY_LOCAL_MACHINE
  fi
  wine "$setup" /S /$mode
  wineserver --wait

  (cd "$portable" && find . -type f) | while read -r file; do
    cmp -s "$portable/$file" "$folder/$file" || fail "$mode: $file not installed as built"
  done
  [ -f "$folder/uninstall.exe" ] || fail "$mode: no uninstaller"
  [ -f "$menu/$title.lnk" ] || fail "$mode: no Start-menu entry $menu/$title.lnk"
  exported_key "$root\\$key" | grep -qxF "\"DisplayName\"=\"$title\"" ||
    fail "$mode: not in the list of programs"
  version=$(wine "$folder/ductcalc.exe" --version | tr -d '\r')
  [ "$version" = "ductcalc 1.0.1" ] || fail "$mode: the installed program answered '$version'"

  wine "$folder/uninstall.exe" /S /$mode
  wineserver --wait
  [ ! -e "$folder" ] || fail "$mode: left behind: $(find "$folder" | head -n 5)"
  [ ! -e "$menu/$title.lnk" ] || fail "$mode: the Start-menu entry is still there"
  if exported_key "$root\\$key" | grep -q DisplayName; then
    fail "$mode: still in the list of programs"
  fi
  echo "installer_round_trip: $mode installed, answered and uninstalled cleanly"
done
