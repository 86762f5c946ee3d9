// SPDX-License-Identifier: GPL-3.0-or-later
// Background music: Standard MIDI Files played from memory, one after the
// other, on a worker thread of the run time, through FluidSynth and the
// system's General MIDI soundfont.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

// Stops any playback in progress, then plays the tunes in order and returns
// at once. A tune that is not a well-formed Standard MIDI File is skipped;
// with no synthesiser or no sound output there is silence, never a message.
// count 1 plays one pass (less than 1 counts as 1); interval is a pause
// between tunes in tenths of a second.
void playMidi(std::vector<std::string_view> tunes, int count = 1, int intervalTenths = 0);

// Stops playback and waits for the worker to finish (within 500 ms).
void stopMidi();

// Stops playback as the program ends: waits for the worker at most `limit`,
// then leaves it to finish on its own. True when it has finished.
bool stopMidiWithin(std::chrono::milliseconds limit);

// Whether any worker, one left by stopMidiWithin included, is still running.
bool midiWorkersRunning();

// A Standard MIDI File as FluidSynth needs it: an "MThd" chunk of length 6
// with format 0, 1 or 2, at least one track and a non-zero division, then
// chunks that fit in the bytes, as many "MTrk" chunks as the header
// announces, each ending in an end-of-track event. FluidSynth itself accepts
// anything and fails only at play time.
bool isStandardMidiFile(std::string_view bytes);

// Where the sound goes.
struct MidiOutput {
    // Empty: the system's General MIDI soundfont.
    std::string soundfont{};
    // FluidSynth audio drivers tried in turn for each tune; the first that
    // opens plays it. JACK is left out: it may try to start a server.
    std::vector<std::string> drivers = {"pulseaudio", "alsa"};
    // Peaks of the two start-up tunes near -12 dBFS with the system's
    // soundfont: music under the reading, not over it.
    double gain = 0.25;
    // How the sound server lists the stream in the system's mixer.
    std::string applicationName = "Qintara";
    std::string iconName = "example.vorlane.Qintara";  // the installed icon's name
    // No audio device at all: the tunes are rendered as fast as this
    // takes the samples (interleaved stereo), paced by the sample count.
    bool offline = false;
    std::function<void(std::span<const float> frames)> render;
    // The worker waits this long before it loads the soundfont, so that the
    // window that asked for music gets both cores to appear first.
    std::chrono::milliseconds startDelay{200};
};

enum class TuneEvent { Started, Finished, Skipped, Stopped };
// Called on the worker thread, for tests and diagnosis.
using TuneObserver = std::function<void(TuneEvent event, std::size_t tune)>;

// One player owns one worker and, while it plays, the FluidSynth handles.
class MidiPlayer {
public:
    explicit MidiPlayer(MidiOutput output = {}, TuneObserver observer = {});
    ~MidiPlayer();
    MidiPlayer(const MidiPlayer&) = delete;
    MidiPlayer& operator=(const MidiPlayer&) = delete;

    // As playMidi; the tunes are copied.
    void play(std::vector<std::string_view> tunes, int count = 1, int intervalTenths = 0);
    void stop();
    // Asks the worker to stop and waits for it at most `limit`; a worker
    // still busy then is left to finish on its own. True when it finished.
    bool stopWithin(std::chrono::milliseconds limit);
    // Stops, then uses the new output from the next play on.
    void setOutput(MidiOutput output, TuneObserver observer = {});

private:
    struct Worker;
    MidiOutput output_;
    TuneObserver observer_;
    std::shared_ptr<Worker> worker_;
};

// The player behind playMidi: tests give it an offline output so that they
// make no sound and need no sound card.
MidiPlayer& processMidiPlayer();

}  // namespace rt
