# shellcheck shell=bash
# Sourced by the tests that drive the Windows program's windows under Wine (end_to_end.sh,
# installer_round_trip.sh): a Wine session of the test's own on the X display it runs on
# (scripts/with-display gives it one), with a window manager, and the waits and keys they share.
#
#   source wine_session.sh NAME   NAME: the test's, for its messages
#   wine_session_start            ends any session of the prefix, starts openbox, waits for it
#   wine_session_end              ends openbox and the prefix's Wine session (call it on exit)
#
# Works in the Wine prefix that WINEPREFIX names, whose Wine session it ends: never point it at a
# prefix of your own.
: "${WINEPREFIX:?set WINEPREFIX to a Wine prefix of the tests}"
: "${DISPLAY:?run it on an X display of its own (scripts/with-display)}"
export WINEDEBUG=-all
wine_session_test=$1
wine_session_manager=
wine_session_said=$(mktemp)  # what the window manager writes

# A failure says what the window manager said, and whether it still runs.
fail() {
  echo "$wine_session_test: $*" >&2
  if [ -n "$wine_session_manager" ]; then
    if process_ended "$wine_session_manager"; then
      echo "$wine_session_test: the window manager (openbox) has ended" >&2
    fi
    if [ -s "$wine_session_said" ]; then
      echo "$wine_session_test: the window manager said:" >&2
      cat "$wine_session_said" >&2
    fi
  fi
  exit 1
}

# Runs COMMAND every tenth of a second until it succeeds, for up to SECONDS; fails with WHAT.
# With -p, it fails at once, with its status, when the process PID (whose output goes to the
# test's) has ended first.
#   wait_until [-p PID] SECONDS WHAT COMMAND [ARGUMENT...]
wait_until() {
  local process=
  if [ "$1" = -p ]; then
    process=$2
    shift 2
  fi
  local tries=$(($1 * 10)) what=$2
  shift 2
  until "$@"; do
    if [ -n "$process" ] && process_ended "$process"; then
      local status=0
      wait "$process" || status=$?
      fail "waited in vain for $what: process $process ended first, with status $status"
    fi
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || fail "waited in vain for $what"
    sleep 0.1
  done
}

# Whether the process has ended.
process_ended() { ! kill -0 "$1" 2>/dev/null; }

# The visible windows whose title matches the pattern, one a line, oldest first. (A window that
# goes while xdotool searches makes it fail: that counts as none.)
windows_titled() { xdotool search --onlyvisible --name "$1" 2>/dev/null | sort -n || true; }

# Keys (or other xdotool commands) for WINDOW, once it is the active one and holds the keyboard's
# focus: the window manager makes a window active before Wine has taken the focus for it, and
# keys sent in between are lost. The window is activated again every 2 s until it has the focus
# (up to 30 s), as a request can go astray on a loaded machine.
#   keys WINDOW XDOTOOL-COMMAND...
focused_window() { xdotool getwindowfocus 2>/dev/null || true; }
keys() {
  local window=$1 tries=0
  shift
  until [ "$(focused_window)" = "$window" ]; do
    if [ $((tries % 20)) -eq 0 ]; then
      xdotool windowactivate --sync "$window" 2>/dev/null ||
        xdotool windowfocus --sync "$window" || true
    fi
    tries=$((tries + 1))
    [ "$tries" -le 300 ] || fail "the keyboard's focus did not come to window $window" \
      "($(xdotool getwindowname "$window" 2>/dev/null)); it is on $(focused_window)" \
      "($(xdotool getwindowname "$(focused_window)" 2>/dev/null))"
    sleep 0.1
  done
  xdotool "$@"
}

# Whether the window manager has taken over the screen (it names its check window on the root);
# one that ended first fails the test at once.
window_manager_ready() {
  if process_ended "$wine_session_manager"; then
    local status=0
    wait "$wine_session_manager" || status=$?
    fail "the window manager (openbox) ended with status $status before it took over the screen"
  fi
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

wine_session_start() {
  # A session that began on another display, or on none (the offscreen tests), would keep
  # every window off this one.
  wineserver --kill 2>/dev/null || true
  wineserver --wait
  openbox >"$wine_session_said" 2>&1 &
  wine_session_manager=$!
  wait_until 30 "the window manager" window_manager_ready
}

wine_session_end() {
  [ -z "$wine_session_manager" ] || kill "$wine_session_manager" 2>/dev/null || true
  wineserver --kill 2>/dev/null || true
  wineserver --wait 2>/dev/null || true
  rm -f "$wine_session_said"
}
