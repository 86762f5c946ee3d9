// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>

#include "letter/style_selector.h"
#include "tests/support/fixtures.h"

namespace {

using namespace testing_support;

class StyleSelector : public ::testing::Test {
protected:
    std::unique_ptr<app::MainWindow> window = makeMainWindow();

    rt::CheckBox& box(int n) { return window->window.get<rt::CheckBox>("StyleBox" + std::to_string(n)); }
    void click(int n) { QTest::mouseClick(box(n).widget(), Qt::LeftButton, {}, QPoint(6, 12)); }
    std::string checkedBoxes() {
        std::string out;
        for (int n = 1; n <= 6; ++n) out += box(n).checked() ? std::to_string(n) : "";
        return out;
    }
};

TEST_F(StyleSelector, ClicksActAsOneChoiceAndSetTheGreeting) {
    struct Case {
        const char* name;
        std::vector<int> clicks;
        std::string checked;
        std::string_view salutation;
    } cases[] = {
        {"Untouched", {}, "1", "尊敬的党组织："},
        {"Rousing", {3}, "3", "党组织您好："},
        {"ClearingTheCheckedBoxKeepsItsGreeting", {3, 3}, "", "党组织您好："},
        {"FromNoneToLowKey", {3, 3, 6}, "6", "崇敬的党组织您好："},
        {"SameGreetingPairOneFour", {4}, "4", "尊敬的党组织："},
        {"SameGreetingPairTwoFive", {2, 5}, "5", "敬爱的党组织："},
        {"ClearStartingBox", {1}, "", "尊敬的党组织："},
        {"EveryBoxInTurn", {1, 2, 3, 4, 5, 6}, "6", "崇敬的党组织您好："},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window = makeMainWindow();
        for (int n : c.clicks) click(n);
        EXPECT_EQ(checkedBoxes(), c.checked);
        EXPECT_EQ(app::Salutation.toUtf8(), c.salutation);
    }
}

TEST_F(StyleSelector, SpaceBarOnAFocusedBoxActsLikeAClick) {
    box(3).widget()->setFocus();
    QTest::keyClick(box(3).widget(), Qt::Key_Space);
    EXPECT_EQ(checkedBoxes(), "3");
    EXPECT_EQ(app::Salutation.toUtf8(), "党组织您好：");
}

TEST_F(StyleSelector, NextLetterUsesTheChosenGreeting) {
    MessageRecorder messages;
    FixedClock clock(1000);
    click(3);
    window->nameBox.setText(rt::Text::fromUtf8("张三"));
    QTest::mouseClick(window->generateButton.widget(), Qt::LeftButton);
    const std::string letterText = window->letterBox.text().toUtf8();
    EXPECT_NE(letterText.find("\r\n\r\n\r\n党组织您好：\r\n\r\n"), std::string::npos);
}

}  // namespace
