// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace rt {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of input; each byte that cannot be read is replaced by
    // `replacement` (already in the target encoding) and skipped.
    std::string convert(std::string_view input, std::string_view replacement) {
        std::string out;
        out.reserve(input.size() * 3 / 2 + 16);
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(handle_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (result != static_cast<std::size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL (cut short at the end): keep a visible mark.
            out += replacement;
            ++in;
            --inLeft;
        }
        return out;
    }

private:
    iconv_t handle_;
};

}  // namespace

std::string utf8ToGb18030(std::string_view utf8) {
    thread_local Converter converter("GB18030", "UTF-8");
    return converter.convert(utf8, "\x84\x31\xA4\x37");  // U+FFFD in GB18030
}

std::string gb18030ToUtf8(std::string_view gb18030) {
    thread_local Converter converter("UTF-8", "GB18030");
    return converter.convert(gb18030, "\xEF\xBF\xBD");
}

std::string toCrLf(std::string_view lf) {
    std::string out;
    out.reserve(lf.size() + lf.size() / 16);
    for (std::size_t i = 0; i < lf.size(); ++i) {
        if (lf[i] == '\n' && (i == 0 || lf[i - 1] != '\r')) out += '\r';
        out += lf[i];
    }
    return out;
}

std::string toLf(std::string_view crlf) {
    std::string out;
    out.reserve(crlf.size());
    for (std::size_t i = 0; i < crlf.size(); ++i) {
        if (crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n') continue;
        out += crlf[i];
    }
    return out;
}

}  // namespace rt
