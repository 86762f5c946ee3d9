// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "runtime/application.h"

namespace {

TEST(MessageBox, PlainBoxWithTitleTextAndAChineseOkThatCopiesItsText) {
    struct Seen {
        QString title, text, button;
        QMessageBox::Icon icon = QMessageBox::Warning;
        int buttons = 0;
        Qt::WindowModality modality = Qt::NonModal;
        bool hasParent = true;
        bool selectable = false;
        QString copied;
    } seen;
    QTimer::singleShot(50, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = static_cast<int>(box->buttons().size());
        seen.button = box->buttons().value(0) ? box->buttons()[0]->text() : QString();
        seen.modality = box->windowModality();
        seen.hasParent = box->parentWidget() != nullptr;
        seen.selectable = box->textInteractionFlags() & Qt::TextSelectableByKeyboard;
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        seen.copied = QApplication::clipboard()->text();
        box->buttons()[0]->click();
    });
    rt::messageBox(rt::Text::fromUtf8(" 姓 名 添 写 不 完 整. "), rt::Text::fromUtf8("请输入真实姓名："));
    EXPECT_EQ(seen.title, QString::fromUtf8("请输入真实姓名："));
    EXPECT_EQ(seen.text, QString::fromUtf8(" 姓 名 添 写 不 完 整. "));
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_EQ(seen.button.remove('&'), QString::fromUtf8("确定")) << "Qt's own buttons speak Chinese";
    EXPECT_EQ(seen.modality, Qt::ApplicationModal);
    EXPECT_FALSE(seen.hasParent);
    EXPECT_TRUE(seen.selectable);
    EXPECT_TRUE(seen.copied.contains(QString::fromUtf8("姓 名 添 写 不 完 整.")));
}

}  // namespace
