#include "command_line.h"

namespace kalvoro::skinpack {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
    return arguments;
}

}  // namespace kalvoro::skinpack
