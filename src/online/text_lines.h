#pragma once
// Text cut into lines the way the announcement and notice files are read: CR LF, lone LF and lone
// CR each end a line, and a break at the very end does not start another (empty) line.

#include <string>
#include <string_view>
#include <vector>

namespace kalvoro {

std::vector<std::string_view> SplitTextLines(std::string_view text);
// The lines joined with CR LF after each one, as the program saves text files.
std::string JoinTextLines(const std::vector<std::string_view>& lines);
std::string_view TrimBlanks(std::string_view text);

}  // namespace kalvoro
