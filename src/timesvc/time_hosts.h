#pragma once
// "TimeHost.lst": one time server per line (host name or dotted address), GBK, CR LF.

#include <cstddef>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace kalvoro {

inline constexpr char kTimeHostFileName[] = "TimeHost.lst";
inline constexpr std::size_t kMaxHostNameLength = 253;

// The server names of the file's bytes, in file order. A name never holds blanks, so blanks and
// tabs around it are dropped, and lines left empty are skipped: an edited file with a stray blank
// or an empty last line must not make every other attempt fail. Lines longer than a host name can
// be, or holding control characters, are skipped too.
std::vector<std::string> ParseTimeHosts(std::string_view gbk_bytes);

// Draws one of `count` lines, each as likely as the others; count must be at least 1.
std::size_t ChooseHostIndex(std::size_t count, std::mt19937& random);

}  // namespace kalvoro
