#pragma once
// The text a WM_COPYDATA from the bar carries: GBK bytes, NUL-terminated within cbData.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kalvoro::popup {

// The GBK bytes up to the first NUL within the block (all of it when it holds no NUL). Nothing
// when the block is refused: no data, no bytes, or more than kMaxCopyDataBytes.
std::optional<std::string_view> CopyDataText(const void* data, std::size_t size);

// The GBK text as it is shown, in UTF-8: bytes that are not GBK become U+FFFD, every line break
// (CR LF, lone CR, lone LF) becomes CR LF, tabs stay, other control characters become blanks,
// and trailing blanks and empty lines are dropped.
std::string DisplayTextFromGbk(std::string_view gbk);

}  // namespace kalvoro::popup
