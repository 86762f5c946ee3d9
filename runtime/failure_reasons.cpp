// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/failure_reasons.h"

#include <cerrno>
#include <string>

namespace rt {
namespace {

struct Reason {
    int error;
    const char* text;
};

constexpr Reason kReasons[] = {
    {ENOENT, "文件夹不存在"},
    {ENOTDIR, "路径中有一项不是文件夹"},
    {EACCES, "没有写入的权限"},
    {EPERM, "没有写入的权限"},
    {ENOSPC, "磁盘空间不足"},
    {EROFS, "文件系统是只读的"},
    {ENAMETOOLONG, "文件名太长"},
    {EDQUOT, "超出了磁盘配额"},
    {EFBIG, "文件超过了允许的大小"},
    {EISDIR, "已有同名的文件夹"},
    {ELOOP, "路径中的链接层数太多"},
    {EIO, "读写磁盘时出错"},
    {EMFILE, "打开的文件太多"},
    {ENFILE, "打开的文件太多"},
    {EBUSY, "文件正被占用"},
    {ETXTBSY, "文件正被占用"},
    {ENXIO, "设备不可用"},
    {ENODEV, "设备不可用"},
};

constexpr char kOtherBefore[] = "系统错误（错误码 ";
constexpr char kOtherAfter[] = "）";
constexpr char kPlantedLink[] = "这是其他用户在共享文件夹中建立的链接，为了安全不能通过它写入";
constexpr char kNotAFile[] = "这个名字属于设备或其他特殊文件，不是普通文件";
constexpr char kReplacedFile[] = "临时文件在打印前被替换了";

}  // namespace

Text systemReason(int error) {
    for (const Reason& reason : kReasons) {
        if (reason.error == error) return Text::fromUtf8(reason.text);
    }
    return Text::fromUtf8(kOtherBefore + std::to_string(error) + kOtherAfter);
}

Text plantedLinkReason() { return Text::fromUtf8(kPlantedLink); }

Text notAFileReason() { return Text::fromUtf8(kNotAFile); }

Text replacedFileReason() { return Text::fromUtf8(kReplacedFile); }

}  // namespace rt
