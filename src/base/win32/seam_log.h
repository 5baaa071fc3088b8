#pragma once
// The program's watching seams for end-to-end tests: an environment variable, read once at start,
// names a log file, and the program appends one UTF-8 line to it for each thing it does there
// (a file opened, a sound command, a balloon). A failed write is ignored: a seam only watches.

#include <string>
#include <string_view>

namespace kalvoro::win {

// The variable's value; empty when it is not set or is longer than a path can be.
std::wstring SeamLogFile(const wchar_t* variable);

// Appends `line` as it is (the caller ends it) to the file, creating the file when needed.
void AppendSeamLine(const std::wstring& log_file, std::string_view line);

}  // namespace kalvoro::win
