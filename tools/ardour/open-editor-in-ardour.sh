#!/usr/bin/env bash
# Opens Vrels' own editor inside Debian's Ardour 7, headless, and takes a
# picture of the whole screen:
#   tools/ardour/open-editor-in-ardour.sh [PATH/TO/Vrels.so]
# (default: build/linux/Vrels.so of the repository this script is in).
#
# A manual check of the plug-in in a real Linux VST host, not part of the
# test command. It installs what it needs with apt-get (as root), runs
# Ardour with its "None (Dummy)" audio backend on a private X display, and
# writes, under build/ardour/ of this repository:
#   vrels-editor-in-ardour.png   the screen with Ardour's mixer and Vrels' editor
#   open-editor-in-ardour.log    what each step did, Ardour's output, its
#                                threads and the one that idles the editor
# It exits non-zero, with the reason in the log and on stderr, when the
# editor does not show (for example a plug-in whose effEditOpen fails leaves
# Ardour's editor area black).
#
# What Ardour 7.3 (Debian 12) was seen to do with the editor: effEditOpen
# (the X Display of Ardour's own connection in `value`, the parent window
# in `ptr`), effEditGetRect, effEditIdle about every 40 ms and effEditClose
# all come from its "LXVSTEventLoop" thread, not from the GTK thread
# ("ArdourGUI"), which makes effClose. It reads a window's _XEventProc
# property only when a window is reparented into its own, so an editor that
# creates its window as a child of the parent is never asked for one.
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
/usr/bin/ardour -n -a "$session/vrels.ardour" >"$work/ardour.log" 2>&1 &
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

say "Ardour's output:"
cat "$work/ardour.log" >>"$log"
say "done: $picture"
