#include <string>
#include <vector>

#include "cal_run.h"
#include "console.h"

namespace {

int Run(const std::vector<std::string>& arguments) {
    using namespace kalvoro::cal;
    const RunContext context{LocalNow(), StdoutShowsReverseVideo(), WriteStdout, WriteStderr};
    return RunCal(arguments, context);
}

}  // namespace

#ifdef _WIN32
#include "base/gbk.h"

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(kalvoro::Utf16ToUtf8(reinterpret_cast<const char16_t*>(argv[i])));
    }
    return Run(arguments);
}
#else
int main(int argc, char** argv) {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
