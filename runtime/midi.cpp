// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/midi.h"

#include <dlfcn.h>
#include <fluidsynth.h>
#include <syslog.h>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <type_traits>

namespace rt {
namespace {

using namespace std::chrono_literals;

// FluidSynth, and the dozens of libraries it brings along, are opened the
// first time music is asked for, on the worker: linked to the program they
// would cost every start tens of milliseconds before the first window.
// Without the library there is silence, as without a sound card.
struct Fluid {
    decltype(&::new_fluid_settings) new_fluid_settings = nullptr;
    decltype(&::delete_fluid_settings) delete_fluid_settings = nullptr;
    decltype(&::fluid_settings_setstr) fluid_settings_setstr = nullptr;
    decltype(&::fluid_settings_setnum) fluid_settings_setnum = nullptr;
    decltype(&::fluid_settings_copystr) fluid_settings_copystr = nullptr;
    decltype(&::new_fluid_synth) new_fluid_synth = nullptr;
    decltype(&::delete_fluid_synth) delete_fluid_synth = nullptr;
    decltype(&::fluid_synth_sfload) fluid_synth_sfload = nullptr;
    decltype(&::fluid_synth_write_float) fluid_synth_write_float = nullptr;
    decltype(&::new_fluid_player) new_fluid_player = nullptr;
    decltype(&::delete_fluid_player) delete_fluid_player = nullptr;
    decltype(&::fluid_player_add_mem) fluid_player_add_mem = nullptr;
    decltype(&::fluid_player_play) fluid_player_play = nullptr;
    decltype(&::fluid_player_stop) fluid_player_stop = nullptr;
    decltype(&::fluid_player_get_status) fluid_player_get_status = nullptr;
    decltype(&::new_fluid_audio_driver) new_fluid_audio_driver = nullptr;
    decltype(&::delete_fluid_audio_driver) delete_fluid_audio_driver = nullptr;
    decltype(&::fluid_set_log_function) fluid_set_log_function = nullptr;
    void* library = nullptr;
    bool loaded = false;
};

const Fluid& fluid() {
    static const Fluid loaded = [] {
        Fluid api;
        api.library = dlopen("libfluidsynth.so.3", RTLD_NOW | RTLD_LOCAL);
        if (api.library == nullptr) return api;
        bool all = true;
        const auto bind = [&](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(api.library, name));
            all = all && function != nullptr;
        };
        bind(api.new_fluid_settings, "new_fluid_settings");
        bind(api.delete_fluid_settings, "delete_fluid_settings");
        bind(api.fluid_settings_setstr, "fluid_settings_setstr");
        bind(api.fluid_settings_setnum, "fluid_settings_setnum");
        bind(api.fluid_settings_copystr, "fluid_settings_copystr");
        bind(api.new_fluid_synth, "new_fluid_synth");
        bind(api.delete_fluid_synth, "delete_fluid_synth");
        bind(api.fluid_synth_sfload, "fluid_synth_sfload");
        bind(api.fluid_synth_write_float, "fluid_synth_write_float");
        bind(api.new_fluid_player, "new_fluid_player");
        bind(api.delete_fluid_player, "delete_fluid_player");
        bind(api.fluid_player_add_mem, "fluid_player_add_mem");
        bind(api.fluid_player_play, "fluid_player_play");
        bind(api.fluid_player_stop, "fluid_player_stop");
        bind(api.fluid_player_get_status, "fluid_player_get_status");
        bind(api.new_fluid_audio_driver, "new_fluid_audio_driver");
        bind(api.delete_fluid_audio_driver, "delete_fluid_audio_driver");
        bind(api.fluid_set_log_function, "fluid_set_log_function");
        api.loaded = all;
        return api;
    }();
    return loaded;
}

// Silence is the answer to every missing piece, so the library's complaints
// (no sound card, no server) must not reach the user's terminal; warnings and
// errors still go where a system keeps its logs.
void toSystemLog(int level, const char* message, void*) {
    if (level > FLUID_WARN) return;
    syslog(LOG_USER | (level == FLUID_WARN ? LOG_WARNING : LOG_ERR), "qintara: fluidsynth: %s", message);
}

void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

void routeFluidLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (!fluid().loaded) return;
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level) fluid().fluid_set_log_function(level, toSystemLog, nullptr);
        // libasound, which FluidSynth's ALSA driver loads, prints its own
        // errors (no card) straight to stderr. It is found at run time so
        // that building needs no ALSA headers.
        using AlsaHandler = void (*)(const char*, int, const char*, int, const char*, ...);
        if (void* set = dlsym(fluid().library, "snd_lib_error_set_handler"))
            reinterpret_cast<int (*)(AlsaHandler)>(set)(quietAlsa);
    });
}

std::uint32_t bigEndian(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// The General MIDI soundfont the system chose: Debian's default-GM
// alternative (sf2, else sf3), else the one FluidSynth was built to use.
std::string systemSoundfont(fluid_settings_t* settings) {
    for (const char* alternative : {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3"}) {
        std::error_code error;
        if (std::filesystem::is_regular_file(alternative, error)) return alternative;
    }
    std::array<char, 4096> path{};
    if (fluid().fluid_settings_copystr(settings, "synth.default-soundfont", path.data(), static_cast<int>(path.size())) != FLUID_OK)
        return {};
    return path.data();
}

// The synthesiser with its soundfont, created and torn down on the worker.
class Synth {
public:
    explicit Synth(const MidiOutput& output) {
        if (!fluid().loaded) return;
        settings_ = fluid().new_fluid_settings();
        if (settings_ == nullptr) return;
        // The player follows the samples the synthesiser renders, so it needs
        // no timer thread of its own and renders offline just as well.
        fluid().fluid_settings_setstr(settings_, "player.timing-source", "sample");
        fluid().fluid_settings_setnum(settings_, "synth.gain", output.gain);
        const std::string soundfont = output.soundfont.empty() ? systemSoundfont(settings_) : output.soundfont;
        std::error_code error;
        if (!std::filesystem::is_regular_file(soundfont, error)) return;
        synth_ = fluid().new_fluid_synth(settings_);
        if (synth_ == nullptr) return;
        if (fluid().fluid_synth_sfload(synth_, soundfont.c_str(), 1) == FLUID_FAILED) return;
        ready_ = true;
    }
    ~Synth() {
        if (synth_ != nullptr) fluid().delete_fluid_synth(synth_);
        if (settings_ != nullptr) fluid().delete_fluid_settings(settings_);
    }
    Synth(const Synth&) = delete;
    Synth& operator=(const Synth&) = delete;

    bool ready() const { return ready_; }
    fluid_settings_t* settings() const { return settings_; }
    fluid_synth_t* synth() const { return synth_; }

private:
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    bool ready_ = false;
};

// FluidSynth's PulseAudio driver names its client "FluidSynth" in code, and
// only PULSE_PROP_OVERRIDE outranks a name given in code (PULSE_PROP does
// not). It is set just while the driver connects, on the worker, so that no
// program the user starts from this one (the browser of the maker's link)
// inherits the name; a value the user set stays and wins on every key.
class SoundServerName {
public:
    explicit SoundServerName(const MidiOutput& output) {
        const char* previous = std::getenv(kVariable);
        if (previous != nullptr) previous_ = previous;
        std::string value = "application.name='" + output.applicationName + "' application.icon_name='" + output.iconName + "'";
        if (previous_) value += " " + *previous_;
        setenv(kVariable, value.c_str(), 1);
    }
    ~SoundServerName() {
        if (previous_) {
            setenv(kVariable, previous_->c_str(), 1);
        } else {
            unsetenv(kVariable);
        }
    }
    SoundServerName(const SoundServerName&) = delete;
    SoundServerName& operator=(const SoundServerName&) = delete;

private:
    static constexpr const char* kVariable = "PULSE_PROP_OVERRIDE";
    std::optional<std::string> previous_;
};

// One tune's player and, when there is one, the audio driver that drives it;
// the driver goes first, so nothing renders from a player being deleted.
class TunePlayback {
public:
    TunePlayback(const Synth& synth, std::string_view tune) {
        if (!synth.ready()) return;
        player_ = fluid().new_fluid_player(synth.synth());
        if (player_ == nullptr) return;
        loaded_ = fluid().fluid_player_add_mem(player_, tune.data(), tune.size()) == FLUID_OK;
    }
    ~TunePlayback() {
        if (driver_ != nullptr) fluid().delete_fluid_audio_driver(driver_);
        if (player_ != nullptr) {
            fluid().fluid_player_stop(player_);
            fluid().delete_fluid_player(player_);
        }
    }
    TunePlayback(const TunePlayback&) = delete;
    TunePlayback& operator=(const TunePlayback&) = delete;

    bool start() { return loaded_ && fluid().fluid_player_play(player_) == FLUID_OK; }

    bool openDriver(const Synth& synth, const MidiOutput& output) {
        const SoundServerName named(output);
        for (const std::string& name : output.drivers) {
            if (fluid().fluid_settings_setstr(synth.settings(), "audio.driver", name.c_str()) != FLUID_OK) continue;
            driver_ = fluid().new_fluid_audio_driver(synth.settings(), synth.synth());
            if (driver_ != nullptr) return true;
        }
        return false;
    }

    bool playing() const { return player_ != nullptr && fluid().fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING; }

private:
    fluid_player_t* player_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;
    bool loaded_ = false;
};

}  // namespace

bool isStandardMidiFile(std::string_view bytes) {
    if (bytes.size() < 14 || bytes.substr(0, 4) != "MThd" || bigEndian(bytes, 4, 4) != 6) return false;
    const std::uint32_t format = bigEndian(bytes, 8, 2);
    const std::uint32_t tracks = bigEndian(bytes, 10, 2);
    const std::uint32_t division = bigEndian(bytes, 12, 2);
    if (format > 2 || tracks == 0 || (format == 0 && tracks != 1) || division == 0) return false;
    std::uint32_t found = 0;
    std::size_t at = 14;
    while (at < bytes.size()) {
        if (bytes.size() - at < 8) return false;
        const std::string_view type = bytes.substr(at, 4);
        const std::uint32_t length = bigEndian(bytes, at + 4, 4);
        at += 8;
        if (length > bytes.size() - at) return false;
        if (type == "MTrk") {
            if (length < 3 || bytes.substr(at + length - 3, 3) != std::string_view("\xFF\x2F\x00", 3)) return false;
            ++found;
        }
        at += length;
    }
    return found == tracks;
}

// Workers whose thread has not yet returned, left ones included.
std::atomic<int> runningWorkers{0};

struct MidiPlayer::Worker {
    std::atomic<bool> stopRequested = false;
    bool finished = false;
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable done;
    std::thread thread;

    // Waits up to `time`; true when a stop was asked for meanwhile.
    bool sleep(std::chrono::milliseconds time) {
        std::unique_lock lock(mutex);
        return wake.wait_for(lock, time, [this] { return stopRequested.load(); });
    }

    void requestStop() {
        {
            std::lock_guard lock(mutex);
            stopRequested = true;
        }
        wake.notify_all();
    }

    void markFinished() {
        {
            std::lock_guard lock(mutex);
            finished = true;
        }
        done.notify_all();
    }

    void run(const MidiOutput& output, const TuneObserver& observer, const std::vector<std::string>& tunes, int passes,
             int intervalTenths) {
        const auto tell = [&](TuneEvent event, std::size_t tune) {
            if (observer) observer(event, tune);
        };
        // The library and all it loads wait too: at start-up they would
        // compete with the first window for the processor.
        if (!output.offline && sleep(output.startDelay)) return;
        routeFluidLog();
        // Loading the soundfont takes tens of milliseconds: here, never on
        // the user-interface thread.
        const Synth synth(output);
        for (int pass = 0; pass < passes; ++pass) {
            for (std::size_t tune = 0; tune < tunes.size(); ++tune) {
                if (stopRequested) return;
                if ((pass > 0 || tune > 0) && intervalTenths > 0 && sleep(std::chrono::milliseconds(intervalTenths * 100)))
                    return;
                if (!synth.ready() || !isStandardMidiFile(tunes[tune])) {
                    tell(TuneEvent::Skipped, tune);
                    continue;
                }
                playOne(synth, output, tunes[tune], tune, tell);
                if (stopRequested) return;
            }
        }
    }

    template <class Tell>
    void playOne(const Synth& synth, const MidiOutput& output, std::string_view bytes, std::size_t tune, const Tell& tell) {
        TunePlayback playback(synth, bytes);
        if (!playback.start() || (!output.offline && !playback.openDriver(synth, output))) {
            tell(TuneEvent::Skipped, tune);
            return;
        }
        tell(TuneEvent::Started, tune);
        if (output.offline) {
            constexpr int kFrames = 512;
            std::array<float, 2 * kFrames> block{};
            while (playback.playing() && !stopRequested) {
                fluid().fluid_synth_write_float(synth.synth(), kFrames, block.data(), 0, 2, block.data(), 1, 2);
                if (output.render) output.render(block);
            }
        } else {
            // Checking every 100 ms keeps a stop well inside 500 ms.
            while (playback.playing() && !sleep(100ms)) {
            }
            // Let the last notes ring out before the driver goes.
            if (!stopRequested) sleep(600ms);
        }
        tell(stopRequested ? TuneEvent::Stopped : TuneEvent::Finished, tune);
    }
};

MidiPlayer::MidiPlayer(MidiOutput output, TuneObserver observer)
    : output_(std::move(output)), observer_(std::move(observer)) {}

MidiPlayer::~MidiPlayer() { stop(); }

void MidiPlayer::play(std::vector<std::string_view> tunes, int count, int intervalTenths) {
    stop();
    std::vector<std::string> copies(tunes.begin(), tunes.end());
    // The thread shares the worker, so that a worker left behind by
    // stopWithin still has everything it uses.
    auto worker = std::make_shared<Worker>();
    ++runningWorkers;
    worker->thread = std::thread([worker, output = output_, observer = observer_, copies = std::move(copies),
                                  passes = count < 1 ? 1 : count, intervalTenths] {
        worker->run(output, observer, copies, passes, intervalTenths);
        worker->markFinished();
        --runningWorkers;
    });
    worker_ = std::move(worker);
}

void MidiPlayer::stop() {
    if (!worker_) return;
    worker_->requestStop();
    if (worker_->thread.joinable()) worker_->thread.join();
    worker_.reset();
}

bool MidiPlayer::stopWithin(std::chrono::milliseconds limit) {
    if (!worker_) return true;
    worker_->requestStop();
    bool finished = false;
    {
        std::unique_lock lock(worker_->mutex);
        finished = worker_->done.wait_for(lock, limit, [this] { return worker_->finished; });
    }
    if (finished) {
        worker_->thread.join();
    } else {
        // Inside a library call that takes no stop request (opening the
        // library, loading the soundfont, a sound server that is slow to
        // answer): it finishes on its own, and stops at its next check.
        worker_->thread.detach();
    }
    worker_.reset();
    return finished;
}

void MidiPlayer::setOutput(MidiOutput output, TuneObserver observer) {
    stop();
    output_ = std::move(output);
    observer_ = std::move(observer);
}

MidiPlayer& processMidiPlayer() {
    static MidiPlayer player;
    return player;
}

void playMidi(std::vector<std::string_view> tunes, int count, int intervalTenths) {
    processMidiPlayer().play(std::move(tunes), count, intervalTenths);
}

void stopMidi() { processMidiPlayer().stop(); }

bool stopMidiWithin(std::chrono::milliseconds limit) { return processMidiPlayer().stopWithin(limit); }

bool midiWorkersRunning() { return runningWorkers.load() > 0; }

}  // namespace rt
