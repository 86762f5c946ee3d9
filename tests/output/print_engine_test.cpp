// SPDX-License-Identifier: GPL-3.0-or-later
// The document-print engine on a machine with no CUPS server: printing to a
// file shows what it makes of a document, and a print to the (missing)
// default printer gets the engine's own message.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdlib>

#include "output/print.h"
#include "runtime/print_engine.h"
#include "tests/support/fixtures.h"
#include "tests/support/private_cups.h"

namespace {

using namespace testing_support;

// Before anything in this process asks CUPS for printers: libcups keeps the
// first server it is told of.
class NoCupsServer : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        setenv("CUPS_SERVER", dir.filePath(QStringLiteral("no-cupsd.sock")).toLocal8Bit().constData(), 1);
    }
    QTemporaryDir dir;
};
const auto* const kNoCups = ::testing::AddGlobalTestEnvironment(new NoCupsServer);

rt::PrintOutValues toFile(const QString& pdf) {
    rt::PrintOutValues v;
    v.background = 1;
    v.copies = 1;
    v.printToFile = 1;
    v.outputFileName = rt::Text::fromUtf8(pdf.toStdString());
    v.zoomPaperWidth = 11907;
    v.zoomPaperHeight = 16839;
    return v;
}

QList<QPlainTextEdit*> shownDocuments() {
    QList<QPlainTextEdit*> shown;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* view = qobject_cast<QPlainTextEdit*>(w); view != nullptr && view->isVisible()) shown << view;
    }
    return shown;
}

// Median height of the words pdftotext finds: it grows with the font size.
double medianWordHeight(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    static const QRegularExpression word(QStringLiteral("yMin=\"([0-9.]+)\"[^>]*yMax=\"([0-9.]+)\""));
    std::vector<double> heights;
    for (auto it = word.globalMatch(QString::fromUtf8(process.readAllStandardOutput())); it.hasNext();) {
        const auto m = it.next();
        heights.push_back(m.captured(2).toDouble() - m.captured(1).toDouble());
    }
    if (heights.empty()) return 0;
    std::nth_element(heights.begin(), heights.begin() + static_cast<long>(heights.size() / 2), heights.end());
    return heights[heights.size() / 2];
}

class PrintEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        rt::setAutomationServer(nullptr);
        main->nameBox.setText(rt::Text::fromUtf8("张三"));
        QTest::mouseClick(main->generateButton.widget(), Qt::LeftButton);
        letterFile = dir.filePath(QStringLiteral("letter.txt"));
        QFile file(letterFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(main->letterBox.text().bytes()));
        messages.shown.clear();
    }
    rt::Text letterPath() const { return rt::Text::fromUtf8(letterFile.toStdString()); }
    QString letterUnicode() const { return QString::fromStdString(main->letterBox.text().toUtf8()); }
    void setLetterFile(const QString& text) {
        QFile file(letterFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray::fromStdString(rt::Text::fromUtf8(text.toStdString()).bytes()));
    }
    // Prints the letter file to a PDF at the given size; the PDF's path.
    QString printAt(double points, const char* name) {
        const QString pdf = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(main->wordApp.create());
        EXPECT_TRUE(main->wordDocuments.bind(main->wordApp, false));
        main->wordDocuments.setSelectionFontSize(points);
        EXPECT_TRUE(main->wordDocuments.open(letterPath()));
        main->wordDocuments.printOut(toFile(pdf));
        main->wordDocuments.close();
        main->wordApp.quit();
        return pdf;
    }

    QTemporaryDir dir;
    QString letterFile;
    FixedClock clock{4242};
    std::unique_ptr<app::MainWindow> main = makeMainWindow();
    MessageRecorder messages;
};

TEST_F(PrintEngineTest, PrintsTheWholeTextFileOnA4AtTheSelectionFontSize) {
    const QString pdf = printAt(14, "letter14.pdf");
    const QStringList pages = pdfPageSizes(pdf);
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_EQ(pages, QStringList(pages.size(), QStringLiteral("A4")));
    EXPECT_TRUE(holdsText(pdfText(pdf), letterUnicode()))
        << "printed:\n" << pdfText(pdf).toStdString() << "\n=====\nletter:\n" << letterUnicode().toStdString();
    EXPECT_TRUE(messages.shown.empty());

    // The size set on the selection is the size the document is printed in.
    const QString small = printAt(7, "letter7.pdf");
    EXPECT_NEAR(medianWordHeight(pdf) / medianWordHeight(small), 2.0, 0.25);
    EXPECT_GT(pages.size(), pdfPageSizes(small).size());
}

TEST_F(PrintEngineTest, ShowsTheDocumentOnlyWhileVisibleAndForgetsItOnCloseAndQuit) {
    ASSERT_TRUE(main->wordApp.create());
    ASSERT_TRUE(main->wordDocuments.bind(main->wordApp, false));
    ASSERT_TRUE(main->wordDocuments.open(letterPath()));
    EXPECT_TRUE(shownDocuments().isEmpty()) << "a started word processor is invisible";
    main->wordApp.setVisible(1);
    ASSERT_EQ(shownDocuments().size(), 1);
    EXPECT_EQ(shownDocuments().front()->toPlainText(), letterUnicode().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    main->wordApp.setVisible(0);
    EXPECT_TRUE(shownDocuments().isEmpty());
    main->wordApp.setVisible(1);
    main->wordDocuments.close();
    EXPECT_TRUE(shownDocuments().isEmpty()) << "a closed document is gone";
    main->wordApp.quit();
    EXPECT_FALSE(main->wordDocuments.open(letterPath())) << "a word processor that quit opens nothing";
    EXPECT_FALSE(main->wordDocuments.bind(main->wordApp, false));
}

TEST_F(PrintEngineTest, OpeningAMissingFileGivesNoDocumentAndPrintsNothing) {
    ASSERT_TRUE(main->wordApp.create());
    ASSERT_TRUE(main->wordDocuments.bind(main->wordApp, false));
    EXPECT_FALSE(main->wordDocuments.open(rt::Text::fromUtf8(dir.filePath(QStringLiteral("missing.txt")).toStdString())));
    const QString pdf = dir.filePath(QStringLiteral("none.pdf"));
    main->wordDocuments.printOut(toFile(pdf));
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintEngineTest, WithoutAPrinterThePrintButtonGetsOnlyTheEnginesOwnMessage) {
    QTest::mouseClick(main->printButton.widget(), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown.front().title, rt::printEngineTitle().toUtf8());
    EXPECT_EQ(messages.shown.front().text, rt::noPrinterMessage(rt::Text::fromUtf8("入党申请书")).toUtf8());
    EXPECT_NE(messages.shown.front().text.find("打印机"), std::string::npos);
    EXPECT_TRUE(shownDocuments().isEmpty());
}

// Laid out whole, a text's coordinates overflow after some 2,800 pages at
// printer resolution: the rest of the letter went missing and the last page
// came out garbled. Large type makes the pages cheap to check.
TEST_F(PrintEngineTest, PrintsEveryLineOfALetterHoweverLong) {
    struct Case {
        const char* name;
        double points;
        QString text;
        int minimumPages;
    } cases[] = {
        {"ThousandsOfPages", 72,
         [] {
             QStringList lines;
             for (int i = 1; i <= 21000; ++i) lines << QString::number(i);
             return lines.join(QStringLiteral("\r\n"));
         }(),
         3000},
        // One paragraph, laid out a piece at a time, wraps as if laid out whole.
        {"OneLongParagraph", 14,
         [] {
             QString text;
             for (int i = 1; i <= 4000; ++i) text += QStringLiteral("第%1句。").arg(i);
             return text;
         }(),
         10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setLetterFile(c.text);
        const QString pdf = printAt(c.points, "long.pdf");
        const QStringList pages = pdfPageSizes(pdf);
        EXPECT_GE(pages.size(), c.minimumPages);
        EXPECT_EQ(pages.count(QStringLiteral("A4")), pages.size());
        QString printed = pdfText(pdf);
        printed.remove(QRegularExpression(QStringLiteral("\\s")));
        QString want = c.text;
        want.remove(QRegularExpression(QStringLiteral("\\s")));
        EXPECT_TRUE(printed == want) << "printed " << printed.size() << " of " << want.size() << " characters; ends with "
                                     << printed.right(40).toStdString();
    }
}

// A print of more than a few pages shows its progress in a modal dialog and
// the windows go on painting (their timers tick) while it runs.
TEST_F(PrintEngineTest, ALongPrintShowsItsProgressAndKeepsTheWindowsPainting) {
    QStringList lines;
    for (int i = 1; i <= 3000; ++i) lines << QStringLiteral("第%1行：入党申请书").arg(i);
    setLetterFile(lines.join(QStringLiteral("\r\n")));
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(5);
    QStringList seen;
    bool keptAfterEscape = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(w);
            if (progress == nullptr || !progress->isVisible() || !progress->isModal()) continue;
            seen << progress->windowTitle() + QLatin1Char('|') + progress->labelText();
            // Once begun, the job prints whole: Escape does not take the dialog away.
            QTest::keyClick(progress, Qt::Key_Escape);
            keptAfterEscape = progress->isVisible();
        }
    });
    watcher.start(0);
    printAt(14, "progress.pdf");
    EXPECT_FALSE(seen.isEmpty());
    if (!seen.isEmpty()) {
        EXPECT_TRUE(seen.back().startsWith(QString::fromStdString(rt::printEngineTitle().toUtf8()) + QStringLiteral("|正在打印“letter”")))
            << seen.back().toStdString();
    }
    EXPECT_GT(ticks, 0);
    EXPECT_TRUE(keptAfterEscape);

    // A letter of a page or two shows nothing and dispatches nothing.
    setLetterFile(QStringLiteral("入党申请书\r\n尊敬的党组织："));
    seen.clear();
    ticks = 0;
    printAt(14, "short.pdf");
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_EQ(ticks, 0);
}

}  // namespace
