# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the benchmark scripts: a private folder, PulseAudio with a null
# sink and an Xvfb display, all ended and removed when the script exits.
# Leaves $work, $pids and DISPLAY set; add further children to pids.
work=$(mktemp -d /tmp/qintara-bench.XXXXXX)
chmod 700 "$work"
export XDG_RUNTIME_DIR=$work PULSE_RUNTIME_PATH=$work/pulse HOME=$work
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
  -L module-null-sink -L module-native-protocol-unix >"$work/pulse.log" 2>&1 &
pids+=($!)
Xvfb -displayfd 1 -nolisten tcp -screen 0 1024x768x24 >"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && pactl info >/dev/null 2>&1 && break; sleep 0.1; done
export DISPLAY=:$(head -1 "$work/display")
