// SPDX-License-Identifier: GPL-3.0-or-later
// Shared test helpers: a main window with the start-up state, recorded
// message boxes and a fixed clock.
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QTest>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/globals.h"
#include "app/main_window.h"
#include "letter/corpus.h"
#include "runtime/application.h"
#include "runtime/clock.h"

namespace testing_support {

struct ShownMessage {
    std::string text;   // UTF-8
    std::string title;  // UTF-8
    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

// Records every message box instead of showing it, for the fixture's lifetime.
class MessageRecorder {
public:
    MessageRecorder() {
        rt::setMessageBoxHandler([this](const rt::Text& text, const rt::Text& title) {
            shown.push_back({text.toUtf8(), title.toUtf8()});
        });
    }
    ~MessageRecorder() { rt::setMessageBoxHandler(nullptr); }
    std::vector<ShownMessage> shown;
};

// Every tick reading returns `tick`; the date is fixed.
class FixedClock {
public:
    explicit FixedClock(std::uint32_t tick, rt::DateTime now = {2024, 3, 7, 14, 5, 9}) : tick_(tick) {
        rt::setClockSource({[this] { return tick_; }, [now] { return now; }});
    }
    ~FixedClock() { rt::setClockSource({}); }
    void set(std::uint32_t tick) { tick_ = tick; }

private:
    std::uint32_t tick_;
};

// A main window in the state start-up leaves it in (its created steps that
// concern the letter), with the globals reset as at process start.
inline std::unique_ptr<app::MainWindow> makeMainWindow() {
    app::Salutation = letter::salutations().respected;
    app::OpeningPickMemory = 0;
    app::RevealCount = 0;
    app::RevealedText.release();
    app::BannerText.release();
    return std::make_unique<app::MainWindow>();
}

inline QPlainTextEdit* letterWidget(app::MainWindow& window) {
    return static_cast<QPlainTextEdit*>(window.letterBox.widget());
}

// Types text the way an input method commits it (QTest::keyClicks cannot
// send characters outside Latin-1).
void typeText(QWidget* widget, const QString& text);

}  // namespace testing_support
