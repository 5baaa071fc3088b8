#pragma once
// skinpack: makes, takes apart and describes skin packages.
//
//   skinpack pack <description.ini> <picture.bmp> <package.sk|.cl>
//   skinpack unpack <package> <folder>
//   skinpack info <package>
//
// Exit codes: 0 done, 1 the input is unusable or a file could not be read or written, 2 wrong
// command line.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "base/file_store.h"

namespace kalvoro::skinpack {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct Environment {
    IFileStore& files;
    std::ostream& out;
    std::ostream& err;
    // Creates a folder and its parents; true when it exists afterwards.
    std::function<bool(const std::string& folder)> create_folder;
};

// arguments without the program name, UTF-8.
int Run(const std::vector<std::string>& arguments, Environment& environment);

}  // namespace kalvoro::skinpack
