#include "runtime/midi.h"

namespace rt {

// Playback arrives with the constitution reader; until a player exists there
// is nothing to stop.
void stopMidi() {}

}  // namespace rt
