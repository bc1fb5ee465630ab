#!/usr/bin/env bash
# The application manifest that Windows reads out of the program before it runs it: resource 1
# of type RT_MANIFEST, the only one an .exe is read for; well-formed XML (Windows refuses to
# start a program whose manifest is not); and in it, each element in the namespace where
# Windows looks for it (one in any other is passed over without a word): Windows 10 and 11
# among the supported systems, per-monitor (v2) DPI awareness with a fallback, and asInvoker.
#
#   embedded_manifest.sh PROGRAM.EXE
set -euo pipefail
program=$1
manifest=$(mktemp)
trap 'rm -f "$manifest"' EXIT

fail() {
  echo "embedded_manifest: $*" >&2
  exit 1
}
[ "$(wrestool -l --type=24 "$program" | wc -l)" -eq 1 ] ||
  fail "$program has not one manifest: $(wrestool -l --type=24 "$program")"
wrestool -x --raw --type=24 --name=1 "$program" >"$manifest"
[ -s "$manifest" ] || fail "$program has no manifest with the name 1"
xmllint --noout "$manifest" || fail "the manifest is not well-formed XML"

# The value of a path of elements, each given as NAMESPACE:NAME (the namespace by its name
# below), from the root down, with an optional "/@attribute" at the end.
# shellcheck disable=SC2034  # read by name in xpath
readonly asm1=urn:schemas-microsoft-com:asm.v1 asm3=urn:schemas-microsoft-com:asm.v3 \
  compatibility=urn:schemas-microsoft-com:compatibility.v1 \
  settings2005=http://schemas.microsoft.com/SMI/2005/WindowsSettings \
  settings2016=http://schemas.microsoft.com/SMI/2016/WindowsSettings
read_path() {
  xmllint --xpath "normalize-space(string($(xpath "$@")))" "$manifest"
}
xpath() {
  local step namespace
  for step in "$@"; do
    namespace=${step%%:*}
    case $step in
      @*) printf '/%s' "$step" ;;
      *) printf "/*[local-name()='%s' and namespace-uri()='%s']" "${step#*:}" "${!namespace}" ;;
    esac
  done
}
# The systems named as supported, one a line.
ids() {
  xmllint --xpath "$(xpath asm1:assembly compatibility:compatibility compatibility:application \
    compatibility:supportedOS @Id)" "$manifest" 2>/dev/null | sed 's/ *Id="\([^"]*\)"/\1\n/g'
}
lower() { tr '[:upper:]' '[:lower:]'; }

[ "$(read_path asm1:assembly @manifestVersion)" = 1.0 ] || fail "no assembly of manifest version 1.0"
windows10='{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'  # Windows 10 and 11 share it
ids | lower | grep -qxF "$windows10" || fail "Windows 10 and 11 are not among the supported systems: $(ids)"

level=$(read_path asm1:assembly asm3:trustInfo asm3:security asm3:requestedPrivileges \
  asm3:requestedExecutionLevel @level)
[ "$level" = asInvoker ] || fail "the execution level is '$level', not asInvoker"

# Windows 10 1607 and later read dpiAwareness, the first value in its list that they know;
# earlier systems read dpiAware.
awareness=$(read_path asm1:assembly asm3:application asm3:windowsSettings settings2016:dpiAwareness |
  lower | tr -d ' ')
[ "${awareness%%,*}" = permonitorv2 ] || fail "dpiAwareness '$awareness' does not ask for per-monitor v2 first"
case ",$awareness," in
  *,permonitor,*) ;;
  *) fail "dpiAwareness '$awareness' has no per-monitor fallback" ;;
esac
aware=$(read_path asm1:assembly asm3:application asm3:windowsSettings settings2005:dpiAware | lower)
[ "$aware" = true/pm ] || fail "dpiAware is '$aware', not per monitor for systems before 1607"
echo "embedded_manifest: Windows 10/11, $awareness, $aware, $level"
