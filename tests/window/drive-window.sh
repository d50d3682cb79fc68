#!/usr/bin/env bash
# Drives MoveDuplicateHost.exe under Wine on a virtual X display (Xvfb):
# xdotool moves the mouse, holds keys and clicks, xwd and ImageMagick take
# the screenshots, and the window's --status file says where the drawing
# lies on screen and what the host and the tool are doing.
#
#   drive-window.sh CASE RUNNER PROGRAM SOURCE_DIR WORK_DIR [NO_ENTRY_DLL]
#
# CASE is one of:
#   mouse     the span of examples/copies-along-span.session picked with the
#             mouse and the count stepped with the Ctrl key; the preview on
#             screen while picking, none after; undo and redo; the document
#             at the end the same as the workbench's for the session
#   script    the whole session replayed from the command line; the same
#             document, and the copies on screen where the workbench put them
#   bad-input a DLL without main, a missing script, a bad script line: exit
#             status 2, a message on stderr, no dump written
#
# Exits 77 (skipped) when the display cannot be brought up here.
set -uo pipefail

case_name=$1 runner=$2 program=$3 source=$4 work=$5 no_entry=${6:-}
reference=$source/tests/workbench/reference/copies-along-span.transcript
# Generous: where 32-bit code is emulated, Wine takes the better part of a
# minute to start.
timeout_s=${WINDOW_TEST_TIMEOUT:-400}
# The first state also waits for a Wine prefix that another test may be making.
start_timeout_s=${WINDOW_TEST_START_TIMEOUT:-1200}

skip() {
  echo "SKIPPED: $*" >&2
  exit 77
}
fail() {
  echo "FAILED: $*" >&2
  exit 1
}
note() { echo "drive-window: $*" >&2; }

rm -rf "$work" && mkdir -p "$work" || fail "cannot make $work"
cd "$work" || fail "cannot enter $work"

# ---- the display ------------------------------------------------------------
xvfb_pid=
window_pid=
cleanup() {
  # The window runs in a process group of its own: Wine's process leaves
  # wine-run's, so the whole group goes.
  [ -n "$window_pid" ] && kill -- "-$window_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT

need_display=1
[ "$case_name" = bad-input ] && need_display=0
# Where 32-bit code is emulated, a window session on its own Wine desktop
# took more than 400 s to show its first state (measured; bad-input, three
# plain Wine starts, took 286 s): the window cases stay out there unless
# MOVEDUP_WINDOW_TESTS_EMULATED=1 asks for them.
wine_path=$(dirname "$runner")/wine-path
if [ $need_display -eq 1 ] && [ -x "$wine_path" ] && [ "$("$wine_path")" = emulated ] &&
  [ "${MOVEDUP_WINDOW_TESTS_EMULATED:-0}" != 1 ]; then
  skip "32-bit code is emulated here, where one window session takes the better part of ten minutes (MOVEDUP_WINDOW_TESTS_EMULATED=1 runs it all the same)"
fi
start_display() {
  for tool in Xvfb xdotool xwd convert; do
    command -v "$tool" >/dev/null 2>&1 || return 1
  done
  # Xvfb picks a free display itself and writes its number to a pipe.
  exec 5<> <(:)
  mkdir -p "$work/fb"
  Xvfb -displayfd 5 -screen 0 1280x900x24 -nolisten tcp -fbdir "$work/fb" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  local number= tries=0
  until read -r -t 1 number <&5; do
    kill -0 "$xvfb_pid" 2>/dev/null || return 1
    tries=$((tries + 1))
    [ $tries -lt 30 ] || return 1
  done
  [ -n "$number" ] || return 1
  export DISPLAY=:$number
  xdotool getmouselocation >/dev/null 2>&1 || return 1
}
if ! start_display; then
  [ $need_display -eq 1 ] && skip "no virtual X display here (Xvfb, xdotool, xwd and ImageMagick's convert are needed; tools/install-build-deps --windows installs them)"
  unset DISPLAY
  note "no X display; the bad input is tried without one"
fi

# ---- the window and its status ---------------------------------------------
status=$work/status.txt

get() { awk -v key="$1" '$1 == key { $1 = ""; sub(/^ /, ""); print; exit }' "$status" 2>/dev/null; }

# Waits until the status has KEY VALUE (the window rewrites it after every step).
wait_for() {
  local key=$1 value=$2 limit=${3:-$timeout_s} start=$SECONDS
  while [ $((SECONDS - start)) -lt "$limit" ]; do
    [ "$(get "$key")" = "$value" ] && return 0
    if [ -n "$window_pid" ] && ! kill -0 "$window_pid" 2>/dev/null; then
      fail "the window went away while waiting for '$key $value'"
    fi
    sleep 0.1
  done
  fail "the window did not get to '$key $value' within ${limit}s (it has '$key $(get "$key")')"
}

# Waits until the status has been written again since the sequence number
# given, and the window has settled (two reads alike).
settle() {
  local since=$1 start=$SECONDS
  while [ $((SECONDS - start)) -lt "$timeout_s" ]; do
    local now
    now=$(get sequence)
    if [ -n "$now" ] && [ "$now" -gt "$since" ]; then
      sleep 0.3
      [ "$(get sequence)" = "$now" ] && return 0
    fi
    sleep 0.1
  done
  fail "the window did not answer within ${timeout_s}s"
}

# World point to screen pixel, from the origin and scale the window reports.
pixel() {
  awk -v x="$1" -v y="$2" -v o="$(get origin)" -v s="$(get scale)" \
    'BEGIN { split(o, p, " "); printf "%d %d\n", p[1] + x * s + 0.5, p[2] - y * s + 0.5 }'
}

# Does the user's action and waits for the window to have answered it.
act() {
  local before
  before=$(get sequence)
  xdotool "$@"
  settle "$before"
}

# The window opens on a Wine desktop of its own, made for this display: the
# default desktop belongs to whichever Wine program came first (another test,
# with another display or none) and lives as long as the Wine server. The
# desktop program does not pass the exit status on: the window's last status
# says it.
start_window() {
  setsid "$runner" explorer "/desktop=movedup-window-$$,1280x900" "$program" "$@" --status "$status" \
    >"$work/window.out" 2>"$work/window.err" &
  window_pid=$!
}

end_window() {
  local start=$SECONDS
  while kill -0 "$window_pid" 2>/dev/null; do
    [ $((SECONDS - start)) -lt "$timeout_s" ] || fail "the window did not close"
    sleep 0.2
  done
  wait "$window_pid"
  window_pid=
  local code
  code=$(get exit)
  [ "$code" = 0 ] || { echo "exit status $code" >&2; return 1; }
}

# ---- screenshots and their pixels ------------------------------------------
shoot() { xwd -root -silent | convert xwd:- "$work/$1.png" || fail "no screenshot $1"; }

# The colours of the 3x3 pixels around (X, Y), as RRGGBB lines.
around() {
  convert "$work/$1.png" -crop 3x3+$(($2 - 1))+$(($3 - 1)) -depth 8 txt:- |
    sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p'
}
# Predicates on a colour: the preview's red (inverted over whatever lies
# under it, it stays red-dominant on paper and grid), the selection's blue.
is_red() { local c=$1; [ $((16#${c:0:2})) -ge 176 ] && [ $((16#${c:2:2})) -le 96 ] && [ $((16#${c:4:2})) -le 96 ]; }
is_blue() { local c=$1; [ $((16#${c:4:2})) -ge 160 ] && [ $((16#${c:0:2})) -le 96 ]; }
is_dark() { local c=$1; [ $((16#${c:0:2})) -le 96 ] && [ $((16#${c:2:2})) -le 96 ] && [ $((16#${c:4:2})) -le 96 ]; }
has() {  # has PREDICATE SHOT X Y
  local c
  for c in $(around "$2" "$3" "$4"); do "$1" "$c" && return 0; done
  return 1
}
# How many red pixels the drawing area holds.
red_pixels() {
  read -r left top width height <<<"$(get canvas)"
  convert "$work/$1.png" -crop "${width}x${height}+${left}+${top}" +repage \
    -fx '(r>0.69 && g<0.38 && b<0.38) ? 1 : 0' -format '%[fx:round(mean*w*h)]' info:
}

# The objects the workbench ends the session with: "NAME SELECTED X1 X2 Y1 Y2".
expected_objects() {
  sed -n '/^objects:/,$p' "$reference" |
    sed -n 's/^  \([^:]*\): x \([-0-9.]*\)\.\.\([-0-9.]*\), y \([-0-9.]*\)\.\.\([-0-9.]*\)$/\1|\2 \3 \4 \5/p' |
    while IFS='|' read -r name box; do
      case $name in *"(selected)") echo "selected $box" ;; *) echo "plain $box" ;; esac
    done
}

# Checks that the top and right edges of every copy's outline have PREDICATE.
check_copies() {
  local predicate=$1 shot=$2 what=$3 kind x1 x2 y1 y2 found=0
  while read -r kind x1 x2 y1 y2; do
    [ "$kind" = selected ] || continue
    found=$((found + 1))
    local mid
    mid=$(awk -v a="$x1" -v b="$x2" 'BEGIN { print (a + b) / 2 }')
    local top right
    top=$(pixel "$mid" "$y2")
    right=$(pixel "$x2" "$(awk -v a="$y1" -v b="$y2" 'BEGIN { print (a + b) / 2 }')")
    # shellcheck disable=SC2086
    has "$predicate" "$shot" $top || fail "$what: no $predicate pixel on the top edge of the copy at x $x1..$x2 ($top)"
    # shellcheck disable=SC2086
    has "$predicate" "$shot" $right || fail "$what: no $predicate pixel on the right edge of the copy at x $x1..$x2 ($right)"
  done < <(expected_objects)
  [ $found -gt 0 ] || fail "no copies in $reference"
  note "$what: $found outlines checked"
}

# The window's document against the workbench's end of the same session.
check_dump() {
  [ -f "$work/dump.txt" ] || fail "the window wrote no dump"
  sed -n '/^== at the end$/,$p' "$reference" | grep -v '^host fault' >"$work/expected.txt"
  sed -n '/^== at the end$/,$p' "$work/dump.txt" >"$work/got.txt"
  diff -u "$work/expected.txt" "$work/got.txt" >&2 || fail "the document differs from the workbench's"
  note "the document is the workbench's: $(grep -c '^  ' "$work/got.txt") objects, undo $(grep '^undo' "$work/got.txt")"
}

# ---- the cases -----------------------------------------------------------------
case $case_name in
  mouse)
    # Each step waits for the state it must lead to: where 32-bit code is
    # emulated the window may take a while over one event.
    start_window "$source/tests/window/copies-along-span.start.session" --step-ms 0 --dump "$work/dump.txt"
    wait_for script done "$start_timeout_s"
    wait_for tool move-duplicate 5
    act mousemove $(pixel 1 1)
    wait_for cursor 17001 60
    act keydown ctrl
    wait_for cursor 17002 60  # the duplicate cursor
    [ "$(get cursor-loaded)" = 1 ] || fail "the cursor did not load from the plug-in's resources"
    act mousemove $(pixel 0 0) click 1
    wait_for picked 1 60
    act keyup ctrl
    wait_for keys 000 60
    act mousemove $(pixel 3 1)
    act key ctrl  # two presses: three copies
    act key ctrl
    act mousemove $(pixel 6 0)
    wait_for preview 4 60  # the span and three outlines
    wait_for on-screen 4 60
    wait_for keys 000 60
    shoot picking
    cp "$work/fb/Xvfb_screen0" "$work/picking-with-cursor.xwd" 2>/dev/null
    check_copies is_red picking "while picking"
    act click 1
    wait_for objects 5 60
    wait_for preview 0 60
    wait_for on-screen 0 60
    shoot done
    cp "$work/fb/Xvfb_screen0" "$work/done-with-cursor.xwd" 2>/dev/null
    [ "$(red_pixels done)" = 0 ] || fail "after completion $(red_pixels done) preview pixels are left on screen"
    check_copies is_blue done "after completion"
    act key ctrl+z
    wait_for objects 2 60
    act key ctrl+y
    wait_for objects 5 60
    wait_for keys 000 60
    xdotool key ctrl+q
    end_window || fail "the window did not end well: $(cat "$work/window.err")"
    check_dump
    ;;
  script)
    start_window "$source/examples/copies-along-span.session" --step-ms 0 --dump "$work/dump.txt"
    wait_for script done "$start_timeout_s"
    shoot done
    [ "$(red_pixels done)" = 0 ] || fail "at the end $(red_pixels done) preview pixels are left on screen"
    check_copies is_blue done "after the script"
    # Keys go where the pointer is (there is no window manager).
    act mousemove $(pixel -1 5)
    xdotool key ctrl+q
    end_window || fail "the window did not end well: $(cat "$work/window.err")"
    check_dump
    ;;
  bad-input)
    bad() {  # bad WHAT EXPECTED-TEXT ARGS...
      local what=$1 text=$2
      shift 2
      rm -f "$work/dump.txt"
      "$runner" "$program" "$@" --dump "$work/dump.txt" --exit-when-done >"$work/out.txt" 2>"$work/err.txt"
      local code=$?
      [ $code -eq 2 ] || fail "$what: exit status $code, not 2"
      grep -q "$text" "$work/err.txt" || fail "$what: no message '$text' on stderr: $(cat "$work/err.txt")"
      [ ! -e "$work/dump.txt" ] || fail "$what: a dump was written"
      note "$what: status 2, $(grep -m1 MoveDuplicateHost "$work/err.txt")"
    }
    [ -n "$no_entry" ] || fail "no DLL without main given"
    bad "a DLL without main" "has no entry 'main'" --plugin "$no_entry" "$source/examples/copies-along-span.session"
    bad "a missing script" "cannot read the script" "$work/no-such.session"
    bad "a bad script line" "bad.session:4: x2 must be a number" "$source/tests/workbench/bad.session"
    ;;
  *)
    fail "unknown case $case_name"
    ;;
esac
echo "drive-window $case_name: passed"
