#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# How long the program takes to end after the user (or the system) asks it
# to, while the music worker is still starting: 没有熟读党章内容 pressed at
# several moments after the reader appears, the main window closed soon after
# it appears, and SIGTERM at several moments after the start. Sound goes to the null sink of a private PulseAudio server,
# so the worker really loads FluidSynth, the soundfont and the sound server's
# client library.
#
#   bench/exit_time.sh [BUILD_DIR] [ROUNDS]      (needs xvfb xdotool python3-xlib pulseaudio)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
rounds=${2:-1}
binary=$build/app/qintara

source bench/lib/sound_desk.sh

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Sends the close request a window manager sends, then prints the time in ms.
close_window() {
  /usr/bin/python3 - "$1" <<'PY'
import sys, time
from Xlib import X, display, protocol
d = display.Display()
w = d.create_resource_object("window", int(sys.argv[1]))
w.send_event(protocol.event.ClientMessage(window=w, client_type=d.intern_atom("WM_PROTOCOLS"),
             data=(32, [d.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])), event_mask=X.NoEventMask)
d.flush()
print(time.time_ns() // 1000000)
PY
}

# Milliseconds from the action until the process has gone.
exit_after() {
  local action=$1 delay=$2 app gate start code
  QT_QPA_PLATFORM=xcb "$binary" 2>>"$work/qintara.err" &
  app=$!
  if [ "$action" = press ]; then
    gate=$(timeout 60 xdotool search --sync --onlyvisible --name '中国共产党.党章' | head -1)
    sleep "$delay"
    start=$(now_ms)
    xdotool mousemove --window "$gate" --sync 482 570 click 1
  elif [ "$action" = close ]; then
    gate=$(timeout 60 xdotool search --sync --onlyvisible --name '中国共产党.党章' | head -1)
    xdotool mousemove --window "$gate" --sync 206 571 click 1
    main=$(timeout 60 xdotool search --sync --onlyvisible --name 'Qintara \(申请书' | head -1)
    sleep "$delay"
    start=$(close_window "$main")
  else
    sleep "$delay"
    start=$(now_ms)
    kill -TERM "$app"
  fi
  code=0
  wait "$app" || code=$?
  echo "$(($(now_ms) - start)) ms (exit code $code)"
}

for _ in $(seq "$rounds"); do
  for delay in 0.1 0.3 0.6 0.9 1.2; do
    echo "没有熟读党章内容 ${delay} s after the reader appears: $(exit_after press "$delay")"
  done
  for delay in 0 0.3; do
    echo "main window closed ${delay} s after it appears:    $(exit_after close "$delay")"
  done
  for delay in 0.1 0.3 0.5 0.7 0.9 1.1 1.3; do
    echo "SIGTERM ${delay} s after the start:                 $(exit_after term "$delay")"
  done
done
