#!/usr/bin/env bash
# The installer under Wine, for the current user and for all users, silently and through its
# pages: it puts every file that ships in place, in the default folder or in the one the user
# names (/D=FOLDER on the command line, also through cmd, or on the folder page), a Start-menu
# entry under the program's title and an entry in the system's list of programs that records
# that folder; the installed program answers; the uninstaller takes all of it away again, and
# leaves nothing in the temporary folder. Then one case for each promise around an installation:
# command lines it refuses, the other mode's folder and another program's, an upgrade, a
# downgrade, another folder and a copy, a held file (nothing of the earlier installation lost), a
# file held once the new one is in place, a run that is killed (the next finishes it), a folder
# that cannot be written and an uninstall that cannot delete a file, the uninstaller's last page
# left open, a running calculator, the pages, and the rights both programs ask Windows for. The
# pages are driven with real keys on the X display this script is given (scripts/with-display),
# in a Wine session of its own (wine_session.sh). Changes the Wine prefix that WINEPREFIX names
# and ends its Wine session: never point it at one of your own.
#
#   installer_round_trip.sh SETUP.EXE SHIPPED_FOLDER [CASE...]
# SETUP.EXE lies in the Windows build folder, beside the uninstaller and the installer's scripts
# that CMake configured there, from which the test makes an earlier and a newer version's
# installer, and the name of the package with the version it was built as (package-name). CASE:
# the cases to run (the functions below every_case calls), by default those that INSTALLER_CASES
# names (blank-separated, as a command run through ctest gets them), else all.
set -Eeuo pipefail
# A step that fails outside a check says which it was.
trap 'echo "installer_round_trip: line $LINENO failed: $BASH_COMMAND" >&2' ERR
setup=$1
shipped=$2
shift 2
project=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=wine_session.sh
source "$(dirname "$0")/wine_session.sh" installer_round_trip
export LC_ALL=C.UTF-8  # Wine reads the command line's Chinese folders in the locale's charset
title=当量直径计算
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\ductcalc'
version=$(sed "s/^ductcalc-/ductcalc /" "$(dirname "$setup")/package-name")  # as --version says it
work=$(mktemp -d)

# Makes a file or folder (a Unix path) one that no Windows program can change or delete, as a
# read-only mount or a file another program holds open would: immutable (as root, who may write
# anywhere; else a read-only bind mount), or for other users without write permission (on a
# file's folder, which is what deleting it needs). With -a (as root only), a folder that files
# can be moved into but not deleted from (append-only). Undone by unprotect, and on exit.
protected=()
protect() {
  if [ "$1" = -a ]; then
    chattr +a "$2" && protected+=("chattr:$2")
  elif [ "$(id -u)" -ne 0 ]; then
    local target=$1
    [ -d "$target" ] || target=$(dirname "$target")
    chmod a-w "$target" && protected+=("chmod:$target")
  elif chattr +i "$1" 2>/dev/null; then
    protected+=("chattr:$1")
  elif mount --bind "$1" "$1" && mount -o remount,ro,bind "$1"; then
    protected+=("mount:$1")
  else
    fail "could not make $1 read-only (neither chattr +i nor a read-only bind mount)"
  fi
}
unprotect() {
  local entry
  for entry in "${protected[@]}"; do
    case $entry in
      chmod:*) chmod u+w "${entry#chmod:}" ;;
      chattr:*) chattr -i -a "${entry#chattr:}" ;;
      mount:*) umount "${entry#mount:}" ;;
    esac
  done
  protected=()
}
needs_root() {
  [ "$(id -u)" -eq 0 ] && return
  echo "installer_round_trip: $1: skipped (needs root)"
  return 1
}

wine_session_start
calculator=
cleanup() {
  [ -z "$calculator" ] || kill "$calculator" 2>/dev/null || true
  unprotect
  wine_session_end
  rm -rf "$work"
}
trap cleanup EXIT
# An installation left by an earlier run that did not finish would be offered as the default,
# and its folders, or the folders the cases make on drive C:, refused as not empty.
for root in HKCU HKLM; do
  wine reg delete "$root\\$key" /f >/dev/null 2>&1 || true
done
drive_c=$(winepath -u 'C:\')
find "$drive_c" -mindepth 1 -maxdepth 1 -not -name windows -not -name users -not -name 'Program*' \
  -exec rm -rf {} +
rm -rf "$drive_c/Program Files/ductcalc" "$drive_c/Program Files/风管 计算" "$drive_c"/users/*/AppData/Local/Programs
find "$drive_c/users" "$drive_c/ProgramData" -name "$title.lnk" -delete

# A folder Windows knows by an environment variable, of those read once here.
declare -A known_folders
for name in LOCALAPPDATA APPDATA ProgramW6432 ProgramData PUBLIC TEMP; do
  known_folders[$name]=$(wine cmd /c "echo %$name%" | tr -d '\r')
done
known_folder() { echo "${known_folders[$1]}"; }
# A registry key as regedit exports it, in UTF-8 (reg's own output loses Chinese text).
exported_key() {
  local file
  file=$(mktemp --suffix=.reg)
  wine regedit /E "$(winepath -w "$file")" "$1" >/dev/null 2>&1 || true
  iconv -f UTF-16 -t UTF-8 "$file" 2>/dev/null | tr -d '\r'
  rm -f "$file"
}
# The value NAME of the key (not of its subkeys) as Windows holds it.
exported_value() {
  exported_key "$1" | KEY="[$1]" awk '$0 == ENVIRON["KEY"] { own = 1; next } /^\[/ { own = 0 } own' |
    sed -n "s/^\"$2\"=\"\(.*\)\"$/\1/p" | sed 's/\\\\/\\/g'
}

# The default folder, the Start menu's folder, the registry root of MODE (CurrentUser or
# AllUsers) and the name of its entry in the list of programs, in default_folder, menu, root and
# entry.
mode_places() {
  if [ "$1" = CurrentUser ]; then
    default_folder="$(known_folder LOCALAPPDATA)\\Programs\\ductcalc"
    menu="$(known_folder APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs"
    root=HKEY_CURRENT_USER
    entry="$title（当前用户）"
  else
    default_folder="$(known_folder ProgramW6432)\\ductcalc"
    menu="$(known_folder ProgramData)\\Microsoft\\Windows\\Start Menu\\Programs"
    root=HKEY_LOCAL_MACHINE
    entry="$title（所有用户）"
  fi
}

# Runs the installer with PARAMETERS as they stand, through cmd, which reads the line from the
# environment (Wine would escape the quotes of an argument); its exit status. An installer that
# shows its pages instead of ending is stopped after 2 minutes.
run_line() {
  local status=0
  DUCTCALC_LINE="\"$(winepath -w "$setup")\" $1" timeout 120 wine cmd /c '%DUCTCALC_LINE%' || status=$?
  if [ $status -eq 124 ]; then
    wineserver --kill
    fail "$1: the installer did not end within 2 minutes (did it show its pages?)"
  fi
  return $status
}

# Installs silently in MODE by HOW into FOLDER (a Windows path; empty for the default); the
# installer's exit status. HOW: silent, as Wine passes arguments (it quotes one with blanks, so
# that /D= then comes in quotes); cmd, the rest of the line as it stands, as a user types it;
# quoted, every parameter in quotes, as deployment tools write them.
install() {
  local mode=$1 how=$2 asked=$3
  case $how in
    silent) wine "$setup" /S /$mode ${asked:+"/D=$asked"} ;;
    cmd) wine cmd /c "$(winepath -w "$setup") /S /$mode${asked:+ /D=$asked}" ;;
    quoted) run_line "\"/S\" \"/$mode\"${asked:+ \"/D=$asked\"}" ;;
  esac
}

# FOLDER (a Windows path) holds every file and folder that ships (or that SHIPPED holds), as
# built, and the uninstaller, and nothing else.
expect_files() {
  local here from=${3:-$shipped}
  here=$(winepath -u "$1")
  (cd "$from" && find . -type f) | while read -r file; do
    cmp -s "$from/$file" "$here/$file" || fail "$2: $file not installed in $1 as built"
  done
  [ "$(cd "$here" && find . -type f | wc -l)" -eq "$(($(cd "$from" && find . -type f | wc -l) + 1))" ] ||
    fail "$2: other files than what ships and the uninstaller: $(cd "$here" && find . -type f)"
  [ "$(cd "$here" && find . -type d | LC_ALL=C sort)" = "$(cd "$from" && find . -type d | LC_ALL=C sort)" ] ||
    fail "$2: other folders than what ships: $(cd "$here" && find . -type d)"
  [ -f "$here/uninstall.exe" ] || fail "$2: no uninstaller"
}
# MODE's Start-menu entry and its entry in the list of programs, recording FOLDER.
expect_listed() {
  mode_places "$1"
  [ -f "$(winepath -u "$menu")/$title.lnk" ] || fail "$3: no Start-menu entry in $menu"
  [ "$(exported_value "$root\\$key" DisplayName)" = "$entry" ] || fail "$3: not in the list of programs as $entry"
  [ "$(exported_value "$root\\$key" InstallLocation)" = "$2" ] ||
    fail "$3: the list of programs records $(exported_value "$root\\$key" InstallLocation), not $2"
}
# MODE's installation in FOLDER, of what ships (or SHIPPED holds), and listed.
expect_installed() {
  expect_files "$2" "$3" "${4:-}"
  expect_listed "$1" "$2" "$3"
}
# Nothing of MODE's installation in FOLDER is left (an empty FOLDER: no installation of MODE at
# all, nor anything in its default folder).
expect_removed() {
  mode_places "$1"
  local folder=${2:-$default_folder}
  [ ! -e "$(winepath -u "$folder")" ] || fail "$3: left behind: $(find "$(winepath -u "$folder")" | head -n 5)"
  [ ! -e "$(winepath -u "$menu")/$title.lnk" ] || fail "$3: the Start-menu entry is still there"
  if exported_key "$root\\$key" | grep -q .; then
    fail "$3: still in the registry: $(exported_key "$root\\$key")"
  fi
}
# The installed program in FOLDER starts and answers with its version.
expect_answer() {
  local answer
  answer=$(wine "$(winepath -u "$1")/ductcalc.exe" --version | tr -d '\r')
  [ "$answer" = "$version" ] || fail "$2: the installed program answered '$answer', not '$version'"
}
# What the temporary folder holds, one name a line.
temporary_files() { find "$(winepath -u "$(known_folder TEMP)")" -mindepth 1 -maxdepth 1 -printf "%f\n" | LC_ALL=C sort; }
# Runs FOLDER's uninstaller silently; its exit status. Its own file goes once it has ended.
uninstall() {
  local status=0 here
  here=$(winepath -u "$1")
  wine "$here/uninstall.exe" /S || status=$?
  if [ $status -eq 0 ]; then
    wait_until 30 "the uninstaller's own file in $1 to go" absent "$here/uninstall.exe"
  fi
  return $status
}
absent() { [ ! -e "$1" ]; }

# Installs in MODE by HOW (silent or cmd) into FOLDER (a Windows path; empty for the default),
# checks, and uninstalls.
round_trip() {
  local mode=$1 how=$2 asked=$3 folder
  mode_places "$mode"
  folder=${asked:-$default_folder}
  local what="$mode, $how, into $folder" before made
  before=$(temporary_files)
  made=$(winepath -u "$folder")  # the outermost of the folders the installer is to make
  while [ ! -e "$(dirname "$made")" ]; do made=$(dirname "$made"); done
  install "$mode" "$how" "$asked" || fail "$what: the installer failed"
  wineserver --wait
  expect_installed "$mode" "$folder" "$what"
  expect_answer "$folder" "$what"
  uninstall "$folder" || fail "$what: the uninstaller failed"
  expect_removed "$mode" "$folder" "$what"
  wineserver --wait  # its copy, which removes uninstall.exe, and what deletes the copy, ended
  [ ! -e "$made" ] || fail "$what: left the folder it made, $made"
  local left
  left=$(LC_ALL=C comm -13 <(echo "$before") <(temporary_files))
  [ -z "$left" ] || fail "$what: left in the temporary folder $(known_folder TEMP): $left"
  echo "installer_round_trip: $what: installed, answered and uninstalled cleanly"
}

# How many visible windows have a title that matches the pattern: at least COUNT; exactly COUNT.
at_least_windows() { [ "$(windows_titled "$2" | wc -l)" -ge "$1" ]; }
exactly_windows() { [ "$(windows_titled "$2" | wc -l)" -eq "$1" ]; }
# The first visible window whose title matches the pattern, once there is one (up to 30 s).
window_named() {
  wait_until 30 "a window titled $1" at_least_windows 1 "$1"
  windows_titled "$1" | head -n 1
}
# The message box over the pages, titled as they are, once it shows (up to 30 s): the newest of
# the two windows. (Wine's message boxes do not copy their text with Ctrl+C, as Windows' do.)
message_over() {
  wait_until 30 "a message over the pages titled $1" at_least_windows 2 "$1"
  windows_titled "$1" | tail -n 1
}
# Once the message over the pages titled PATTERN has gone, after keys that close it.
message_gone() {
  wait_until 30 "the message over the pages titled $1 to go" exactly_windows 1 "$1"
}
# Return on the pages of INSTALLER (a process) until they close: the last page takes it only once
# the installation's steps have ended, and a Return before is passed over.
finish() {
  local tries=300
  until process_ended "$2"; do
    if [ $((tries % 10)) -eq 0 ]; then
      xdotool windowactivate --sync "$1" 2>/dev/null && xdotool key Return || true
    fi
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || fail "the pages did not finish"
    sleep 0.1
  done
}
# The calculator started from FOLDER, until its window shows.
start_calculator() {
  wine "$(winepath -u "$1")/ductcalc.exe" &
  calculator=$!
  wait_until -p "$calculator" 30 "the calculator's window" at_least_windows 1 "^$title\$"
}
close_calculator() {
  local window
  window=$(window_named "^$title\$")
  keys "$window" key Escape
  wait "$calculator" || true
  calculator=
}
# Whether a calculator runs, as Windows lists its processes.
calculator_running() {
  wine wmic process get Caption 2>/dev/null | iconv -f UTF-16 -t UTF-8 | grep -q '^ductcalc\.exe'
}

# A folder that holds another program's files: its uninstall.exe (the name of almost every NSIS
# uninstaller) and its notes.
make_foreign_folder() {
  mkdir -p "$1"
  echo "another program's uninstaller" >"$1/uninstall.exe"
  echo "another program's notes" >"$1/说明.txt"
}
files_of() { (cd "$1" && find . -type f -exec md5sum {} + | LC_ALL=C sort); }

# The installer of VERSION, made from the same scripts (scripts/windows-installer) into
# $work/VERSION/, of what ships and one more file there (earlier/notes.txt): an earlier or a newer
# version to upgrade from or to downgrade to. What it ships is in $work/VERSION/shipped.
other_version() {
  local made=$work/$1
  other_setup=$made/ductcalc-$1-setup.exe
  [ ! -f "$other_setup" ] || return 0
  mkdir -p "$made"
  cp -r "$shipped" "$made/shipped"
  mkdir "$made/shipped/earlier"
  echo "shipped by $1 only" >"$made/shipped/earlier/notes.txt"
  cp "$(dirname "$setup")"/{installer,uninstaller}.nsi "$made/"
  sed -i "s/^!define VERSION .*/!define VERSION \"$1\"/" "$made/installer.nsi" "$made/uninstaller.nsi"
  "$project/scripts/windows-installer" "$made" "$made/shipped" "$other_setup" >/dev/null
}

# Command lines the installer refuses with exit code 2, changing nothing: a parameter it does not
# know, a folder that is not a full path (a drive's or a share's root among them), lies under a
# file or holds a switch or a character Windows forbids, both modes at once. (NSIS itself would
# pass over the first, and install into its default folder instead of the others.) A /S anywhere
# makes the whole run silent: after a /D= that swallows the rest of the line, or after a refused
# parameter, it must not show the pages or a message box that nobody answers.
refused_command_lines() {
  local file='C:\ductcalc-not-a-folder.txt' line status drive before
  drive=$(winepath -u 'C:\')
  echo "not a folder" >"$(winepath -u "$file")"
  before=$(ls -A "$drive")
  while IFS= read -r line; do
    status=0
    run_line "$line" || status=$?
    [ $status -eq 2 ] || fail "$line: exit code $status, not 2"
    wineserver --wait
    expect_removed CurrentUser "" "$line"
    expect_removed AllUsers "" "$line"
    [ "$(ls -A "$drive")" = "$before" ] || fail "$line: made $(comm -13 <(echo "$before") <(ls -A "$drive"))"
  done <<EOF
/S /CurrentUser /Quiet
/S /CurrentUser /D=风管\当量直径
/S /CurrentUser "/D=C:"
/S /CurrentUser /D=\\\\server\\share\\
/S /AllUsers /D=$file\ductcalc
/S /AllUsers /CurrentUser
/D=C:\order test /S /CurrentUser
"/Quiet" "/S" "/CurrentUser"
/S /CurrentUser /D=C:\风管 /AllUsers
/S /CurrentUser "/D=C:\风管|计算"
EOF
  rm "$(winepath -u "$file")"
  echo "installer_round_trip: command lines refused, nothing changed, no page nor message shown"
}

# On the pages a refused parameter is a message, and the run ends with exit code 2 once it is
# read: /s in lower case, which NSIS passes over, showing its pages to a script that meant
# silence.
refused_on_the_pages() {
  local what="/s, on the pages" status=0
  wine "$setup" /s /CurrentUser &
  local installer=$! box
  box=$(window_named "^$title 安装\$")
  keys "$box" key Return
  wait_until 30 "the installer to end after its message (did it go on to its pages?)" \
    process_ended "$installer"
  wait $installer || status=$?
  [ $status -eq 2 ] || fail "$what: exit code $status, not 2"
  expect_removed CurrentUser "" "$what"
  echo "installer_round_trip: $what: refused, nothing changed"
}

# An installation may not go into the folder of the other mode's, however the folder is spelt:
# silently the run fails and changes nothing, and the other installation's uninstaller then
# removes all of it. (Into one folder, each uninstaller would remove the other's files.)
into_the_other_modes_folder() {
  local folder='C:\Tools\风管' what="CurrentUser, silently into the folder of AllUsers" status=0
  install AllUsers cmd "$folder" || fail "$what: the installer failed for all users"
  wineserver --wait
  install CurrentUser cmd 'c:\tools\风管\' || status=$?
  [ $status -eq 2 ] || fail "$what: exit code $status, not 2"
  wineserver --wait
  expect_removed CurrentUser "" "$what"
  expect_installed AllUsers "$folder" "$what"
  uninstall "$folder" || fail "$what: the uninstaller failed"
  expect_removed AllUsers "$folder" "$what"
  echo "installer_round_trip: $what: refused, nothing changed"
}

# A silent run into a folder that holds files the installer did not put there fails with exit
# code 2, and overwrites nothing of them (nor could the uninstaller then delete them): another
# program's, among them an uninstall.exe, or a user's notes alone, which no file of the
# installation would meet.
into_a_folder_with_other_files() {
  local folder='C:\Tools' here status before what
  here=$(winepath -u "$folder")
  for what in "another program's files" "a user's notes"; do
    make_foreign_folder "$here"
    [ "$what" = "another program's files" ] || rm "$here/uninstall.exe"
    what="CurrentUser, silently into a folder with $what"
    before=$(files_of "$here")
    status=0
    install CurrentUser cmd "$folder" || status=$?
    [ $status -eq 2 ] || fail "$what: exit code $status, not 2"
    wineserver --wait
    [ "$(files_of "$here")" = "$before" ] || fail "$what: the folder's files changed: $(files_of "$here")"
    expect_removed CurrentUser "" "$what"
    rm -r "$here"
    echo "installer_round_trip: $what: refused, the files untouched"
  done
}

# An upgrade in the same folder from an earlier version that shipped one more file: that file
# goes, so that the folder holds the new version's alone, and the uninstaller then leaves nothing.
upgrade_in_place() {
  local what="CurrentUser, an upgrade in place"
  other_version 1.0.0
  mode_places CurrentUser
  wine "$other_setup" /S /CurrentUser || fail "$what: the earlier version's installer failed"
  wineserver --wait
  expect_installed CurrentUser "$default_folder" "$what, the earlier version" "$work/1.0.0/shipped"
  install CurrentUser silent "" || fail "$what: the installer failed"
  wineserver --wait
  expect_installed CurrentUser "$default_folder" "$what"
  [ "$(exported_value "$root\\$key" DisplayVersion)" = "${version#ductcalc }" ] || fail "$what: the entry names another version"
  uninstall "$default_folder" || fail "$what: the uninstaller failed"
  expect_removed CurrentUser "$default_folder" "$what"
  echo "installer_round_trip: $what: nothing of the earlier version left, nor of either after the uninstall"
}

# A newer version installed in the same mode is not replaced by a silent run (exit code 2,
# nothing changed) unless it says /Downgrade.
downgrade() {
  local what="CurrentUser, over a newer version" status=0
  other_version 99.0.0
  mode_places CurrentUser
  wine "$other_setup" /S /CurrentUser || fail "$what: the newer version's installer failed"
  wineserver --wait
  install CurrentUser silent "" || status=$?
  [ $status -eq 2 ] || fail "$what: exit code $status, not 2"
  wineserver --wait
  [ "$(exported_value "$root\\$key" DisplayVersion)" = 99.0.0 ] || fail "$what: the newer version was replaced"
  expect_installed CurrentUser "$default_folder" "$what, refused" "$work/99.0.0/shipped"
  wine "$setup" /S /CurrentUser /Downgrade || fail "$what: /Downgrade failed"
  wineserver --wait
  expect_installed CurrentUser "$default_folder" "$what, with /Downgrade"
  [ "$(exported_value "$root\\$key" DisplayVersion)" = "${version#ductcalc }" ] || fail "$what: not replaced with /Downgrade"
  uninstall "$default_folder" || fail "$what: the uninstaller failed"
  expect_removed CurrentUser "$default_folder" "$what"
  echo "installer_round_trip: $what: refused silently, replaced with /Downgrade"
}

# A second installation of the same mode in another folder replaces the first; a copy of the
# installation's folder elsewhere uninstalls itself and leaves the installation that the list of
# programs records.
second_folder_and_a_copy() {
  local second='C:\工具 目录\风管 计算' copy='C:\风管 副本' what="CurrentUser, into a second folder"
  mode_places CurrentUser
  local first=$default_folder
  install CurrentUser silent "" || fail "$what: the first installation failed"
  install CurrentUser cmd "$second" || fail "$what: the second installation failed"
  wineserver --wait
  [ ! -e "$(dirname "$(winepath -u "$first")")" ] || fail "$what: the first installation or the folder its installer made is still there"
  expect_installed CurrentUser "$second" "$what"
  cp -r "$(winepath -u "$second")" "$(winepath -u "$copy")"
  uninstall "$copy" || fail "$what: the copy's uninstaller failed"
  [ ! -e "$(winepath -u "$copy")" ] || fail "$what: the copy's uninstaller left its folder"
  expect_installed CurrentUser "$second" "$what, after a copy's uninstaller"
  uninstall "$second" || fail "$what: the uninstaller failed"
  expect_removed CurrentUser "$second" "$what"
  wineserver --wait  # the copy that removes the folders
  [ ! -e "$(dirname "$(winepath -u "$second")")" ] || fail "$what: left the folder it made above $second"
  echo "installer_round_trip: $what: replaced the first; a copy's uninstaller removed only the copy"
}

# With a file of the installation held (as by an editor or an antivirus, without sharing its
# deletion), a reinstall, an upgrade in place and an upgrade into another folder fail with exit
# code 2 before anything is lost: the earlier installation stays whole (its files, its entry, its
# Start-menu entry), and its program starts.
over_a_held_file() {
  local first earlier other what status here from listed
  other_version 1.0.0
  earlier=$other_setup
  mode_places CurrentUser
  here=$(winepath -u "$default_folder")
  while read -r first other; do
    what="CurrentUser, $(basename "$first") replaced by this version${other:+ in $other}, a file held"
    wine "$first" /S /CurrentUser || fail "$what: the first installer failed"
    wineserver --wait
    protect "$here/licences/qt/qt6-translations-l10n.txt"
    status=0
    install CurrentUser cmd "$other" || status=$?
    [ $status -eq 2 ] || fail "$what: exit code $status, not 2"
    wineserver --wait
    from=$shipped listed=${version#ductcalc }
    [ "$first" = "$setup" ] || from=$work/1.0.0/shipped listed=1.0.0
    expect_installed CurrentUser "$default_folder" "$what" "$from"
    [ "$(exported_value "$root\\$key" DisplayVersion)" = "$listed" ] || fail "$what: the entry no longer names $listed"
    expect_answer "$default_folder" "$what"
    [ -z "$other" ] || [ ! -e "$(winepath -u "$other")" ] || fail "$what: left $other"
    unprotect
    uninstall "$default_folder" || fail "$what: the uninstaller failed"
    expect_removed CurrentUser "$default_folder" "$what"
    echo "installer_round_trip: $what: exit code 2, the earlier installation whole"
  done <<EOF
$setup
$earlier
$earlier C:\风管 另装
EOF
}

# What was moved aside and can no longer be deleted once the new files are in place (a file that
# an antivirus took hold of meanwhile; here a rollback folder that files can enter but not
# leave) stays: the run succeeds, the next refuses with exit code 2 while it is held, and the
# uninstaller then removes it with the rest. (As root only.)
held_after_the_move() {
  local what="CurrentUser, a file moved aside held" here status=0
  needs_root "$what" || return 0
  mode_places CurrentUser
  here=$(winepath -u "$default_folder")
  install CurrentUser silent "" || fail "$what: the first installation failed"
  mkdir "$here/~old"
  protect -a "$here/~old"
  install CurrentUser silent "" || fail "$what: the installer failed"
  [ -f "$here/~old/ductcalc.exe" ] || fail "$what: the earlier program is not in the rollback folder"
  expect_listed CurrentUser "$default_folder" "$what"
  expect_answer "$default_folder" "$what"
  install CurrentUser silent "" || status=$?
  [ $status -eq 2 ] || fail "$what: the next run, while the file is held: exit code $status, not 2"
  unprotect
  uninstall "$default_folder" || fail "$what: the uninstaller failed"
  expect_removed CurrentUser "$default_folder" "$what"
  echo "installer_round_trip: $what: installed, the file kept until the uninstaller removed it"
}

# Runs the installer for the current user into FOLDER and kills it (as a deployment tool's
# timeout or a power cut would) as soon as it has begun to write its first file, which the
# program is: it runs in short slices, stopped in between, so that it is caught there however
# fast the machine.
kill_in_its_first_file() {
  local stage
  stage="$(winepath -u "$1")/~new"
  wine "$setup" /S /CurrentUser "/D=$1" &
  local installer=$!
  until [ -e "$stage/ductcalc.exe" ]; do
    process_ended "$installer" && fail "the installer ended before it wrote into $stage"
    kill -CONT "$installer"
    sleep 0.01
    kill -STOP "$installer"
  done
  kill -KILL "$installer"
  wait "$installer" 2>/dev/null || true
  wineserver --wait
}

# A run killed in its first file leaves the folder and the entry's record of what it was doing:
# the same line again finishes the job (exit code 0, all in place), and the uninstaller then
# removes all, the folders that run made among it. With an installation in place, a run into
# another folder killed so is undone by that installation's uninstaller, which removes both.
killed_and_run_again() {
  local folder='C:\新建 工具\风管\计算' what="CurrentUser, killed in its first file" made
  made=$(winepath -u 'C:\新建 工具')
  kill_in_its_first_file "$folder"
  mode_places CurrentUser
  [ -z "$(exported_value "$root\\$key" DisplayName)" ] || fail "$what: listed before it finished"
  wine "$setup" /S /CurrentUser "/D=$folder" || fail "$what: the same line again failed"
  wineserver --wait
  expect_installed CurrentUser "$folder" "$what, then run again"
  expect_answer "$folder" "$what, then run again"
  uninstall "$folder" || fail "$what: the uninstaller failed"
  expect_removed CurrentUser "$folder" "$what, then uninstalled"
  [ ! -e "$made" ] || fail "$what: left the folder it made, $made"

  install CurrentUser silent "" || fail "$what: the installation in place failed"
  wineserver --wait
  kill_in_its_first_file "$folder"
  uninstall "$default_folder" || fail "$what: the installation's uninstaller failed"
  expect_removed CurrentUser "$default_folder" "$what, the installation in place uninstalled"
  [ ! -e "$made" ] || fail "$what: the uninstaller left the folder the killed run made, $made"
  echo "installer_round_trip: $what: run again, installed; uninstalled, nothing left; its record undone by an uninstaller"
}

# A folder that exists but cannot be written: the run fails with exit code 2 and the installation
# in place stays as it was. An uninstall that cannot delete one of the files (held open,
# read-only) ends with exit code 3, and keeps its entry in the list of programs and its
# uninstaller, which removes the rest once it can.
when_files_cannot_change() {
  local locked='C:\只读 文件夹' what="CurrentUser, with files that cannot change"
  local status here held
  mode_places CurrentUser
  here=$(winepath -u "$default_folder")
  install CurrentUser silent "" || fail "$what: the installer failed"
  wineserver --wait
  mkdir -p "$(winepath -u "$locked")"
  protect "$(winepath -u "$locked")"
  status=0
  install CurrentUser cmd "$locked" || status=$?
  [ $status -eq 2 ] || fail "$what: into a folder that cannot be written, exit code $status, not 2"
  wineserver --wait
  unprotect
  expect_installed CurrentUser "$default_folder" "$what, after a run into a folder that cannot be written"
  rmdir "$(winepath -u "$locked")" || fail "$what: wrote into $locked: $(ls -A "$(winepath -u "$locked")")"

  held=$(find "$here/licences" -type f | head -n 1)
  protect "$held"
  status=0
  wine "$here/uninstall.exe" /S || status=$?
  [ $status -eq 3 ] || fail "$what: an uninstall that left ${held#"$here/"}: exit code $status, not 3"
  wineserver --wait
  [ -f "$held" ] && [ -f "$here/uninstall.exe" ] || fail "$what: the held file or uninstall.exe went"
  [ ! -e "$here/ductcalc.exe" ] || fail "$what: the program stayed"
  [ -n "$(exported_value "$root\\$key" DisplayName)" ] || fail "$what: no longer listed, though files stayed"
  unprotect
  uninstall "$default_folder" || fail "$what: the uninstaller failed once the file could go"
  expect_removed CurrentUser "$default_folder" "$what"
  echo "installer_round_trip: $what: a run into a locked folder changed nothing; a partial uninstall said so and was listed"
}

# The uninstaller's pages, its finish page left open for longer than the 30 s its copy once
# tried for, while (as on Windows, not Wine) the running uninstaller's file cannot be deleted:
# the copy waits for its process to end, then deletes the file and the folder. And the copy run
# by hand, without the folder it is to act on, deletes nothing (not an uninstall.exe at the
# drive's root). (As root only: another user cannot make one file alone undeletable.)
finish_page_left_open() {
  local what="CurrentUser, the uninstaller's finish page left open" here
  needs_root "$what" || return 0
  mode_places CurrentUser
  here=$(winepath -u "$default_folder")
  install CurrentUser silent "" || fail "$what: the installer failed"
  wineserver --wait
  local root_file
  root_file="$(winepath -u 'C:\')uninstall.exe"
  echo "another program's uninstaller" >"$root_file"
  (cd "$(winepath -u 'C:\')" && wine "$here/uninstall.exe" /RemoveUninstaller) || true
  [ -f "$root_file" ] || fail "$what: the copy run by hand deleted C:\\uninstall.exe"
  [ -f "$here/uninstall.exe" ] || fail "$what: the copy run by hand deleted the installation's uninstall.exe"
  rm "$root_file"
  wine "$here/uninstall.exe" &
  local uninstaller=$! pages
  pages=$(window_named "^$title 卸载\$")
  protect "$here/uninstall.exe"  # in use while its program runs
  keys "$pages" key Return  # uninstall; the finish page follows
  wait_until 30 "the program's files to go" absent "$here/licences"
  sleep 35  # the time itself is what is tested: longer than the copy's old 30 s
  finish "$pages" "$uninstaller"
  wait "$uninstaller" || fail "$what: the uninstaller failed"
  unprotect  # its process has ended, and with it the hold on its file
  wait_until 30 "the folder $default_folder to go" absent "$here"
  expect_removed CurrentUser "$default_folder" "$what"
  echo "installer_round_trip: $what: uninstall.exe and its folder went once the uninstaller ended"
}

# With the calculator running, a silent uninstall or reinstall fails and changes nothing; the
# uninstaller's pages ask the user to close it, and go on once he has.
while_the_calculator_runs() {
  local what="CurrentUser, while the calculator runs" folder
  mode_places CurrentUser
  folder=$default_folder
  install CurrentUser silent "" || fail "$what: the installer failed"
  start_calculator "$folder"
  if uninstall "$folder"; then
    fail "$what: the silent uninstaller succeeded"
  fi
  expect_installed CurrentUser "$folder" "$what, after the uninstaller"
  if install CurrentUser silent ""; then
    fail "$what: the silent installer succeeded"
  fi
  expect_installed CurrentUser "$folder" "$what, after the installer"

  wine "$(winepath -u "$folder")/uninstall.exe" &
  local uninstaller=$! pages
  pages=$(window_named "^$title 卸载\$")
  keys "$pages" key Return  # uninstall
  local box
  box=$(message_over "^$title 卸载\$")  # asked to close the calculator
  expect_installed CurrentUser "$folder" "$what, while the pages ask"
  close_calculator
  keys "$box" key Return  # try again
  message_gone "^$title 卸载\$"
  finish "$pages" "$uninstaller"
  wait "$uninstaller" || fail "$what: the uninstaller's pages failed"
  wineserver --wait
  expect_removed CurrentUser "$folder" "$what"
  echo "installer_round_trip: $what: nothing changed silently; the pages waited for it to close"
}

# Through the pages as a user goes through them with the keyboard. For the current user (the
# mode page's choice when nothing is installed) into the folder proposed; the last page starts
# the calculator (ticked). Then for all users while that installation is there: the install mode
# (all users), the folder typed over the one proposed: first another program's, then the current
# user's, which the pages refuse, keeping to the folder page, then another; install; the pages
# say that the other installation is there, and the user goes on. The last page, whose installer
# has raised rights for all users, offers no start, and makes no desktop shortcut unless asked.
through_the_pages() {
  local folder='C:\Duct Tools\calculator' what="the pages, for the current user, then for all users beside it"
  mode_places CurrentUser
  local own=$default_folder
  wine "$setup" &
  local installer=$! pages program
  pages=$(window_named "^$title 安装\$")
  keys "$pages" key Return  # for the current user
  xdotool key Return  # into the folder proposed
  finish "$pages" "$installer"
  wait "$installer" || fail "$what: the current user's installer failed"
  program=$(window_named "^$title\$")
  keys "$program" key Escape
  wineserver --wait
  expect_installed CurrentUser "$own" "$what: the current user's installation"

  wine "$setup" &
  installer=$!
  pages=$(window_named "^$title 安装\$")
  keys "$pages" key alt+a Return  # for all users, not as before for the current user
  local foreign='C:\Tools\Other' box
  make_foreign_folder "$(winepath -u "$foreign")"
  xdotool type --delay 50 "$foreign"  # on the folder page, which the keys reach once it is shown
  xdotool key Return  # install into another program's folder
  box=$(message_over "^$title 安装\$")
  keys "$box" key Return  # told that it holds other files
  message_gone "^$title 安装\$"
  keys "$pages" key ctrl+a
  xdotool type --delay 50 "$own"
  xdotool key Return  # install into the current user's folder
  box=$(message_over "^$title 安装\$")
  keys "$box" key Return  # told that it holds the current user's installation
  message_gone "^$title 安装\$"
  keys "$pages" key ctrl+a
  xdotool type --delay 50 "$folder"
  xdotool key Return  # install into another
  box=$(message_over "^$title 安装\$") || fail "$what: no message after the current user's folder" \
    "(the list of programs records $(exported_value "HKEY_LOCAL_MACHINE\\$key" InstallLocation) for all users)"
  keys "$box" key Return  # told of the other installation, go on
  finish "$pages" "$installer"
  wait "$installer" || fail "$what: all users' installer failed"
  ! calculator_running || fail "$what: all users' last page started the calculator"
  [ ! -e "$(winepath -u "$(known_folder PUBLIC)\\Desktop")/$title.lnk" ] ||
    fail "$what: a desktop shortcut nobody asked for"
  expect_installed AllUsers "$folder" "$what"
  expect_installed CurrentUser "$own" "$what: the current user's installation"
  uninstall "$folder" || fail "$what: the uninstaller failed"
  expect_removed AllUsers "$folder" "$what"
  expect_installed CurrentUser "$own" "$what: the current user's installation, after the other went"
  uninstall "$own" || fail "$what: the current user's uninstaller failed"
  expect_removed CurrentUser "$own" "$what: the current user's installation"
  rm -r "$(winepath -u "$foreign")"
  echo "installer_round_trip: $what: the current user's last page started the program; all users' refused another program's folder and the other mode's, told of the other, started nothing; each uninstalled alone"
}

# The rights each program asks Windows for before it starts, in its manifest: none of their own
# (asInvoker), so that no one meets a UAC prompt before an installation for all users is chosen.
execution_levels() {
  local program level
  for program in "$setup" "$(dirname "$setup")/uninstall.exe"; do
    level=$(wrestool -x --raw --type=24 "$program" |
      xmllint --xpath "string(//*[local-name()='requestedExecutionLevel']/@level)" -)
    [ "$level" = asInvoker ] || fail "$(basename "$program") asks for the execution level '$level', not asInvoker"
  done
  echo "installer_round_trip: the installer and the uninstaller ask for asInvoker"
}

round_trips() {
  round_trip CurrentUser silent ""
  round_trip AllUsers cmd ""
  round_trip CurrentUser silent 'C:\风管\当量直径'
  round_trip CurrentUser cmd 'C:\风管 工具\当量 直径'
  round_trip AllUsers cmd 'C:\Program Files\风管 计算'
  round_trip CurrentUser silent 'C:\风管 工具\计算'  # /D= in quotes, as Wine passes it
  round_trip AllUsers quoted 'C:\Duct Tools\风管'
}
every_case() {
  execution_levels
  round_trips
  refused_command_lines
  refused_on_the_pages
  into_the_other_modes_folder
  into_a_folder_with_other_files
  upgrade_in_place
  downgrade
  second_folder_and_a_copy
  over_a_held_file
  held_after_the_move
  killed_and_run_again
  when_files_cannot_change
  finish_page_left_open
  while_the_calculator_runs
  through_the_pages
}
if [ $# -eq 0 ]; then
  read -ra cases <<<"${INSTALLER_CASES:-}"
  set -- "${cases[@]}"
fi
if [ $# -eq 0 ]; then
  every_case
fi
for case in "$@"; do
  "$case"
done
