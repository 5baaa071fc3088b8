// The bar program's first command-line parameter: "/hide" (in any case, with blanks and control
// characters around it) starts it hidden, anything else does not. The input is the UTF-16 parameter
// as Windows hands it over (any code units, broken surrogates too).

#include <string>

#include "app/settings.h"
#include "base/fuzz/fuzz_check.h"
#include "base/gbk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string wide(size / 2, u'\0');
    for (std::size_t i = 0; i < wide.size(); ++i) wide[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    const std::string parameter = kalvoro::Utf16ToUtf8(wide);

    const bool hide = kalvoro::IsHideSwitch(parameter);
    FUZZ_CHECK(kalvoro::IsHideSwitch("\t " + parameter + "\r\n") == hide);
    if (hide) {
        // Only the five letters of the switch remain once blanks and control characters go.
        std::string letters;
        for (const char c : parameter) {
            if (static_cast<unsigned char>(c) > ' ') letters += static_cast<char>(c | 0x20);
        }
        FUZZ_CHECK(letters == "/hide");
    }
    return 0;
}
