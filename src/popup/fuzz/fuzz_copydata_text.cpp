// The WM_COPYDATA text of the popup program: any block gives a shown text that is valid UTF-8 with
// CR LF line breaks only, and a text the bar sends arrives as it was sent.

#include <string>

#include "base/fuzz/fuzz_check.h"
#include "base/gbk.h"
#include "base/popup_protocol.h"
#include "popup/copydata_text.h"

namespace {

bool ValidUtf8(std::string_view text) {
    return kalvoro::Utf16ToUtf8(kalvoro::Utf8ToUtf16(text)) == text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalvoro;
    const auto block = popup::CopyDataText(data, size);
    FUZZ_CHECK(block.has_value() == (size > 0 && size <= kMaxCopyDataBytes));
    if (!block) return 0;
    FUZZ_CHECK(block->size() <= size && block->find('\0') == std::string_view::npos);

    const std::string shown = popup::DisplayTextFromGbk(*block);
    FUZZ_CHECK(ValidUtf8(shown));
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(shown[i]);
        if (c == '\r') FUZZ_CHECK(i + 1 < shown.size() && shown[i + 1] == '\n');
        if (c == '\n') FUZZ_CHECK(i > 0 && shown[i - 1] == '\r');
        FUZZ_CHECK(c >= 0x20 || c == '\r' || c == '\n' || c == '\t');
        FUZZ_CHECK(c != 0x7F);
    }
    FUZZ_CHECK(shown.empty() || (shown.back() != ' ' && shown.back() != '\n'));
    // A shown text, sent again, is shown as it is.
    const std::string resent = Utf8ToGbk(shown);
    FUZZ_CHECK(popup::DisplayTextFromGbk(resent) == GbkToUtf8(resent));

    // The bar's side: what it sends for the shown text arrives as that text.
    const std::string payload = PopupPayload(shown);
    FUZZ_CHECK(!payload.empty() && payload.back() == '\0');
    const auto received = popup::CopyDataText(payload.data(), payload.size());
    if (payload.size() > kMaxCopyDataBytes) return 0;
    FUZZ_CHECK(received.has_value());
    FUZZ_CHECK(*received == resent);
    return 0;
}
