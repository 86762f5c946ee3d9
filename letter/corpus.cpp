// SPDX-License-Identifier: GPL-3.0-or-later
#include "letter/corpus.h"

#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "resources/embedded.h"

namespace letter {
namespace {

using rt::Text;

std::string spaces(int count) { return std::string(static_cast<std::size_t>(count), ' '); }

const std::array<std::vector<Text>, kPoolCount>& pools() {
    static const auto loaded = [] {
        std::array<std::vector<Text>, kPoolCount> out;
        const std::array<std::span<const std::string_view>, kPoolCount> raw = {res::pool1, res::pool2, res::pool3, res::pool4};
        for (std::size_t k = 0; k < raw.size(); ++k) {
            for (std::string_view bytes : raw[k]) out[k].push_back(Text::fromBytes(bytes));
        }
        return out;
    }();
    return loaded;
}

}  // namespace

int poolSize(int pool) { return static_cast<int>(pools().at(static_cast<std::size_t>(pool - 1)).size()); }

const rt::Text& entry(int pool, int n) {
    return pools().at(static_cast<std::size_t>(pool - 1)).at(static_cast<std::size_t>(n - 1));
}

const Salutations& salutations() {
    static const Salutations texts{
        Text::fromUtf8("尊敬的党组织："),
        Text::fromUtf8("敬爱的党组织："),
        Text::fromUtf8("党组织您好："),
        Text::fromUtf8("崇敬的党组织您好："),
    };
    return texts;
}

const FrameTexts& frame() {
    static const FrameTexts texts{
        .titleLine = Text::fromUtf8(spaces(33) + "入 党 申 请 书\r\n\r\n\r\n"),
        .signatureLead = Text::fromUtf8("\r\n\r\n    申请人： "),
        .dateLead = Text::fromUtf8("\r\n    申请日期： "),
        .dateMarker = Text::fromUtf8("日"),
        .closingLine = Text::fromUtf8("\r\n\r\n\r\n" + spaces(44) + "此 致"),
        .saluteLine = Text::fromUtf8("\r\n\r\n\r\n" + spaces(69) + "敬 礼"),
        .countLead = Text::fromUtf8("生成："),
        .countTail = Text::fromUtf8(" 字"),
        .lineEnd = Text::fromUtf8("\r\n"),
    };
    return texts;
}

const ComposerMessages& composerMessages() {
    static const ComposerMessages texts{
        .nameMissing = Text::fromUtf8(" 请添写你的姓名，再生成入党申请书范文。"),
        .nameChars = Text::fromUtf8(" 姓 名 不 能 包 含 英 文 及 数 字. "),
        .nameShort = Text::fromUtf8(" 姓 名 添 写 不 完 整. "),
        .nameInvisible = Text::fromUtf8("姓名中含有不可见的控制字符，请重新填写。"),
        .noticeTitle = Text::fromUtf8("提 示："),
        .realNameTitle = Text::fromUtf8("请输入真实姓名："),
    };
    return texts;
}

}  // namespace letter
