// The popup program's command line: the bar's window handle in decimal. The input is the UTF-16
// argument as Windows hands it over (any code units, broken surrogates too).

#include <string>

#include "base/fuzz/fuzz_check.h"
#include "base/gbk.h"
#include "popup/bar_handle_argument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kalvoro::popup::ParseBarHandleArgument;
    std::u16string wide(size / 2, u'\0');
    for (std::size_t i = 0; i < wide.size(); ++i) wide[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    const std::string argument = kalvoro::Utf16ToUtf8(wide);

    const auto handle = ParseBarHandleArgument(argument);
    if (handle) {
        FUZZ_CHECK(*handle != 0);
        // Blanks around the number do not matter.
        FUZZ_CHECK(ParseBarHandleArgument(" \t" + argument + "\t ") == handle);
    }

    // What the bar writes: its handle in decimal, as an unsigned 64-bit or a signed 32-bit number.
    if (size >= 8) {
        std::uint64_t value = 0;
        for (int i = 0; i < 8; ++i) value |= std::uint64_t{data[i]} << (8 * i);
        const auto unsigned_form = ParseBarHandleArgument(std::to_string(value));
        FUZZ_CHECK(value == 0 ? !unsigned_form : unsigned_form == value);
        const auto signed32 = static_cast<std::int32_t>(value);
        const auto signed_form = ParseBarHandleArgument(std::to_string(signed32));
        FUZZ_CHECK(signed32 == 0 ? !signed_form
                                 : signed_form == static_cast<std::uint64_t>(static_cast<std::int64_t>(signed32)));
    }
    return 0;
}
