#!/usr/bin/env bash
# Opens Vrels' own editor inside Debian's Ardour 7, headless, takes a
# picture of the whole screen, then works the editor's own small windows with
# the pointer and the keyboard as a user would (XTest events, no --window):
#   - the text field: a right click on the grain Length knob, "62.5" typed,
#     Return; the knob's value must become 62.5;
#   - the value menu: a right click on the envelope readout ("Tukey"), a
#     click on "Hann"; opened again, Escape must close it;
#   - the drawn file chooser (VRELS_FILE_CHOOSER=drawn): the Save button, a
#     typed name and Return must write a preset file into the folder shown.
# Usage:
#   tools/ardour/open-editor-in-ardour.sh [PATH/TO/Vrels.so]
# (default: build/linux/Vrels.so of the repository this script is in).
#
# A manual check of the plug-in in a real Linux VST host, not part of the
# test command. It installs what it needs with apt-get (as root), runs
# Ardour with its "None (Dummy)" audio backend on a private X display, and
# writes, under build/ardour/ of this repository:
#   vrels-editor-in-ardour.png   the screen with Ardour's mixer and Vrels' editor
#   entry-field.png              the text field with "62.5" typed in it
#   entry-menu.png               the open envelope menu
#   entry-chooser.png            the drawn Save chooser with the name typed
#   entry-done.png               the editor after all three
#   open-editor-in-ardour.log    what each step did, who had the keyboard
#                                focus, Ardour's output, its threads and the
#                                one that idles the editor
# It exits non-zero, with the reason in the log and on stderr, when the
# editor does not show (for example a plug-in whose effEditOpen fails leaves
# Ardour's editor area black), or when one of the checks of the editor's own
# windows fails (each is tried, and each failure is named).
#
# What Ardour 7.3 (Debian 12) was seen to do with the editor: effEditOpen
# (the X Display of Ardour's own connection in `value`, the parent window
# in `ptr`), effEditGetRect, effEditIdle about every 40 ms and effEditClose
# all come from its "LXVSTEventLoop" thread, not from the GTK thread
# ("ArdourGUI"), which makes effClose. It reads a window's _XEventProc
# property only when a window is reparented into its own, so an editor that
# creates its window as a child of the parent is never asked for one.
#
# And with the editor's own windows (no window manager, XTest input): with
# the editor just opened, the X focus is on Ardour's plug-in window (GTK
# gives it); the text field's XSetInputFocus takes it, and the typed keys
# reach the field; once the field closes, the focus stays on the editor's
# window (which also takes it on each click). The menu's keyboard grab
# brings it Escape even with the focus on Ardour's main window. The drawn
# chooser takes the focus when it is mapped, and Ardour still saves the
# session on Ctrl+S after its main window gets the focus back. Ardour
# learns of the changes (audioMasterAutomate) and stores them in the
# session both as its controls' values and in Vrels' state chunk.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
out="$repo/build/ardour"
log="$out/open-editor-in-ardour.log"
picture="$out/vrels-editor-in-ardour.png"

# The second pass runs on the private display (see the end of the first).
if [ "${VRELS_ARDOUR_ON_DISPLAY:-}" != 1 ]; then
  plugin=${1:-$repo/build/linux/Vrels.so}
  if [ ! -s "$plugin" ]; then
    echo "open-editor-in-ardour: no plug-in at $plugin (build it: cmake --preset linux && cmake --build --preset linux)" >&2
    exit 1
  fi
  mkdir -p "$out"
  : >"$log"

  # Debian's packages: Ardour 7 (built with Linux VST support), Xvfb for the
  # display, xdotool to click, ImageMagick for the picture and the pixel
  # check, x11-utils for xwininfo, gdb to see which thread calls the editor.
  # Installed only when one is missing, so a second run asks apt nothing.
  packages=(ardour xvfb xauth xdotool x11-utils imagemagick gdb)
  missing=()
  for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "installing: ${missing[*]}" | tee -a "$log" >&2
    apt-get update -qq >>"$log" 2>&1
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}" >>"$log" 2>&1
  fi

  # Everything below runs with a display of its own, which with-xvfb.sh
  # starts and stops; large enough for Ardour's mixer beside the editor.
  export VRELS_ARDOUR_ON_DISPLAY=1 VRELS_XVFB_SCREEN=1600x1000x24
  exec bash "$repo/scripts/with-xvfb.sh" bash "${BASH_SOURCE[0]}" "$(realpath "$plugin")"
fi

plugin=$1
# Progress goes to the log and to stderr (stdout carries window ids).
say() { echo "$*" | tee -a "$log" >&2; }
say "display $DISPLAY, plug-in $plugin"

# A private home: Ardour's configuration, plug-in cache and session stay
# here, and nothing of a user's own Ardour set-up is read or changed.
work="$out/work"
rm -rf "$work"
mkdir -p "$work/vst" "$work/home/.config/ardour7"
export HOME="$work/home"
# A copy, so that a rebuild while Ardour runs does not pull the file away.
# Dated two seconds back: Ardour takes a scanner's cache file as outdated
# when it is older than the plug-in, and the scanner dates it to the whole
# second, so a copy made in the same second would count as newer.
cp "$plugin" "$work/vst/Vrels.so"
touch -d "@$(($(date +%s) - 2))" "$work/vst/Vrels.so"
# Vrels' preset dialogs start in the folder that "PresetFolder" of the
# Vrels.ini beside the plug-in names: an empty one of ours.
presets="$work/presets"
mkdir -p "$presets"
echo "PresetFolder \"$presets\"" >"$work/vst/Vrels.ini"

# Ardour's settings:
# - the Dummy backend is hidden in release builds unless hide-dummy-backend
#   is off; the engine state below makes Ardour start it without asking;
# - Linux VSTs on, looked for in our folder only (Ardour's LXVST path;
#   LXVST_PATH in the environment does the same), and the plug-in list
#   refreshed at start from the scanner's cache made below, marked as of
#   Ardour 7's cache format (7002): without that mark Ardour takes the cache
#   as outdated, and its Lua interpreter then knows no VST at all;
# - ".a7" marks Ardour 7 as run before, which skips the first-run wizard.
cat >"$HOME/.config/ardour7/config" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<Ardour>
  <Config>
    <Option name="hide-dummy-backend" value="0"/>
    <Option name="use-lxvst" value="1"/>
    <Option name="plugin-path-lxvst" value="$work/vst"/>
    <Option name="discover-plugins-on-start" value="1"/>
    <Option name="plugin-cache-version" value="7002"/>
  </Config>
  <Extra>
    <AudioMIDISetup>
      <EngineStates>
        <State backend="None (Dummy)" driver="Normal Speed" device="Silence" input-device="" output-device="" sample-rate="48000" buffer-size="1024" n-periods="0" input-latency="0" output-latency="0" lm-input="" lm-output="" active="1" use-buffered-io="0" midi-option="1 in, 1 out, Silence" lru="1">
          <MIDIDevices/>
        </State>
      </EngineStates>
    </AudioMIDISetup>
  </Extra>
</Ardour>
EOF
: >"$HOME/.config/ardour7/.a7"

# Ardour 7 knows a VST 2 plug-in only from its scanner's cache
# (~/.cache/ardour7/vst/*.v2i): the scanner loads the binary in a process of
# its own, reads its identity and I/O, and writes the cache file.
say "scanning with ardour-vst-scanner"
LD_LIBRARY_PATH=/usr/lib/ardour7 timeout 120 /usr/lib/ardour7/ardour-vst-scanner -f "$work/vst/Vrels.so" >>"$log" 2>&1
if ! grep -q 'VST2Info .*name="Vrels"' "$HOME"/.cache/ardour7/vst/*.v2i 2>/dev/null; then
  say "FAILED: Ardour's scanner did not index Vrels (see its lines above)"
  exit 1
fi

# The session, made with Ardour's Lua interpreter on the Dummy backend: one
# stereo audio track with Vrels as its first plug-in.
session="$work/session"
cat >"$work/make-session.lua" <<EOF
AudioEngine:set_backend("None (Dummy)", "", "")
local s = create_session("$session", "vrels", 48000)
assert(s, "no session")
local track = s:new_audio_track(2, 2, nil, 1, "Vrels track", ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true):front()
local vrels = ARDOUR.LuaAPI.new_plugin(s, "Vrels", ARDOUR.PluginType.LXVST, "")
assert(not vrels:isnil(), "Ardour does not know Vrels as a Linux VST")
assert(track:add_processor_by_index(vrels, 0, nil, true) == 0, "Vrels could not be added to the track")
s:save_state("", false, false, false, false, false)
close_session()
print("session made")
EOF
say "making the session with ardour7-lua"
# (ardour7-lua reports a failed assertion but still exits with 0.)
timeout 180 ardour7-lua "$work/make-session.lua" >>"$log" 2>&1 || true
if ! grep -qs 'type="lxvst"' "$session/vrels.ardour"; then
  say "FAILED: the session has no Vrels; ardour7-lua said:"
  grep -E '^Error|^\[ERROR\]' "$log" >&2 || true
  exit 1
fi

# Ardour itself on the session, without splash screen or announcements.
ardour_pid=""
finish() {
  if [ -n "$ardour_pid" ] && kill -0 "$ardour_pid" 2>/dev/null; then
    kill "$ardour_pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$ardour_pid" 2>/dev/null || break; sleep 0.2; done
    kill -9 "$ardour_pid" 2>/dev/null || true
  fi
}
trap finish EXIT
say "starting Ardour"
# VRELS_FILE_CHOOSER=drawn: the Save button opens the chooser the editor
# draws itself, even where zenity or kdialog is installed.
VRELS_FILE_CHOOSER=drawn /usr/bin/ardour -n -a "$session/vrels.ardour" >"$work/ardour.log" 2>&1 &
ardour_pid=$!

shot() { import -window root "$1"; }
# Waits up to $2 seconds for a visible window whose name matches $1 and
# prints its id.
wait_window() {
  local id=""
  for _ in $(seq "$(($2 * 2))"); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && break
    kill -0 "$ardour_pid" 2>/dev/null || break
    # A message box on the way (such as "Engine I/O device has changed"):
    # focused and answered with Return, its default button. Only top-level
    # windows (children of the root: there is no window manager) without a
    # name count, never a window inside Ardour's or the plug-in's.
    for dialog in $(xdotool search --onlyvisible --maxdepth 1 --name '^$' 2>/dev/null || true); do
      geometry=$(xwininfo -id "$dialog" 2>/dev/null | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w" "h}')
      read -r w h <<<"$geometry"
      if [ "${w:-0}" -gt 200 ] && [ "${h:-0}" -gt 60 ] && [ "${w:-0}" -lt 1000 ]; then
        say "answering a dialog (${w}x${h}) with Return"
        xdotool windowfocus --sync "$dialog" key Return 2>/dev/null || true
      fi
    done
    sleep 0.5
  done
  echo "$id"
}

main=$(wait_window ' - Ardour$' 180)
if [ -z "$main" ]; then
  shot "$out/ardour-failed.png"
  say "FAILED: Ardour's main window did not appear; its output:"
  tail -30 "$work/ardour.log" | tee -a "$log" >&2
  exit 1
fi
say "Ardour's window: $(xdotool getwindowname "$main")"
sleep 3

# The mixer (Alt+M shows it), where the track's strip lists Vrels in its
# processor box; a double-click there opens the plug-in's own editor.
xdotool windowfocus --sync "$main" key alt+m
sleep 3
# Where a fresh Ardour 7 set-up on this screen puts the first strip's first
# plug-in (its processor box, under the name, input and polarity buttons).
xdotool mousemove 330 207 click --repeat 2 --delay 80 1
editor=$(wait_window 'Vrels.*\[VST\]' 30)
if [ -z "$editor" ]; then
  shot "$out/ardour-failed.png"
  say "FAILED: no Vrels editor window after the double-click (screen in ardour-failed.png)"
  exit 1
fi
say "editor window: $(xdotool getwindowname "$editor")"
# A few of the editor's ticks, so the swarm view has moved.
sleep 4
shot "$picture"
say "picture: $picture"

# Ardour's window is the editor and a toolbar above it; the plug-in's own
# X window is its child. Without one, or with a black area, the plug-in did
# not open its editor (effEditOpen failed) and Ardour shows only its frame.
xwininfo -tree -id "$editor" >>"$log" 2>&1 || true
read -r ex ey ew eh < <(xwininfo -id "$editor" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}')
mean=$(convert "$picture" -crop "${ew}x$((eh - 40))+${ex}+$((ey + 40))" +repage -format '%[fx:mean]' info:)
say "editor window at ${ex},${ey}, ${ew}x${eh}; mean brightness below the toolbar: $mean"
if awk -v m="$mean" 'BEGIN {exit !(m < 0.02)}'; then
  say "FAILED: the editor area is black: the plug-in's editor did not open in Ardour's window"
  exit 1
fi

# Which of Ardour's threads calls the editor: a breakpoint on the
# plug-in's dispatcher (Vrels.so carries its symbols) for the next calls
# with effEditIdle (19), then detached. Ardour names its threads, so the
# name says whether it is the GTK thread (ArdourGUI) or another; the
# plug-in's own window thread inherits the name of the thread that opened
# the editor.
say "Ardour's threads:"
ps -L -o tid=,comm= -p "$ardour_pid" | tee -a "$log" >&2
if command -v gdb >/dev/null; then
  say "the thread of three effEditIdle calls (gdb):"
  timeout 90 gdb -q -batch -p "$ardour_pid" \
    -ex 'handle SIGUSR1 SIGUSR2 SIGPIPE SIG32 SIG33 SIG34 SIG35 nostop noprint pass' \
    -ex 'break IPlugVST::VSTDispatcher if opcode == 19' \
    -ex 'continue' -ex 'info threads' -ex 'continue' -ex 'info threads' -ex 'continue' -ex 'info threads' \
    -ex 'delete' -ex 'detach' 2>&1 | grep -E '^\* |^Breakpoint 1 at' | tee -a "$log" >&2 || true
fi

# ---- The editor's own windows: text field, value menu, file chooser -------
# Everything below is done with XTest events (xdotool's mousemove, click,
# key and type without --window), which reach the window that has the
# keyboard focus or the grab, as a user's pointer and keyboard would: a
# synthetic event sent to a window (--window) would skip exactly the focus
# handling that is checked here. Each check is tried even after an earlier
# one failed; each failure is counted and named.
failures=0
pass() { say "PASS: $*"; }
fail() {
  say "FAILED: $*"
  failures=$((failures + 1))
}
# Runs "$@" every 0.1 s until it succeeds, for at most $1 seconds.
wait_for() {
  local limit=$1
  shift
  for _ in $(seq "$((limit * 10))"); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
# The window that has the keyboard focus (the X focus itself, not its
# top-level), with its name and size, for the log.
focus() {
  local id
  id=$(xdotool getwindowfocus -f 2>/dev/null || echo 0)
  printf '0x%x %s\n' "$id" "$(xwininfo -id "$id" 2>/dev/null | awk -F'"' '/xwininfo: Window id/ {n=$2} /Width:/ {w=$0} /Height:/ {h=$0} END {gsub(/[^0-9]/, "", w); gsub(/[^0-9]/, "", h); print "\"" n "\" " w "x" h}')"
}

# The plug-in's own window: the 729 x 650 child somewhere inside Ardour's
# editor window; its top left corner on the screen turns editor pixels
# (EditorLayout.h) into screen pixels.
vrels_window=$(xwininfo -tree -id "$editor" | awk '/ 729x650\+/ {print $1; exit}')
if [ -z "$vrels_window" ]; then
  fail "no 729x650 window of the plug-in inside Ardour's editor window"
  exit 1
fi
read -r vx vy < <(xwininfo -id "$vrels_window" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}')
say "the plug-in's window $vrels_window at $vx,$vy"
# Moves the pointer to editor pixel ($1, $2).
point() { xdotool mousemove --sync "$((vx + $1))" "$((vy + $2))"; }
# The text field: the plug-in window's 36 x 16 child, if one is open.
field_window() { xwininfo -children -id "$vrels_window" | awk '/ 36x16\+/ {print $1; exit}'; }
field_open() { [ -n "$(field_window)" ]; }
field_closed() { ! field_open; }
# The mapped override-redirect windows on the root (menus, tooltips).
popups() {
  local id
  for id in $(xwininfo -root -children | awk '/^ +0x/ {print $1}'); do
    xwininfo -id "$id" 2>/dev/null | grep -q 'Override Redirect State: yes' || continue
    xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$id"
  done
  return 0
}
# The popups now that were not among those in $before.
new_popup() { comm -13 <(echo "$before" | sort) <(popups | sort) | head -1; }
menu_open() { [ -n "$(new_popup)" ]; }
menu_closed() { ! menu_open; }

say "keyboard focus with the editor open: $(focus)"

# 1. The text field. The grain Length knob (kGLen, 602,108 - 626,132):
# a right click opens the field centred on it, with the focus.
point 614 120
xdotool click 3
if wait_for 5 field_open; then
  field=$(field_window)
  say "text field $field; keyboard focus: $(focus)"
  # The field opens with its text (the current value) selected: typing
  # replaces it.
  xdotool type --delay 60 62.5
  sleep 0.5
  shot "$out/entry-field.png"
  say "picture of the field with 62.5 typed: $out/entry-field.png"
  xdotool key Return
  if wait_for 5 field_closed; then
    pass "Return closed the text field"
  else
    fail "the text field is still open after Return (keyboard focus: $(focus)); cancelled with a right click"
    point 400 400
    xdotool click 3
    wait_for 5 field_closed || true
  fi
else
  fail "no text field after a right click on the Length knob"
fi

# 2. The value menu. The envelope readout (kGEnvelop, 582,84 - 631,100),
# which shows "Tukey": a right click opens the menu with its top left
# corner at the pointer; items are 20 pixels high below a 4 pixel edge, so
# "Hann", the third, is 44 to 64 pixels below the pointer.
before=$(popups)
point 606 92
xdotool click 3
if wait_for 5 menu_open; then
  menu=$(new_popup)
  read -r mx my mw mh < <(xwininfo -id "$menu" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}')
  say "value menu $menu at $mx,$my, ${mw}x${mh}; keyboard focus: $(focus)"
  xdotool mousemove --sync "$((mx + 40))" "$((my + 54))"
  sleep 0.3
  shot "$out/entry-menu.png"
  say "picture of the open menu, \"Hann\" under the pointer: $out/entry-menu.png"
  xdotool click 1
  if wait_for 5 menu_closed; then
    pass "a click on an item closed the menu"
  else
    fail "the menu is still open after a click on an item"
  fi
else
  fail "no value menu after a right click on the envelope readout"
fi
# Opened again and closed with Escape, which reaches the menu through its
# keyboard grab wherever the focus is. The right click gives the editor's
# window the focus, so the focus is moved to Ardour's main window while
# the menu is open: then only the grab brings the key to the menu.
before=$(popups)
point 606 92
xdotool click 3
if wait_for 5 menu_open; then
  xdotool windowfocus --sync "$main" 2>/dev/null || true
  say "value menu open again; keyboard focus: $(focus)"
  xdotool key Escape
  if wait_for 5 menu_closed; then
    pass "Escape closed the value menu"
  else
    fail "Escape did not close the value menu (keyboard focus: $(focus)); closed with a click outside"
    xdotool mousemove 5 5 click 1
  fi
else
  fail "the value menu did not open a second time"
fi

# 3. The drawn file chooser: the Save button (232,12 - 277,34) opens it in
# the folder of Vrels.ini's PresetFolder; a name typed and Return save the
# preset there.
point 254 23
xdotool click 1
chooser=$(wait_window '^Save file$' 10)
if [ -n "$chooser" ]; then
  say "file chooser $(printf 0x%x "$chooser"); keyboard focus: $(focus)"
  xdotool type --delay 60 ardour-check.txt
  sleep 0.5
  shot "$out/entry-chooser.png"
  say "picture of the chooser with the name typed: $out/entry-chooser.png"
  xdotool key Return
  preset="$presets/ardour-check.txt"
  if wait_for 10 test -s "$preset"; then
    pass "the chooser saved $preset"
  else
    fail "no preset file at $preset after Return (the folder holds: $(find "$presets" -mindepth 1 -printf '%f '))"
  fi
  wait_for 5 bash -c "! xdotool search --onlyvisible --name '^Save file$' >/dev/null" ||
    fail "the chooser is still open after Return (keyboard focus: $(focus))"
else
  fail "no \"Save file\" window after a click on the Save button"
fi
sleep 1
shot "$out/entry-done.png"
say "picture after the three checks: $out/entry-done.png"

# The values, read back twice: from the preset file the plug-in wrote (its
# own values) and from the session that Ardour saves on Ctrl+S, which holds
# Vrels' state chunk and what Ardour itself was told of the changes
# (audioMasterAutomate): 62.5 for GLen, 2 ("Hann") for GEnvelop.
if [ -s "${preset:-}" ]; then
  grep -E '^(GLen|GEnvelop) ' "$preset" | tee -a "$log" >&2
  for expected in 'GLen 62.500000000000' 'GEnvelop 2.000000000000'; do
    if grep -qx "$expected" "$preset"; then
      pass "the preset file holds \"$expected\""
    else
      fail "the preset file does not hold \"$expected\""
    fi
  done
fi
saved_before=$(stat -c %Y "$session/vrels.ardour")
sleep 1.1
xdotool windowfocus --sync "$main" 2>/dev/null || true
xdotool key ctrl+s
session_saved() { [ "$(stat -c %Y "$session/vrels.ardour")" != "$saved_before" ]; }
if wait_for 20 session_saved; then
  # The chunk: two 32-bit header words, then each parameter's value as a
  # little-endian double in parameter order. Ardour keeps a Controllable
  # for each parameter: its index ("parameter") and the normalised value
  # it last had from the plug-in ("value"; GLen runs from 0.1 to 100,
  # GEnvelop from 0 to 8).
  if python3 - "$session/vrels.ardour" <<'PY' | tee -a "$log" >&2; then
import base64, struct, sys
import xml.etree.ElementTree as ET
plugin = next(p for p in ET.parse(sys.argv[1]).iter("Processor") if p.get("type") == "lxvst")
chunk = base64.b64decode(plugin.find(".//chunk").text)
controls = {c.get("name"): c for c in plugin.iter("Controllable") if c.get("parameter")}
values = {n: struct.unpack_from("<d", chunk, 8 + 8 * int(controls[n].get("parameter")))[0] for n in ("GLen", "GEnvelop")}
host = {n: float(controls[n].get("value")) for n in ("GLen", "GEnvelop")}
print("session: state chunk", values, "Ardour's controls", host)
sys.exit(0 if abs(values["GLen"] - 62.5) < 1e-9 and values["GEnvelop"] == 2.0
         and abs(host["GLen"] - (62.5 - 0.1) / 99.9) < 1e-6 and host["GEnvelop"] == 0.25 else 1)
PY
    pass "the session holds GLen 62.5 and GEnvelop 2, in the chunk and in Ardour's controls"
  else
    fail "the session does not hold GLen 62.5 and GEnvelop 2 in both the chunk and Ardour's controls"
  fi
else
  fail "Ardour did not save the session on Ctrl+S (keyboard focus: $(focus))"
fi

say "Ardour's output:"
cat "$work/ardour.log" >>"$log"
if [ "$failures" -gt 0 ]; then
  say "$failures check(s) of the editor's own windows FAILED (see above)"
  exit 1
fi
say "done: $picture and the entry-*.png pictures"
