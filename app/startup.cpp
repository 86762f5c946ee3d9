// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "app/constitution_window.h"
#include "app/globals.h"
#include "app/main_window.h"
#include "letter/corpus.h"
#include "resources/embedded.h"

namespace app {
namespace {

const char kBannerPictureTip[] =
    "加入中国共产党是神圣的，软件自动生成的例文只用于写作参考，请熟读软件内的党章，只要做到5个字我们就都是共产党员，那就是 "
    "\"为人民服务\"";
const char kNameBoxTip[] = "请输入正规的人名，不要有英文、不要有数字。";

}  // namespace

int StartUp(rt::Application& application) {
    application.registerExitCleanup(ExitCleanup);
    MainWindow main;
    application.loadStartupWindow(main.window, MainWindowCreated);
    return application.messageLoop();
}

void MainWindowCreated() {
    MainWindow& main = *mainWindow();
    BannerText = rt::Text::fromBytes(res::bannerText);
    main.bannerTimer.setPeriod(100);
    RevealCount = 0;
    Salutation = letter::salutations().respected;
    rt::addTooltip(main.bannerPicture, rt::Text::fromUtf8(kBannerPictureTip));
    rt::addTooltip(main.nameBox, rt::Text::fromUtf8(kNameBoxTip));
    // The gate: the user sees the constitution first and the main window
    // only once it has been closed (never, if the program is ended from it).
    ConstitutionWindow constitution;
    rt::Application::instance().loadModal(constitution.window, ConstitutionWindowCreated);
}

void ExitCleanup() {
    Salutation.release();
    BannerText.release();
    RevealedText.release();
}

}  // namespace app
