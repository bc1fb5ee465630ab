#!/usr/bin/env bash
# The Windows program imports only DLLs that every Windows 10 and 11 has: no Qt, no compiler
# runtime, nothing that would have to travel beside it.
#
#   system_imports_only.sh PROGRAM.EXE
set -euo pipefail
program=$1

# Windows' own DLLs, in System32 on every Windows 10 and 11, as lower case, and the API sets
# that Windows 8 and later resolve themselves.
windows_own=$(echo kernel32 user32 gdi32 advapi32 shell32 ole32 oleaut32 uxtheme dwmapi imm32 \
  winmm comdlg32 ws2_32 version shlwapi msvcrt d3d9 d3d11 dxgi d2d1 dwrite netapi32 userenv \
  wtsapi32 authz shcore api-ms-win-core-winrt-l1-1-0 api-ms-win-core-winrt-string-l1-1-0 \
  api-ms-win-core-synch-l1-2-0 | sed 's/\([^ ]*\)/\1.dll/g')

imports=$(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^\tDLL Name: //p')
[ -n "$imports" ] || { echo "system_imports_only: no imports read from $program" >&2; exit 1; }
foreign=""
for dll in $imports; do
  lower=$(tr '[:upper:]' '[:lower:]' <<<"$dll")
  case " $windows_own " in
    *" $lower "*) ;;
    *) foreign+=" $dll" ;;
  esac
done
if [ -n "$foreign" ]; then
  echo "system_imports_only: $program imports DLLs that Windows does not have:$foreign" >&2
  exit 1
fi
echo "system_imports_only: $(tr '\n' ' ' <<<"$imports")"
