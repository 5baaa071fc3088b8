#include "popup/copydata_text.h"

#include <cstring>

#include "base/gbk.h"
#include "base/popup_protocol.h"

namespace kalvoro::popup {

std::optional<std::string_view> CopyDataText(const void* data, std::size_t size) {
    if (data == nullptr || size == 0 || size > kMaxCopyDataBytes) return std::nullopt;
    const char* bytes = static_cast<const char*>(data);
    const void* nul = std::memchr(bytes, '\0', size);
    const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : size;
    return std::string_view(bytes, length);
}

std::string DisplayTextFromGbk(std::string_view gbk) {
    const std::string utf8 = GbkToUtf8(gbk);
    std::string shown;
    shown.reserve(utf8.size() + 16);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c == '\r') {
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
            shown += "\r\n";
        } else if (c == '\n') {
            shown += "\r\n";
        } else if (c == '\t' || (c >= 0x20 && c != 0x7F)) {
            shown += static_cast<char>(c);
        } else {
            shown += ' ';
        }
    }
    const std::size_t end = shown.find_last_not_of(" \t\r\n");
    shown.resize(end == std::string::npos ? 0 : end + 1);
    return shown;
}

}  // namespace kalvoro::popup
