#!/usr/bin/env bash
# The program as a screen reader (Orca) meets it on the accessibility bus: one application for
# its process, whose window reads the same names in the same order as under no desktop theme,
# whatever theme QT_QPA_PLATFORMTHEME names; and under that theme every field read whole, asked
# as Orca 43 asks, at start and after a calculation. Runs on a display of its own
# (scripts/with-display), in a D-Bus session of its own with the accessibility bus started in it.
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

# read_tree THEME [read]: the applications of the program's process on the bus, then the names of
# its window's objects in reading order, one a line, once the window is there (up to 30 s); with
# "read", then the fields read as a screen reader reads them, each fault on standard error.
read_tree() {
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORMTHEME=$1 "$program" >"$folder/$1.log" 2>&1 &
  local pid=$!
  pids+=("$pid")
  # Debian's Python, which python3-pyatspi is for.
  local status=0
  /usr/bin/python3 - "$pid" "$1" "${2:-}" <<'PYTHON' || status=$?
import os, subprocess, sys, time
import pyatspi
from gi.repository import Atspi, GLib

pid = int(sys.argv[1])
Atspi.set_timeout(10000, 10000)  # a program that hangs answers no more: 10 s, not D-Bus's 25

def nodes(node):
    for child in node:
        yield child
        yield from nodes(child)

def names(node):
    return (f"{child.getRoleName()}: {child.name}" for child in nodes(node))

# What Orca 43 asks of a field, and would not hear of its text: the line at every offset (the
# caret's among them), the character, word and sentence there, the attribute runs it splits the
# line at to pick voices, and each character's place (which a pointer's review reads back); a
# fault a line, none when it hears every character. (It asks GetTextAtOffset, never
# GetStringAtOffset, which Qt 6.4's bridge lacks.)
def misheard(field):
    text, box = field.queryText(), field.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    whole, count = text.getText(0, -1), text.characterCount
    def inside(x, y, width, height):
        return width > 0 and box.x <= x and x + width <= box.x + box.width and box.y <= y and y + height <= box.y + box.height
    for offset in range(count + 1):
        if (line := tuple(text.getTextAtOffset(offset, pyatspi.TEXT_BOUNDARY_LINE_START))) != (whole, 0, count):
            yield f"the line at {offset} is {line}"
        if offset < count and tuple(text.getTextAtOffset(offset, pyatspi.TEXT_BOUNDARY_CHAR)) != (whole[offset], offset, offset + 1):
            yield f"the character at {offset} is {text.getTextAtOffset(offset, pyatspi.TEXT_BOUNDARY_CHAR)}"
        if offset < count and not 0 <= (run := text.getAttributeRun(offset, False))[1] <= offset < run[2] <= count:
            yield f"the attribute run at {offset} is {run[1:]}"
        if offset < count and not inside(*(place := text.getCharacterExtents(offset, pyatspi.DESKTOP_COORDS))):
            yield f"the character at {offset} stands at {place}, outside its box"
        elif offset < count and text.getOffsetAtPoint(place[0] + place[2] // 4, place[1] + place[3] // 2, pyatspi.DESKTOP_COORDS) != offset:
            yield f"the character at {offset} stands at {place}, where the box has another"
    for name, boundary in ("word", pyatspi.TEXT_BOUNDARY_WORD_START), ("sentence", pyatspi.TEXT_BOUNDARY_SENTENCE_START):
        for offset in range(count + 1):
            try:
                item, start, end = text.getTextAtOffset(offset, boundary)
            except GLib.GError:
                yield f"no answer for the {name} at {offset}"
                raise
            holds = start <= offset < end if offset < count else start <= end == offset
            if item != whole[start:end] or not (holds and 0 <= start and end <= count):
                yield f"the {name} at {offset} is {[item, start, end]}"

def read_fields(app):
    fields = [node for node in nodes(app) if node.getRole() == pyatspi.ROLE_TEXT]
    # The window gets the focus as a window manager would give it, so that its fields take it.
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(pid), "--name", "当量直径计算",
                    "windowfocus", "--sync", "%1"], check=True)
    faults = []
    # Orca names a field by the label that labels it, if one does, and reads its description after.
    for field in fields:
        labels = [target.name for relation in field.getRelationSet()
                  if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
                  for target in map(relation.getTarget, range(relation.getNTargets()))
                  if target.getRole() == pyatspi.ROLE_LABEL]
        if "毫米" not in " ".join(labels or [field.name]) + field.description:
            faults.append(f"{field.name}: heard as {labels or [field.name]}, {field.description!r}: no unit")
    try:
        def read_all(when):
            for field, name in zip(fields, [field.name for field in fields]):
                faults.extend(f"{name}, {when}: {fault}" for fault in misheard(field))
        read_all("at start")
        fields[0].queryEditableText().setTextContents("1000")
        fields[1].queryEditableText().setTextContents("500")
        calculate = next(node for node in nodes(app) if node.getRoleName() == "push button" and node.name.startswith("计"))
        calculate.queryAction().doAction(0)
        for _ in range(100):
            if fields[2].queryText().getText(0, -1) != "(空白)":
                break
            time.sleep(0.1)
        read_all("after 1000, 500, 计算")
        # A side's focus selects its text, which Orca reads as "1000 selected" only if it is whole.
        for side in fields[1], fields[0]:
            side.queryComponent().grabFocus()
            for _ in range(100):
                if side.getState().contains(pyatspi.STATE_FOCUSED):
                    break
                time.sleep(0.1)
            text = side.queryText()
            if text.getNSelections() != 1 or text.getText(*text.getSelection(0)) != text.getText(0, -1):
                faults.append(f"{side.name}: {text.getSelection(0)} selected of {text.getText(0, -1)}")
    except GLib.GError as error:
        faults.append(f"the program answers no more: {error.message}")
    return faults

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
if sys.argv[3] == "read" and (faults := read_fields(apps[0])):
    sys.exit("accessibility_bus: under the theme " + sys.argv[2] + ", misheard:\n" + "\n".join(faults))
PYTHON
  kill "$pid" 2>/dev/null || true
  return "$status"
}

faults=0
read_tree generic >"$folder/generic.tree" || faults=1
read_tree "$QT_QPA_PLATFORMTHEME" read >"$folder/theme.tree" || faults=1
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
