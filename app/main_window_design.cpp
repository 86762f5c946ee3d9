// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window_design.h"

#include "resources/embedded.h"

namespace app {
namespace {

using rt::Align;
using rt::ControlDesign;
using T = rt::ControlType;

constexpr rt::Rgb kRed{255, 0, 0};

// The maker's home page; a reserved name until the program has a home of its own.
constexpr std::string_view kMakerAddress = "http://vorlane.example/";

const ControlDesign kControls[] = {
    {.name = "SaveDialog", .unitName = "通用对话框1", .type = T::CommonDlg},
    {.name = "SaveButton", .unitName = "超级按钮3", .type = T::SuperBtn, .left = 332, .top = 552, .width = 160, .height = 24,
     .tabStop = true, .text = "保 存", .tooltip = "点击后保存为WORD文件。"},
    {.name = "OffscreenBoxB", .unitName = "编辑框98", .type = T::EditBox, .parent = "BannerPicture", .left = 256, .top = -136,
     .width = 80, .height = 20, .tabStop = true},
    {.name = "OffscreenBoxA", .unitName = "编辑框19", .type = T::EditBox, .left = 32, .top = -128, .width = 248, .height = 20,
     .tabStop = true},
    {.name = "ForbiddenCharsBox", .unitName = "编辑框6", .type = T::EditBox, .left = 352, .top = -128, .width = 80, .height = 20,
     .tabStop = true, .text = "abcdefghijklmnopqrstuvwxyz1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
    {.name = "WordDocumentsObject", .unitName = "Word文档集1", .type = T::WordDocuments, .parent = "PersonalGroup"},
    {.name = "WordAppObject", .unitName = "Word程序1", .type = T::WordApp, .parent = "PersonalGroup"},
    {.name = "MakerLink", .unitName = "超级链接框1", .type = T::HyperLinker, .left = 494, .top = 75, .width = 199, .height = 17,
     .text = "Vorlane：vorlane.example     V1.5", .link = kMakerAddress},
    {.name = "CountLabel", .unitName = "标签6", .type = T::Label, .left = 8, .top = 555, .width = 93, .height = 16,
     .align = Align::Centre},
    {.name = "GenerateButton", .unitName = "超级按钮2", .type = T::SuperBtn, .left = 122, .top = 552, .width = 190, .height = 24,
     .tabStop = true, .text = "生 成", .tooltip = "点击生成入党申请书范文，每次点击生成的范文都不相同。"},
    {.name = "PrintButton", .unitName = "超级按钮1", .type = T::SuperBtn, .left = 518, .top = 552, .width = 160, .height = 24,
     .tabStop = true, .text = "打 印", .tooltip = "如果电脑连接打印机，可直接打印输出。"},
    {.name = "BannerTimer", .unitName = "时钟1", .type = T::Timer},
    {.name = "BannerLabel", .unitName = "标签5", .type = T::Label, .left = 10, .top = 73, .width = 470, .height = 18,
     .align = Align::Centre, .raised = true, .colour = kRed, .ticker = true},
    {.name = "LetterBox", .unitName = "编辑框5", .type = T::EditBox, .parent = "LetterGroup", .left = 2, .top = 19, .width = 694,
     .height = 308, .tabStop = true, .accessibleName = "入党申请书范文", .multiLine = true,
     .spacedLayout = true},
    {.name = "LetterGroup", .unitName = "分组框3", .type = T::GroupBox, .left = 0, .top = 219, .width = 699, .height = 329,
     .text = "入党申请书范文生成："},
    {.name = "StyleBox6", .unitName = "选择框6", .type = T::CheckBox, .parent = "StyleGroup", .left = 601, .top = 21, .width = 80,
     .height = 24, .tabStop = true, .text = "低调型"},
    {.name = "StyleBox5", .unitName = "选择框5", .type = T::CheckBox, .parent = "StyleGroup", .left = 495, .top = 21, .width = 80,
     .height = 24, .tabStop = true, .text = "开放型"},
    {.name = "StyleBox4", .unitName = "选择框4", .type = T::CheckBox, .parent = "StyleGroup", .left = 388, .top = 21, .width = 80,
     .height = 24, .tabStop = true, .text = "保守型"},
    {.name = "StyleBox3", .unitName = "选择框3", .type = T::CheckBox, .parent = "StyleGroup", .left = 281, .top = 21, .width = 80,
     .height = 24, .tabStop = true, .text = "激昂型"},
    {.name = "StyleBox2", .unitName = "选择框2", .type = T::CheckBox, .parent = "StyleGroup", .left = 173, .top = 21, .width = 80,
     .height = 24, .tabStop = true, .text = "稳重型"},
    {.name = "StyleBox1", .unitName = "选择框1", .type = T::CheckBox, .parent = "StyleGroup", .left = 64, .top = 21, .width = 80,
     .height = 24, .tabStop = true, .text = "进取型", .checked = true},
    {.name = "PersonalGroup", .unitName = "分组框1", .type = T::GroupBox, .left = 0, .top = 92, .width = 699, .height = 63,
     .text = "个人资料 （除姓名外其余可选择性添写）："},
    {.name = "StyleGroup", .unitName = "分组框2", .type = T::GroupBox, .left = 0, .top = 160, .width = 699, .height = 55,
     .text = "风格设置："},
    {.name = "AgeBox", .unitName = "编辑框4", .type = T::EditBox, .parent = "PersonalGroup", .left = 597, .top = 22, .width = 80,
     .height = 20, .tabStop = true, .accessibleName = "年龄"},
    {.name = "AgeLabel", .unitName = "标签4", .type = T::Label, .parent = "PersonalGroup", .left = 558, .top = 21, .width = 32,
     .height = 24, .text = "年龄："},
    {.name = "PositionLabel", .unitName = "标签3", .type = T::Label, .parent = "PersonalGroup", .left = 375, .top = 21,
     .width = 32, .height = 24, .text = "职务："},
    {.name = "PositionBox", .unitName = "编辑框3", .type = T::EditBox, .parent = "PersonalGroup", .left = 414, .top = 22,
     .width = 80, .height = 20, .tabStop = true, .accessibleName = "职务"},
    {.name = "UnitBox", .unitName = "编辑框2", .type = T::EditBox, .parent = "PersonalGroup", .left = 239, .top = 22, .width = 80,
     .height = 20, .tabStop = true, .accessibleName = "单位"},
    {.name = "UnitLabel", .unitName = "标签2", .type = T::Label, .parent = "PersonalGroup", .left = 200, .top = 21, .width = 32,
     .height = 24, .text = "单位："},
    {.name = "NameBox", .unitName = "编辑框1", .type = T::EditBox, .parent = "PersonalGroup", .left = 71, .top = 22, .width = 80,
     .height = 20, .tabStop = true, .accessibleName = "姓名"},
    {.name = "NameLabel", .unitName = "标签1", .type = T::Label, .parent = "PersonalGroup", .left = 32, .top = 21, .width = 32,
     .height = 24, .text = "姓名："},
    {.name = "BannerPicture", .unitName = "图片框1", .type = T::PicBox, .left = 0, .top = 0, .width = 704, .height = 72,
     .picture = res::bannerJpeg, .picture2x = res::bannerJpegAt2x},
};

// Largest first, as the window's icon lists its images.
const std::string_view kIcons[] = {res::icon128, res::icon48, res::icon32, res::icon24, res::icon16};
const std::string_view kIcons2x[] = {res::icon128At2x, res::icon48At2x, res::icon32At2x, res::icon24At2x, res::icon16At2x};

}  // namespace

const rt::WindowDesign& mainWindowDesign() {
    static const rt::WindowDesign design{
        .name = "MainWindow",
        .caption = " Qintara (申请书范文生成)                 [Vorlane]",
        .outerWidth = 705,
        .outerHeight = 611,
        .clientWidth = 699,
        .clientHeight = 579,
        .systemMenu = true,
        .minimiseBox = true,
        .escapeCloses = false,
        .icons = kIcons,
        .icons2x = kIcons2x,
        .controls = kControls,
    };
    return design;
}

}  // namespace app
