// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for start-up time: a bare Qt window holding one CJK label,
// with the same font set up as Qintara's.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("sans-serif")});
    font.setPixelSize(12);
    QApplication::setFont(font);
    QWidget window;
    window.setFixedSize(699, 579);
    QLabel label(QStringLiteral("入党申请书范文生成"), &window);
    label.move(20, 20);
    window.show();
    return QApplication::exec();
}
