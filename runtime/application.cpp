// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/application.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QKeyEvent>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTimer>
#include <QTranslator>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>
#include <unistd.h>

#include "runtime/display_failure.h"
#include "runtime/fonts.h"
#include "runtime/midi.h"
#include "runtime/private_files.h"
#include "runtime/qt_text.h"
#include "runtime/window_widget.h"

namespace rt {
namespace {

Application* current = nullptr;
int signalPipe[2] = {-1, -1};

// Every way out ends the process at once: the music worker gets this long to
// stop, and is left behind when it is inside a library call that cannot be
// interrupted.
constexpr std::chrono::milliseconds kMusicStopAtExit{50};

// A program started with SIGHUP or SIGINT ignored (nohup, a shell's
// background job) keeps them ignored; SIGTERM always ends it cleanly.
constexpr int kTakenSignals[] = {SIGTERM, SIGINT, SIGHUP};
bool ignoredWhenInherited(int number) { return number == SIGINT || number == SIGHUP; }

void onSignal(int number) {
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

// Ctrl+C copies the whole box as text, title, message and button, as users
// of message boxes elsewhere expect; a selection in the text copies itself.
class MessageBox : public QMessageBox {
protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!event->matches(QKeySequence::Copy)) {
            QMessageBox::keyPressEvent(event);
            return;
        }
        const QString rule = QStringLiteral("---------------------------\n");
        const QString button = buttons().isEmpty() ? QString() : buttons().first()->text().remove(QLatin1Char('&'));
        QApplication::clipboard()->setText(rule + windowTitle() + QLatin1Char('\n') + rule + text() + QLatin1Char('\n') +
                                           rule + button + QLatin1Char('\n') + rule);
    }
};

// While the toolkit starts, its messages are held back: if it finds no
// window system it ends with a fatal message, and then one line saying what
// is missing replaces them all. Otherwise they are passed on as they came.
struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};
// Other threads the toolkit starts may report too.
std::mutex heldLock;
std::vector<HeldMessage> heldMessages;

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const std::lock_guard lock(heldLock);
    if (type == QtFatalMsg) {
        std::string said;
        for (const HeldMessage& held : heldMessages) said += held.text.toStdString() + '\n';
        said += text.toStdString();
        std::fprintf(stderr, "%s\n", displayFailure(said).c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    heldMessages.push_back({type, context.category != nullptr ? context.category : "", text});
}

void startToolkit(int& argc, char** argv, std::optional<QApplication>& app) {
    // Desktops and Wayland compositors match the windows to the desktop entry by this id.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.vorlane.Qintara"));
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    app.emplace(argc, argv);
    qInstallMessageHandler(previous);
    std::vector<HeldMessage> held;
    {
        const std::lock_guard lock(heldLock);
        held.swap(heldMessages);
    }
    for (const HeldMessage& message : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
        qt_message_output(message.type, context, message.text);
    }
}

MessageBoxHandler& injectedMessageBox() {
    static MessageBoxHandler handler;
    return handler;
}

}  // namespace

struct Application::Toolkit {
    Toolkit(int& argc, char** argv) { startToolkit(argc, argv, app); }
    std::optional<QApplication> app;
    QTranslator qtTranslations;
    std::unique_ptr<QSocketNotifier> signalNotifier;
    struct Modal {
        QEventLoop* loop = nullptr;
        bool destroying = false;
        std::vector<std::pair<QPointer<QWidget>, bool>> disabled;
    };
    std::map<Window*, Modal> modals;
    std::vector<std::pair<int, struct sigaction>> takenSignals;
};

Application::Application(int& argc, char** argv) : toolkit_(std::make_unique<Toolkit>(argc, argv)) {
    current = this;
    QApplication::setFont(interfaceFont());
    // Qt's own buttons and dialogs speak Chinese, like the rest of the program.
    if (toolkit_->qtTranslations.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&toolkit_->qtTranslations);
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));

    // A termination signal ends the application the ordinary way, so the exit
    // clean-up still runs once.
    if (::pipe(signalPipe) == 0) {
        toolkit_->signalNotifier = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
        QObject::connect(toolkit_->signalNotifier.get(), &QSocketNotifier::activated, [this] {
            char byte = 0;
            if (::read(signalPipe[0], &byte, 1) == 1) endApplication(128 + byte);
        });
        for (int number : kTakenSignals) {
            struct sigaction inherited {};
            if (::sigaction(number, nullptr, &inherited) != 0) continue;
            if (ignoredWhenInherited(number) && inherited.sa_handler == SIG_IGN) continue;
            std::signal(number, onSignal);
            toolkit_->takenSignals.emplace_back(number, inherited);
        }
    }
}

Application::~Application() {
    runExitCleanup();
    stopMidiWithin(kMusicStopAtExit);
    for (const auto& [number, inherited] : toolkit_->takenSignals) ::sigaction(number, &inherited, nullptr);
    toolkit_->signalNotifier.reset();
    for (int& end : signalPipe) {
        if (end >= 0) ::close(end);
        end = -1;
    }
    current = nullptr;
}

Application& Application::instance() { return *current; }

void Application::registerExitCleanup(std::function<void()> routine) { exitCleanup_ = std::move(routine); }

void Application::runExitCleanup() {
    if (cleanedUp_) return;
    cleanedUp_ = true;
    if (exitCleanup_) exitCleanup_();
    // A letter handed to the printer is not left behind on disk.
    removePrivateFiles();
}

void Application::loadStartupWindow(Window& window, const Handler& created) {
    window.centre();
    if (created) created();
    if (!ending_) window.widget()->show();
}

int Application::messageLoop() {
    int code = exitCode_;
    if (!ending_) code = QApplication::exec();
    runExitCleanup();
    stopMidiWithin(kMusicStopAtExit);
    return ending_ ? exitCode_ : code;
}

void Application::loadModal(Window& window, const Handler& created) {
    auto& modal = toolkit_->modals[&window];
    auto* widget = static_cast<WindowWidget*>(window.widget());
    widget->onCloseRequest = [this, &window] { destroyWindow(window); };
    window.centre();
    if (created) created();
    if (!ending_) {
        widget->show();
        for (QWidget* other : QApplication::topLevelWidgets()) {
            if (other == widget || dynamic_cast<WindowWidget*>(other) == nullptr) continue;
            modal.disabled.emplace_back(other, other->isEnabled());
            other->setEnabled(false);
        }
        QEventLoop loop;
        modal.loop = &loop;
        if (!modal.destroying) loop.exec();
        modal.loop = nullptr;
    }
    for (auto& [other, wasEnabled] : modal.disabled) {
        if (other) other->setEnabled(wasEnabled);
    }
    widget->onCloseRequest = nullptr;
    widget->hide();
    toolkit_->modals.erase(&window);
}

void Application::destroyWindow(Window& window) {
    const auto found = toolkit_->modals.find(&window);
    if (found == toolkit_->modals.end()) {
        window.widget()->hide();
        return;
    }
    if (found->second.destroying) return;
    found->second.destroying = true;
    // Carried out once the current handler has returned.
    QTimer::singleShot(0, [this, &window] {
        const auto modal = toolkit_->modals.find(&window);
        if (modal != toolkit_->modals.end() && modal->second.loop != nullptr) modal->second.loop->quit();
    });
}

void Application::endApplication(int exitCode) {
    if (ending_) return;
    ending_ = true;
    exitCode_ = exitCode;
    for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
    runExitCleanup();
    stopMidiWithin(kMusicStopAtExit);
    for (auto& [window, modal] : toolkit_->modals) {
        if (modal.loop != nullptr) modal.loop->quit();
    }
    QApplication::exit(exitCode);
}

void exitProcess(int exitCode) {
    if (midiWorkersRunning()) {
        // The library tear-down of an ordinary exit would wait for the music
        // worker's library call, or run under it.
        std::fflush(nullptr);
        std::_Exit(exitCode);
    }
    std::exit(exitCode);
}

void setMessageBoxHandler(MessageBoxHandler handler) { injectedMessageBox() = std::move(handler); }

void messageBox(const Text& text, const Text& title) {
    if (injectedMessageBox()) {
        injectedMessageBox()(text, title);
        return;
    }
    MessageBox box;
    box.setWindowTitle(toQString(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(toQString(text));
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

}  // namespace rt
