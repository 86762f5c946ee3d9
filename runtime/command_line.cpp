// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace rt {
namespace {

constexpr int kUsageError = 2;

const char kDescription[] =
    "Writes sample application letters for membership of the Communist Party of China.\n"
    "Takes no arguments: everything is done in its windows.";

// The toolkit's own options, which QApplication reads from the same command
// line; listed so that they are not refused as unknown.
struct ToolkitOption {
    const char* name;
    const char* value;  // null for a switch
    const char* description;
};
constexpr ToolkitOption kToolkitOptions[] = {
    {"platform", "name", "Window system plugin to use (xcb, wayland, offscreen, ...)."},
    {"platformpluginpath", "path", "Folder to load window system plugins from."},
    {"platformtheme", "name", "Desktop theme plugin to use."},
    {"plugin", "name", "Additional input plugin to load."},
    {"qwindowgeometry", "geometry", "Position and size of the first window."},
    {"qwindowicon", "icon", "Icon of the windows."},
    {"qwindowtitle", "title", "Title of the first window."},
    {"session", "id", "Session to restore."},
    {"display", "display", "X display to use, in place of DISPLAY."},
    {"geometry", "geometry", "Position and size of the first window."},
    {"style", "style", "Widget style."},
    {"stylesheet", "file", "Style sheet to apply."},
    {"reverse", nullptr, "Lay the windows out right to left."},
    {"widgetcount", nullptr, "Print the number of widgets left at exit."},
    {"nograb", nullptr, "Never grab the mouse or the keyboard."},
    {"dograb", nullptr, "Grab even under a debugger."},
    {"sync", nullptr, "Talk to the X server synchronously (for debugging)."},
};

void usageError(const QString& message) {
    std::fprintf(stderr, "qintara: %s\nTry 'qintara --help' for more information.\n", qUtf8Printable(message));
}

QString toolkitHelp() {
    QString text = QStringLiteral("\nQt options:\n");
    for (const ToolkitOption& option : kToolkitOptions) {
        QString name = QStringLiteral("-") + QString::fromLatin1(option.name);
        if (option.value != nullptr) name += QStringLiteral(" <%1>").arg(QString::fromLatin1(option.value));
        text += QStringLiteral("  %1  %2\n").arg(name, -30).arg(QString::fromUtf8(option.description));
    }
    return text;
}

}  // namespace

std::optional<int> answerCommandLine(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("qintara"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QINTARA_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(kDescription));
    // Qt's options are single-dash words (-platform xcb).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    for (const ToolkitOption& option : kToolkitOptions) {
        QCommandLineOption toolkit(QString::fromLatin1(option.name));
        if (option.value != nullptr) toolkit.setValueName(QString::fromLatin1(option.value));
        toolkit.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(toolkit);
    }

    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    if (!parser.parse(arguments)) {
        usageError(parser.errorText());
        return kUsageError;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // With no application object yet, Qt cannot know the program's name.
        QString text = parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("qintara"));
        if (parser.isSet(QStringLiteral("help-all"))) text += toolkitHelp();
        std::fputs(qUtf8Printable(text), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("qintara %s\n", QINTARA_VERSION);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        usageError(QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first()));
        return kUsageError;
    }
    return std::nullopt;
}

}  // namespace rt
