#include "online/text_lines.h"

namespace kalvoro {

std::vector<std::string_view> SplitTextLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        lines.push_back(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

std::string JoinTextLines(const std::vector<std::string_view>& lines) {
    std::string text;
    for (const std::string_view line : lines) {
        text.append(line);
        text.append("\r\n");
    }
    return text;
}

std::string_view TrimBlanks(std::string_view text) {
    // Control characters count as blanks, as in the classic Trim.
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}

}  // namespace kalvoro
