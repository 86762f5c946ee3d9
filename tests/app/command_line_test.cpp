// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line, run as a user would type it: answers that need
// no display, a refused option, and a start with no display to open a window on.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
    int exitCode = -1;  // 128 + signal when killed
    std::string out, err;
};

std::string slurp(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs the program with the arguments and the display variables given
// (an empty value unsets the variable).
Outcome runQintara(const std::vector<std::string>& args, const std::string& display, const std::string& wayland) {
    char folder[] = "/tmp/qintara-cli.XXXXXX";
    const std::string dir = mkdtemp(folder);
    const std::string out = dir + "/out", err = dir + "/err";
    const pid_t child = fork();
    if (child == 0) {
        unsetenv("QT_QPA_PLATFORM");
        unsetenv("XDG_SESSION_TYPE");
        for (const auto& [name, value] : {std::pair{"DISPLAY", display}, std::pair{"WAYLAND_DISPLAY", wayland}}) {
            if (value.empty()) {
                unsetenv(name);
            } else {
                setenv(name, value.c_str(), 1);
            }
        }
        setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
        dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
        dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(QINTARA_BINARY)};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    Outcome run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = slurp(out);
    run.err = slurp(err);
    std::remove(out.c_str());
    std::remove(err.c_str());
    rmdir(dir.c_str());
    return run;
}

std::size_t lines(const std::string& text) {
    std::size_t count = 0;
    for (char c : text) count += c == '\n';
    return count;
}

TEST(CommandLine, AnswersWithoutADisplayAndRefusesWhatItDoesNotKnow) {
    struct Case {
        const char* description;
        std::vector<std::string> args;
        std::string display, wayland;
        int exitCode;
        const char* out;  // expected in standard output
        const char* err;  // expected as the only line on standard error, or nothing
    };
    const Case cases[] = {
        {"Help", {"--help"}, "", "", 0, "Usage: qintara [options]", nullptr},
        {"ShortHelp", {"-h"}, "", "", 0, "-v, --version", nullptr},
        {"HelpWithToolkitOptions", {"--help-all"}, "", "", 0, "-platform <name>", nullptr},
        {"Version", {"--version"}, "", "", 0, "qintara 1.5\n", nullptr},
        {"VersionAfterAToolkitOption", {"-platform", "offscreen", "-v"}, "", "", 0, "qintara 1.5\n", nullptr},
        {"UnknownOption", {"--frobnicate"}, "", "", 2, "", "qintara: Unknown option 'frobnicate'."},
        {"StrayArgument", {"letter.doc"}, "", "", 2, "", "qintara: Unexpected argument 'letter.doc'."},
        {"NoDisplayAtAll", {}, "", "", 1, "", "qintara: cannot open a window: DISPLAY is not set and no Wayland compositor is running\n"},
        {"UnreachableXDisplay", {}, ":97", "", 1, "", "cannot connect to the X display \":97\" (DISPLAY)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        const Outcome run = runQintara(c.args, c.display, c.wayland);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
        if (c.err == nullptr) {
            EXPECT_EQ(run.err, "");
        } else {
            EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
            // A usage error adds one line pointing at --help; a missing display says it in one.
            EXPECT_EQ(lines(run.err), c.exitCode == 2 ? 2u : 1u) << run.err;
        }
    }
}

}  // namespace
