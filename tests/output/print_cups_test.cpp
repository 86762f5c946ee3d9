// SPDX-License-Identifier: GPL-3.0-or-later
// Printing for real: a private CUPS server with a default queue, the Print
// button of the main window, and the document the server was handed.
#include <gtest/gtest.h>

#include "runtime/print_engine.h"
#include "tests/support/fixtures.h"
#include "tests/support/private_cups.h"

namespace {

using namespace testing_support;

// One server for the whole binary, started before anything asks CUPS for
// printers (libcups keeps the first server it is told of).
class CupsServer : public ::testing::Environment {
public:
    void SetUp() override { cups = std::make_unique<PrivateCups>(); }
    void TearDown() override { cups.reset(); }
    static inline std::unique_ptr<PrivateCups> cups;
};
const auto* const kCups = ::testing::AddGlobalTestEnvironment(new CupsServer);

class PrintCupsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(cups().error().isEmpty()) << cups().error().toStdString();
        rt::setAutomationServer(nullptr);
        main->window.widget()->show();
        main->nameBox.setText(rt::Text::fromUtf8("张三"));
        QTest::mouseClick(main->generateButton.widget(), Qt::LeftButton);
        messages.shown.clear();
    }
    static PrivateCups& cups() { return *CupsServer::cups; }
    QString letterUnicode() const { return QString::fromStdString(main->letterBox.text().toUtf8()); }

    FixedClock clock{31337};
    std::unique_ptr<app::MainWindow> main = makeMainWindow();
    MessageRecorder messages;
};

TEST_F(PrintCupsTest, ThePrintButtonHandsTheLetterToTheDefaultPrinterOnA4) {
    ASSERT_TRUE(cups().addQueue(QStringLiteral("Letters"), true));
    const qsizetype before = cups().jobDocuments().size();
    QTest::mouseClick(main->printButton.widget(), Qt::LeftButton);
    EXPECT_TRUE(messages.shown.empty());
    // The job is in the server's hands by the time the click returns.
    const QStringList jobs = cups().jobDocuments();
    ASSERT_EQ(jobs.size(), before + 1);
    const QStringList pages = pdfPageSizes(jobs.back());
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_EQ(pages, QStringList(pages.size(), QStringLiteral("A4")));
    EXPECT_TRUE(holdsText(pdfText(jobs.back()), letterUnicode()))
        << "printed:\n" << pdfText(jobs.back()).toStdString() << "\n=====\nletter:\n" << letterUnicode().toStdString();
    EXPECT_EQ(cups().jobTitles().value(jobs.size() - 1), QStringLiteral("入党申请书")) << "the job is named for the document";
    EXPECT_TRUE(cups().removeQueue(QStringLiteral("Letters")));
}

TEST_F(PrintCupsTest, WithoutADefaultPrinterTheEngineSaysSoAndNoJobIsMade) {
    ASSERT_TRUE(cups().addQueue(QStringLiteral("Spare"), false));
    const qsizetype before = cups().jobDocuments().size();
    QTest::mouseClick(main->printButton.widget(), Qt::LeftButton);
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{rt::noPrinterMessage(rt::Text::fromUtf8("入党申请书")).toUtf8(),
                                                          rt::printEngineTitle().toUtf8()}}));
    EXPECT_EQ(cups().jobDocuments().size(), before);
    EXPECT_TRUE(cups().removeQueue(QStringLiteral("Spare")));
}

}  // namespace
