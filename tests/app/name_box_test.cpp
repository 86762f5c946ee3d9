// SPDX-License-Identifier: GPL-3.0-or-later
// The name box holds one line: what the user pastes or commits is cut at its
// first line break, so a pasted block cannot add lines to the letter.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

#include "tests/support/fixtures.h"

namespace {

using namespace testing_support;

class NameBoxTest : public ::testing::Test {
protected:
    MessageRecorder messages;
    FixedClock clock{1000};
    std::unique_ptr<app::MainWindow> main = makeMainWindow();
    QLineEdit* box() { return static_cast<QLineEdit*>(main->nameBox.widget()); }
};

TEST_F(NameBoxTest, KeepsOnlyTheFirstLineOfWhatIsPutIn) {
    enum class Way { Paste, InputMethod };
    struct Case {
        const char* name;
        Way way;
        QString before;
        int caret;
        QString putIn;
        QString want;
    } cases[] = {
        {"PastedBlock", Way::Paste, "", 0, "张三\n李四\n申请日期： 1999年1月1日", "张三"},
        {"PastedWindowsLines", Way::Paste, "", 0, "张三\r\n李四", "张三"},
        {"PastedIntoTheMiddle", Way::Paste, "王五", 1, "小\n明", "王小五"},
        {"PastedLineBreakFirst", Way::Paste, "王五", 2, "\n李四", "王五"},
        {"PastedSingleLine", Way::Paste, "王五", 1, "小", "王小五"},
        {"CommittedBlock", Way::InputMethod, "", 0, "张三\n李四", "张三"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        main->nameBox.setText(rt::Text::fromUtf8(c.before.toStdString()));
        box()->setFocus();
        box()->setCursorPosition(c.caret);
        if (c.way == Way::Paste) {
            QApplication::clipboard()->setText(c.putIn);
            QTest::keyClick(box(), Qt::Key_V, Qt::ControlModifier);
        } else {
            typeText(box(), c.putIn);
        }
        EXPECT_EQ(box()->text(), c.want);
    }
}

TEST_F(NameBoxTest, APastedBlockSignsTheLetterWithItsFirstLineOnly) {
    QApplication::clipboard()->setText(QStringLiteral("张三\n李四\n申请日期： 1999年1月1日"));
    box()->setFocus();
    QTest::keyClick(box(), Qt::Key_V, Qt::ControlModifier);
    QTest::mouseClick(main->generateButton.widget(), Qt::LeftButton);
    ASSERT_TRUE(messages.shown.empty());
    const std::string letter = main->letterBox.text().toUtf8();
    EXPECT_NE(letter.find("申请人： 张三\r\n\r\n    申请日期： 2024年3月7日"), std::string::npos);
    EXPECT_EQ(letter.find("李四"), std::string::npos);
    EXPECT_EQ(letter.find("1999"), std::string::npos);
}

}  // namespace
