// SPDX-License-Identifier: GPL-3.0-or-later
// Ways out while the music starts, with a sound server of the test's own
// (PulseAudio with a null sink, which plays in real time without a sound
// card): the worker then really loads FluidSynth and the soundfont and opens
// a stream, which took the old exit one to two seconds to wait for. The
// bound below is generous, and more so in the sanitizer build;
// bench/exit_time.sh measures the real figure.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "tests/e2e/x_session.h"

namespace {

using namespace e2e;

constexpr auto kAppears = 120s;
#if defined(__SANITIZE_ADDRESS__)
// The sanitizers' own work at the end (the leak check) takes its time there.
constexpr auto kPromptly = 3s;
#else
constexpr auto kPromptly = 800ms;
#endif
constexpr const char* kGate = "中国共产党.党章";
constexpr int kNotReadX = 371 + 222 / 2, kNotReadY = 556 + 28 / 2;

std::string output(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t got = 0;
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, got);
        pclose(pipe);
    }
    return text;
}

// A private PulseAudio server; the program finds it through PULSE_SERVER,
// which is set for as long as the server runs.
class PrivateSoundServer {
public:
    PrivateSoundServer() {
        char dir[] = "/tmp/qintara-pulse.XXXXXX";
        if (mkdtemp(dir) == nullptr) return;
        dir_ = dir;
        const std::string socket = dir_ + "/native";
        server_ = fork();
        if (server_ == 0) {
            setenv("HOME", dir, 1);
            setenv("PULSE_RUNTIME_PATH", dir, 1);
            const int devnull = open("/dev/null", O_WRONLY);
            dup2(devnull, STDOUT_FILENO);
            dup2(devnull, STDERR_FILENO);
            const std::string native = "module-native-protocol-unix auth-anonymous=1 socket=" + socket;
            execlp("pulseaudio", "pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--disallow-exit",
                   "-L", "module-null-sink", "-L", native.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        setenv("PULSE_SERVER", ("unix:" + socket).c_str(), 1);
        for (int i = 0; i < 200 && !ready_; ++i) {
            ready_ = std::system("pactl info >/dev/null 2>&1") == 0;
            if (!ready_) std::this_thread::sleep_for(50ms);
        }
    }
    ~PrivateSoundServer() {
        unsetenv("PULSE_SERVER");
        if (server_ > 0) {
            kill(server_, SIGTERM);
            waitpid(server_, nullptr, 0);
        }
        std::error_code ignored;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ignored);
    }
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    bool ready() const { return ready_; }
    std::string streams() const { return output("pactl list sink-inputs 2>/dev/null"); }

private:
    std::string dir_;
    pid_t server_ = -1;
    bool ready_ = false;
};

class ExitEndToEnd : public ::testing::Test {
protected:
    PrivateSoundServer sound;
    XSession x;
    Window gate = 0;

    void SetUp() override {
        if (!sound.ready()) GTEST_SKIP() << "no PulseAudio here (packages pulseaudio and pulseaudio-utils)";
        x.launch(QINTARA_BINARY);
        gate = x.waitForWindow(kGate, kAppears);
        ASSERT_NE(gate, 0u) << "the constitution window did not appear; stderr:\n" << x.appStderr();
    }
};

TEST_F(ExitEndToEnd, NotReadPressedWhileTheMusicLoadsEndsTheProgramAtOnce) {
    // The worker waits 200 ms after the window asked for music, then loads
    // FluidSynth and the soundfont and connects to the sound server: the
    // press comes as it does so.
    std::this_thread::sleep_for(300ms);
    bool pressed = false;
    // A click that arrives before the window takes input is lost: the press
    // counts from the moment the window goes, which it does at once.
    for (int attempt = 0; attempt < 10 && !pressed; ++attempt) {
        x.click(gate, kNotReadX, kNotReadY);
        for (int i = 0; i < 200 && !pressed; ++i) {
            pressed = !x.viewable(gate);
            if (!pressed) std::this_thread::sleep_for(5ms);
        }
    }
    ASSERT_TRUE(pressed) << "the press never reached 没有熟读党章内容";
    EXPECT_EQ(x.waitForExit(kPromptly), 0) << "the program outlived the press; stderr:\n" << x.appStderr();
}

TEST_F(ExitEndToEnd, SoundServerListsTheStreamAsQintaraAndSigtermEndsItAtOnce) {
    std::string streams;
    for (int i = 0; i < 600 && streams.find("application.name = \"Qintara\"") == std::string::npos; ++i) {
        std::this_thread::sleep_for(50ms);
        streams = sound.streams();
    }
    ASSERT_NE(streams.find("application.name = \"Qintara\""), std::string::npos) << streams;
    EXPECT_NE(streams.find("application.icon_name = \"example.vorlane.Qintara\""), std::string::npos) << streams;
    // The tune's first seconds, when the sound server still holds the stream's
    // first write: the old exit waited for it.
    kill(x.pid(), SIGTERM);
    EXPECT_EQ(x.waitForExit(kPromptly), 128 + SIGTERM) << x.appStderr();
}

}  // namespace
