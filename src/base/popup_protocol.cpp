#include "base/popup_protocol.h"

#include "base/gbk.h"

namespace kalvoro {

std::string PopupPayload(std::string_view utf8_text) {
    std::string payload = Utf8ToGbk(utf8_text);
    payload.push_back('\0');
    return payload;
}

}  // namespace kalvoro
