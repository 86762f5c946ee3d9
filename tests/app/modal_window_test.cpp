// SPDX-License-Identifier: GPL-3.0-or-later
// While a message box or the save dialog is open, nothing reaches the main
// window's handlers: not a press sent over the accessibility bus, not a
// click made by a program. The real dialogs are shown here, not recorded.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <set>

#include "runtime/save_dialog.h"
#include "runtime/widgets.h"
#include "tests/support/fixtures.h"

namespace {

using namespace testing_support;

void pressOverAccessibility(QWidget* control) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    ASSERT_NE(accessible, nullptr);
    ASSERT_NE(accessible->actionInterface(), nullptr);
    const QString action = accessible->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction())
                               ? QAccessibleActionInterface::pressAction()
                               : QAccessibleActionInterface::toggleAction();
    accessible->actionInterface()->doAction(action);
}

// Every dialog that appears while it watches, until it starts closing them
// (what follows a closed dialog, such as the message that no file was
// chosen, is not counted), and whether any was open on top of another one.
class DialogWatch {
public:
    DialogWatch() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            int open = 0;
            for (QWidget* top : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QDialog*>(top);
                if (dialog == nullptr || !dialog->isVisible()) continue;
                if (!closing_) seen_.insert(dialog);
                ++open;
            }
            stacked_ = stacked_ || open > 1;
            if (closing_) {
                if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
            }
        });
        timer_.start(10);
    }
    // From now on every dialog is closed as soon as it is seen.
    void closeAll() { closing_ = true; }
    std::size_t seen() const { return seen_.size(); }
    bool stacked() const { return stacked_; }

private:
    QTimer timer_;
    std::set<QDialog*> seen_;
    bool stacked_ = false;
    bool closing_ = false;
};

TEST(ModalWindow, HandlersBeneathDoNothingWhilstItIsOpen) {
    struct Case {
        const char* name;
        const char* opener;  // the button whose handler opens the modal window
        const char* typedName;
    } cases[] = {
        {"MessageBox", "GenerateButton", ""},
        {"SaveDialog", "SaveButton", "张三"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<app::MainWindow> main = makeMainWindow();
        main->window.widget()->show();
        main->nameBox.setText(rt::Text::fromUtf8(c.typedName));
        main->letterBox.setText(rt::Text::fromUtf8("一封信"));
        auto* style = static_cast<QCheckBox*>(main->window.find("StyleBox3")->widget());
        int linksOpened = 0;
        rt::setUrlOpener([&](const QString&) { return ++linksOpened > 0; });
        const rt::Text salutation = app::Salutation;

        DialogWatch watch;
        bool probed = false;
        QTimer probe;
        QObject::connect(&probe, &QTimer::timeout, [&] {
            if (probed || QApplication::activeModalWidget() == nullptr) return;
            probed = true;
            // An accessible press is an animated click, carried out 100 ms
            // later. Set first, so that a dialog the presses open is closed too.
            QTimer::singleShot(400, [&] { watch.closeAll(); });
            for (const char* button : {"GenerateButton", "SaveButton", "PrintButton"}) {
                SCOPED_TRACE(button);
                QWidget* control = main->window.find(button)->widget();
                pressOverAccessibility(control);
                static_cast<QPushButton*>(control)->click();
            }
            for (const QString& action : QAccessible::queryAccessibleInterface(style)->actionInterface()->actionNames())
                QAccessible::queryAccessibleInterface(style)->actionInterface()->doAction(action);
            style->click();
            pressOverAccessibility(main->window.find("MakerLink")->widget());
        });
        probe.start(10);

        static_cast<QPushButton*>(main->window.find(c.opener)->widget())->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return probed && QApplication::activeModalWidget() == nullptr; }, 10000));

        EXPECT_TRUE(probed);
        EXPECT_EQ(watch.seen(), 1u) << "a handler beneath the modal window opened another one";
        EXPECT_FALSE(watch.stacked());
        EXPECT_EQ(app::Salutation.toUtf8(), salutation.toUtf8()) << "a style box beneath the modal window changed the salutation";
        EXPECT_FALSE(style->isChecked());
        EXPECT_EQ(main->letterBox.text().toUtf8(), "一封信");
        EXPECT_EQ(linksOpened, 0);
        rt::setUrlOpener(nullptr);
    }
}

TEST(ModalWindow, AnAccessiblePressWithNoModalWindowOpenIsTheUsers) {
    MessageRecorder messages;
    std::unique_ptr<app::MainWindow> main = makeMainWindow();
    main->window.widget()->show();
    pressOverAccessibility(main->generateButton.widget());
    QTest::qWait(300);
    EXPECT_EQ(messages.shown.size(), 1u);
}

}  // namespace
