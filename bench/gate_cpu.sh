#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# CPU of the idle main window while the two start-up tunes play and after
# they have ended, beside the fluidsynth command-line player playing the same
# files, and the program's peak memory. Sound goes to the null sink of a
# private PulseAudio server, which plays in real time without a sound card.
#
#   bench/gate_cpu.sh [BUILD_DIR] [SECONDS]      (needs xvfb xdotool pulseaudio fluidsynth)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
seconds=${2:-30}
binary=$build/app/qintara
soundfont=/usr/share/sounds/sf2/default-GM.sf2
tick=$(getconf CLK_TCK)

source bench/lib/sound_desk.sh

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# Percent of one core used by the process over the next $seconds seconds.
cpu_percent() {
  local before after
  before=$(cpu_ticks "$1"); sleep "$seconds"; after=$(cpu_ticks "$1")
  awk -v d=$((after - before)) -v t="$tick" -v s="$seconds" 'BEGIN { printf "%.2f", 100 * d / t / s }'
}
playing() { [ "$(pactl list short sink-inputs | wc -l)" -gt 0 ]; }

QT_QPA_PLATFORM=xcb "$binary" 2>"$work/qintara.err" &
app=$!
pids+=($app)
gate=$(timeout 60 xdotool search --sync --name '中国共产党.党章' | head -1)
sleep 1
until timeout 5 xdotool search --onlyvisible --name Qintara >/dev/null; do
  xdotool mousemove --window "$gate" --sync 206 571 click 1
done
sleep 5
echo "qintara, main window idle, music playing:  $(cpu_percent $app) % of a core (over ${seconds} s)"

fluidsynth -a pulseaudio -ni "$soundfont" resources/tunes/tune1.mid resources/tunes/tune2.mid >/dev/null 2>&1 &
cli=$!
pids+=($cli)
sleep 5
echo "fluidsynth command line, same tunes:        $(cpu_percent $cli) % of a core (over ${seconds} s)"
kill $cli; wait $cli 2>/dev/null || true

while playing; do sleep 2; done
sleep 3
echo "qintara, main window idle, music ended:     $(cpu_percent $app) % of a core (over ${seconds} s)"
echo "qintara peak memory (VmHWM):                $(awk '/VmHWM/ {print $2, $3}' /proc/$app/status)"
echo "qintara threads after the music:            $(awk '/Threads/ {print $2}' /proc/$app/status)"
