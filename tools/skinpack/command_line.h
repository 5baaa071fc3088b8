#pragma once
// The program's arguments (without its name) as UTF-8, whatever the console's code page.

#include <string>
#include <vector>

namespace kalvoro::skinpack {

std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace kalvoro::skinpack
