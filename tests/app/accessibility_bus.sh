#!/usr/bin/env bash
# The program as a screen reader (Orca) meets it on the accessibility bus: one application for
# its process, whose window reads the same names in the same order as under no desktop theme,
# whatever theme QT_QPA_PLATFORMTHEME names. Runs on a display of its own (scripts/with-display),
# in a D-Bus session of its own with the accessibility bus started in it.
#
#   accessibility_bus.sh PROGRAM
set -euo pipefail
program=$1

if [ -z "${ACCESSIBILITY_BUS_SESSION:-}" ]; then
  exec env ACCESSIBILITY_BUS_SESSION=1 dbus-run-session -- "$0" "$@" 2>&1
fi
folder=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$folder"
}
trap cleanup EXIT
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$folder/bus.log" 2>&1 &
pids+=($!)

# read_tree THEME: the applications of the program's process on the bus, then the names of its
# window's objects in reading order, one a line, once the window is there (up to 30 s).
read_tree() {
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORMTHEME=$1 "$program" >"$folder/$1.log" 2>&1 &
  local pid=$!
  pids+=("$pid")
  # Debian's Python, which python3-pyatspi is for.
  /usr/bin/python3 - "$pid" "$1" <<'PYTHON'
import os, sys, time
import pyatspi

pid = int(sys.argv[1])

def names(node):
    for child in node:
        yield f"{child.getRoleName()}: {child.name}"
        yield from names(child)

for _ in range(300):
    if not os.path.exists(f"/proc/{pid}"):
        sys.exit(f"accessibility_bus: the program ended, under the theme {sys.argv[2]}")
    apps = [a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.get_process_id() == pid]
    if any(app.childCount for app in apps):
        break
    time.sleep(0.1)
print(f"applications: {len(apps)}")
for app in apps:
    print("\n".join(names(app)))
PYTHON
  kill "$pid" 2>/dev/null || true
}

faults=0
read_tree generic >"$folder/generic.tree" || faults=1
read_tree "$QT_QPA_PLATFORMTHEME" >"$folder/theme.tree" || faults=1
if [ "$(head -1 "$folder/theme.tree")" != "applications: 1" ]; then
  echo "accessibility_bus: $(head -1 "$folder/theme.tree") for one process" >&2
  faults=1
fi
if ! grep -qx "frame: 当量直径计算" "$folder/generic.tree" ||
  ! diff -u "$folder/generic.tree" "$folder/theme.tree" >&2; then
  echo "accessibility_bus: the window reads otherwise than under no theme" >&2
  faults=1
fi
if [ "$faults" -ne 0 ]; then
  cat "$folder/generic.tree" "$folder"/*.log >&2
fi
exit "$faults"
