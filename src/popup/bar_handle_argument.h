#pragma once
// The bar starts the popup program with its window handle in decimal as the only argument.

#include <cstdint>
#include <optional>
#include <string_view>

namespace kalvoro::popup {

// The handle value, or nothing when the text is not a non-zero decimal number that a window
// handle can hold. Surrounding blanks are ignored; a negative number (a handle printed as a signed
// 32-bit value) is taken as its sign-extended form, which is how 64-bit Windows widens handles.
std::optional<std::uint64_t> ParseBarHandleArgument(std::string_view text);

}  // namespace kalvoro::popup
