// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/constitution_window_design.h"

namespace app {
namespace {

using rt::ControlDesign;
using T = rt::ControlType;

constexpr rt::Rgb kBlack{0, 0, 0};
constexpr rt::Rgb kPaper{236, 236, 236};

// The two text boxes get their texts when the window is built
// (ConstitutionWindow): the texts are GB18030 already, the designs hold UTF-8.
const ControlDesign kControls[] = {
    {.name = "ConstitutionTabs", .unitName = "选择夹1", .type = T::Tab, .left = 0, .top = 0, .width = 661, .height = 552,
     .pages = {" 总 纲： ", " 党 章： "}},
    {.name = "GeneralProgramBox", .unitName = "编辑框1", .type = T::EditBox, .parent = "ConstitutionTabs/1", .left = 2,
     .top = 22, .width = 658, .height = 528, .tabStop = true, .accessibleName = "总纲", .multiLine = true,
     .border = false, .colour = kBlack, .background = kPaper},
    {.name = "ArticlesBox", .unitName = "编辑框2", .type = T::EditBox, .parent = "ConstitutionTabs/2", .left = 2, .top = 22,
     .width = 658, .height = 528, .tabStop = true, .accessibleName = "党章", .multiLine = true, .border = false,
     .colour = kBlack, .background = kPaper},
    {.name = "OffscreenBox", .unitName = "编辑框98", .type = T::EditBox, .parent = "ConstitutionTabs/1", .left = 0,
     .top = -128, .width = 80, .height = 20, .tabStop = true},
    {.name = "ReadButton", .unitName = "超级按钮1", .type = T::SuperBtn, .left = 93, .top = 557, .width = 227, .height = 28,
     .tabStop = true, .text = "以上党章内容我以熟读", .tooltip = "以上党章内容我以熟读.", .focusRect = true},
    {.name = "NotReadButton", .unitName = "超级按钮2", .type = T::SuperBtn, .left = 371, .top = 556, .width = 222,
     .height = 28, .tabStop = true, .text = "没有熟读党章内容", .tooltip = "没有熟读党章内容。", .focusRect = true},
};

}  // namespace

const rt::WindowDesign& constitutionWindowDesign() {
    static const rt::WindowDesign design{
        .name = "ConstitutionWindow",
        .caption = "                               中国共产党.党章",
        .outerWidth = 667,
        .outerHeight = 620,
        .clientWidth = 661,
        .clientHeight = 588,
        .systemMenu = false,
        .minimiseBox = false,
        .escapeCloses = true,
        .controls = kControls,
    };
    return design;
}

}  // namespace app
