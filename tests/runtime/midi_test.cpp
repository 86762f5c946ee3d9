// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "resources/embedded.h"
#include "runtime/midi.h"

namespace {

using rt::TuneEvent;
using Events = std::vector<std::pair<TuneEvent, std::size_t>>;

std::string be(std::uint32_t value, int width) {
    std::string out;
    for (int i = width - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

std::string chunk(std::string_view type, const std::string& body) { return std::string(type) + be(static_cast<std::uint32_t>(body.size()), 4) + body; }

const std::string kEndOfTrack("\x00\xFF\x2F\x00", 4);

// A format 1 file at 120 beats a minute: a conductor track and a piano
// track of `notes` quarter notes (half a second each).
std::string tune(int notes, int firstPitch = 60) {
    const std::string conductor = std::string("\x00\xFF\x51\x03\x07\xA1\x20", 7) + kEndOfTrack;
    std::string piano("\x00\xC0\x00", 3);
    for (int i = 0; i < notes; ++i) {
        const char pitch = static_cast<char>(firstPitch + i % 12);
        piano += std::string("\x00\x90", 2) + pitch + '\x60';
        piano += std::string("\x83\x60\x80", 3) + pitch + '\x40';  // 480 ticks later
    }
    piano += kEndOfTrack;
    return chunk("MThd", be(1, 2) + be(2, 2) + be(480, 2)) + chunk("MTrk", conductor) + chunk("MTrk", piano);
}

TEST(StandardMidiFile, IsCheckedBeforeFluidSynthSeesIt) {
    const std::string good = tune(4);
    std::string wrongHeader = good;
    wrongHeader[3] = 'x';
    std::string headerLength7 = good;
    headerLength7[7] = 7;
    std::string noEndOfTrack = good;
    noEndOfTrack[noEndOfTrack.size() - 2] = 0x2E;
    std::string unknownChunk = good + chunk("XFIH", "meta");
    struct Case {
        const char* name;
        std::string bytes;
        bool wellFormed;
    } cases[] = {
        {"Good", good, true},
        {"UnknownChunkIsSkipped", unknownChunk, true},
        {"Tune1", std::string(res::constitutionTune1), true},
        {"Tune2", std::string(res::constitutionTune2), true},
        {"Empty", "", false},
        {"WrongHeader", wrongHeader, false},
        {"HeaderLengthNotSix", headerLength7, false},
        {"ShortHeader", good.substr(0, 12), false},
        {"HeaderOnly", good.substr(0, 14), false},
        {"TruncatedChunk", good.substr(0, good.size() - 5), false},
        {"TruncatedChunkHeader", good.substr(0, 14 + 4), false},
        {"FewerTracksThanAnnounced", chunk("MThd", be(1, 2) + be(3, 2) + be(480, 2)) + good.substr(14), false},
        {"FormatZeroWithTwoTracks", chunk("MThd", be(0, 2) + be(2, 2) + be(480, 2)) + good.substr(14), false},
        {"FormatThree", chunk("MThd", be(3, 2) + be(2, 2) + be(480, 2)) + good.substr(14), false},
        {"ZeroDivision", chunk("MThd", be(1, 2) + be(2, 2) + be(0, 2)) + good.substr(14), false},
        {"TrackWithoutEndOfTrack", noEndOfTrack, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rt::isStandardMidiFile(c.bytes), c.wellFormed);
    }
}

// Runs a player with no audio device: the tunes are rendered offline, each
// block handed to `render`, every event recorded.
class OfflinePlayer {
public:
    explicit OfflinePlayer(std::function<void()> perBlock = {}, std::string soundfont = rt::MidiOutput{}.soundfont)
        : player_(rt::MidiOutput{.soundfont = std::move(soundfont),
                                 .drivers = {},
                                 .offline = true,
                                 .render =
                                     [this, perBlock](std::span<const float> frames) {
                                         const bool heard = std::any_of(frames.begin(), frames.end(),
                                                                        [](float s) { return s != 0.0f; });
                                         std::lock_guard lock(mutex_);
                                         ++blocks_;
                                         heard_ = heard_ || heard;
                                         if (perBlock) perBlock();
                                     }},
                  [this](TuneEvent event, std::size_t tune) {
                      std::lock_guard lock(mutex_);
                      events_.emplace_back(event, tune);
                      changed_.notify_all();
                  }) {}

    rt::MidiPlayer& player() { return player_; }

    // Waits until `count` events have been recorded; the long limit only
    // keeps a broken player from hanging the run.
    Events waitForEvents(std::size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, std::chrono::minutes(2), [&] { return events_.size() >= count; });
        return events_;
    }
    Events events() {
        std::lock_guard lock(mutex_);
        return events_;
    }
    int blocks() {
        std::lock_guard lock(mutex_);
        return blocks_;
    }
    bool heard() {
        std::lock_guard lock(mutex_);
        return heard_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    Events events_;
    int blocks_ = 0;
    bool heard_ = false;
    rt::MidiPlayer player_;
};

// Renders at about real speed, so that a long tune is still playing when
// the test stops it.
void realSpeed() { std::this_thread::sleep_for(std::chrono::milliseconds(10)); }

TEST(MidiPlayer, PlaysTheTunesInOrderAndSkipsMalformedOnes) {
    OfflinePlayer offline;
    const std::string first = tune(3), second = tune(2, 72);
    offline.player().play({first, "MThd but not really", second});
    const Events want = {{TuneEvent::Started, 0}, {TuneEvent::Finished, 0}, {TuneEvent::Skipped, 1},
                         {TuneEvent::Started, 2}, {TuneEvent::Finished, 2}};
    EXPECT_EQ(offline.waitForEvents(want.size()), want);
    offline.player().stop();
    EXPECT_EQ(offline.events(), want);
    EXPECT_TRUE(offline.heard()) << "the soundfont made no sound";
}

TEST(MidiPlayer, CountRepeatsThePassWithThePauseBetweenTunes) {
    OfflinePlayer offline;
    const std::string only = tune(1);
    offline.player().play({only}, 2, 1);
    const Events want = {{TuneEvent::Started, 0}, {TuneEvent::Finished, 0}, {TuneEvent::Started, 0},
                         {TuneEvent::Finished, 0}};
    EXPECT_EQ(offline.waitForEvents(want.size()), want);
    offline.player().stop();
    EXPECT_EQ(offline.events(), want);
}

TEST(MidiPlayer, StopEndsTheTuneAndPlaysNoMore) {
    OfflinePlayer offline(realSpeed);
    const std::string tenMinutes = tune(1200), next = tune(1);
    offline.player().play({tenMinutes, next});
    offline.waitForEvents(1);
    offline.player().stop();
    const Events want = {{TuneEvent::Started, 0}, {TuneEvent::Stopped, 0}};
    EXPECT_EQ(offline.events(), want);
    const int blocks = offline.blocks();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(offline.blocks(), blocks) << "rendering went on after stop";
}

TEST(MidiPlayer, ANewPlayStopsThePreviousOne) {
    OfflinePlayer offline(realSpeed);
    const std::string tenMinutes = tune(1200), shortTune = tune(1);
    offline.player().play({tenMinutes, shortTune});
    offline.waitForEvents(1);
    offline.player().play({shortTune});
    const Events want = {{TuneEvent::Started, 0}, {TuneEvent::Stopped, 0}, {TuneEvent::Started, 0},
                         {TuneEvent::Finished, 0}};
    EXPECT_EQ(offline.waitForEvents(want.size()), want);
}

TEST(MidiPlayer, NoSoundfontMeansSilence) {
    OfflinePlayer offline({}, "/nonexistent/qintara-test.sf2");
    const std::string a = tune(1), b = tune(1);
    testing::internal::CaptureStderr();
    offline.player().play({a, b});
    const Events want = {{TuneEvent::Skipped, 0}, {TuneEvent::Skipped, 1}};
    EXPECT_EQ(offline.waitForEvents(want.size()), want);
    offline.player().stop();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(offline.blocks(), 0);
}

TEST(MidiPlayer, NoAudioDeviceMeansSilenceWithoutAWord) {
    Events events;
    std::mutex mutex;
    rt::MidiPlayer player(rt::MidiOutput{.drivers = {"no-such-driver"}, .render = {}, .startDelay = {}}, [&](TuneEvent event, std::size_t tune) {
        std::lock_guard lock(mutex);
        events.emplace_back(event, tune);
    });
    const std::string a = tune(1), b = tune(1);
    testing::internal::CaptureStderr();
    player.play({a, b});
    // Stopping waits for the worker; with nothing to play it has finished.
    for (int i = 0; i < 2000; ++i) {
        {
            std::lock_guard lock(mutex);
            if (events.size() == 2) break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    player.stop();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    const Events want = {{TuneEvent::Skipped, 0}, {TuneEvent::Skipped, 1}};
    EXPECT_EQ(events, want);
}

TEST(MidiPlayer, StopWithoutPlayAndTwiceIsHarmless) {
    rt::MidiPlayer player(rt::MidiOutput{.offline = true, .render = {}, .startDelay = {}});
    player.stop();
    player.stop();
}


// The start-up tunes rendered as the program plays them, with FluidSynth's
// sample timing and the system's soundfont: moderate peaks, alike in level.
TEST(MidiPlayer, StartUpTunesPeakNearMinusTwelveDecibelsAlike) {
    std::mutex mutex;
    std::condition_variable ended;
    std::size_t current = 0;
    std::size_t finished = 0;
    float peaks[2] = {0, 0};
    rt::MidiPlayer player(
        rt::MidiOutput{.drivers = {},
                       .offline = true,
                       .render =
                           [&](std::span<const float> frames) {
                               std::lock_guard lock(mutex);
                               for (float sample : frames) peaks[current] = std::max(peaks[current], std::abs(sample));
                           }},
        [&](TuneEvent event, std::size_t tune) {
            std::lock_guard lock(mutex);
            if (event == TuneEvent::Started) current = tune;
            if (event != TuneEvent::Started) ++finished;
            ended.notify_all();
        });
    player.play({res::constitutionTune1, res::constitutionTune2});
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(ended.wait_for(lock, std::chrono::minutes(5), [&] { return finished == 2; }));
    }
    player.stop();
    double decibels[2];
    for (std::size_t tune = 0; tune < 2; ++tune) {
        decibels[tune] = 20 * std::log10(peaks[tune]);
        RecordProperty("peak_dbfs_tune" + std::to_string(tune + 1), std::to_string(decibels[tune]));
        EXPECT_GE(decibels[tune], -14.0) << "tune " << tune + 1;
        EXPECT_LE(decibels[tune], -10.0) << "tune " << tune + 1;
    }
    EXPECT_LE(std::abs(decibels[0] - decibels[1]), 2.0);
}

// At the program's end a worker inside a call that takes no stop request is
// not waited for; it finishes on its own once the call returns.
TEST(MidiPlayer, StopWithinLeavesAWorkerThatCannotStopYet) {
    struct Gate {
        std::mutex mutex;
        std::condition_variable changed;
        bool entered = false;
        bool open = false;
    };
    auto gate = std::make_shared<Gate>();
    rt::MidiPlayer player(rt::MidiOutput{.drivers = {},
                                         .offline = true,
                                         .render =
                                             [gate](std::span<const float>) {
                                                 std::unique_lock lock(gate->mutex);
                                                 gate->entered = true;
                                                 gate->changed.notify_all();
                                                 // The safety limit only keeps a broken player from hanging the run.
                                                 gate->changed.wait_for(lock, std::chrono::seconds(30), [&] { return gate->open; });
                                             }});
    const std::string long_tune = tune(100);
    player.play({long_tune});
    {
        std::unique_lock lock(gate->mutex);
        ASSERT_TRUE(gate->changed.wait_for(lock, std::chrono::minutes(1), [&] { return gate->entered; }));
    }
    EXPECT_FALSE(player.stopWithin(std::chrono::milliseconds(50)));
    EXPECT_TRUE(rt::midiWorkersRunning());
    {
        std::lock_guard lock(gate->mutex);
        gate->open = true;
    }
    gate->changed.notify_all();
    for (int i = 0; i < 6000 && rt::midiWorkersRunning(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(rt::midiWorkersRunning()) << "the worker left behind did not finish after its call returned";

    // A worker that can stop is waited for.
    player.play({long_tune});
    EXPECT_TRUE(player.stopWithin(std::chrono::seconds(30)));
    EXPECT_FALSE(rt::midiWorkersRunning());
}

}  // namespace
