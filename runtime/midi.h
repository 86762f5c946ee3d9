// Background music: Standard MIDI Files played from memory, one after the
// other, on a worker thread of the run time.
#pragma once

#include <string_view>
#include <vector>

namespace rt {

// Stops any playback in progress, then plays the tunes in order and returns
// at once. A tune that is not a well-formed Standard MIDI File is skipped;
// with no synthesiser or no sound output there is silence, never a message.
// count 1 plays one pass; interval is a pause between tunes in tenths of a second.
void playMidi(std::vector<std::string_view> tunes, int count = 1, int intervalTenths = 0);

// Stops playback and waits for the worker to finish (within 500 ms).
void stopMidi();

}  // namespace rt
