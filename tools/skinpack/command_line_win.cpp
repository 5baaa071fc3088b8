#include <windows.h>
#include <shellapi.h>

#include "base/gbk.h"
#include "command_line.h"

namespace kalvoro::skinpack {

// argv holds the arguments in the ANSI code page, which loses characters; the wide command line
// does not.
std::vector<std::string> CommandLineArguments(int, char**) {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return arguments;
    for (int i = 1; i < count; ++i) {
        arguments.push_back(Utf16ToUtf8(reinterpret_cast<const char16_t*>(wide[i])));
    }
    LocalFree(wide);
    return arguments;
}

}  // namespace kalvoro::skinpack
