#include "calendar/mark_lines.h"

#include <algorithm>

#include "base/file_store_names.h"
#include "base/gbk.h"

namespace kalvoro {
namespace {

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::string MakeLine(std::string_view name, std::string_view note) {
    std::string line(name);
    line += '=';
    for (const char c : note) line += (c == '\r' || c == '\n') ? ' ' : c;
    return line;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), file_store_names::LessIgnoringCase);
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return file_store_names::ToLowerAscii(x) == file_store_names::ToLowerAscii(y);
           });
}

}  // namespace

MarkLineParts SplitMarkLine(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return {line, {}};
    return {line.substr(0, equals), line.substr(equals + 1)};
}

MarkLines MarkLines::Parse(std::string_view gbk_bytes) {
    // The bytes are cut into lines before decoding: no GBK trail byte is a CR or LF, so a line end
    // never falls inside a character.
    MarkLines parsed;
    std::size_t start = 0;
    while (start < gbk_bytes.size()) {
        std::size_t end = gbk_bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = gbk_bytes.size();
        const std::string_view raw = gbk_bytes.substr(start, end - start);
        std::string line = GbkToUtf8(raw);
        if (!IsBlank(line)) {
            // Bytes that are not GBK decode to U+FFFD; the line keeps its bytes until it is edited.
            if (Utf8ToGbk(line) != raw) parsed.undecodable_.emplace_back(line, std::string(raw));
            parsed.lines_.push_back(std::move(line));
        }
        if (end < gbk_bytes.size() && gbk_bytes[end] == '\r' && end + 1 < gbk_bytes.size() &&
            gbk_bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return parsed;
}

std::string MarkLines::Serialize() const {
    std::string bytes;
    // Two lines may decode alike from different bytes: each kept line is used once.
    std::vector<bool> used(undecodable_.size(), false);
    for (const std::string& line : lines_) {
        std::size_t kept = 0;
        while (kept < undecodable_.size() && (used[kept] || undecodable_[kept].first != line)) ++kept;
        if (kept < undecodable_.size()) {
            used[kept] = true;
            bytes += undecodable_[kept].second;
        } else {
            bytes += Utf8ToGbk(line);
        }
        bytes += "\r\n";
    }
    return bytes;
}

MarkLines MarkLines::Load(IFileStore& files, const std::string& path) {
    const std::optional<std::string> bytes = files.ReadAll(path);
    if (!bytes) return {};
    return Parse(*bytes);
}

bool MarkLines::Save(IFileStore& files, const std::string& path) {
    Sort();
    return files.WriteAtomic(path, Serialize());
}

void MarkLines::Sort() {
    std::stable_sort(lines_.begin(), lines_.end(), LessIgnoringCase);
}

std::optional<std::size_t> MarkLines::IndexOfName(std::string_view name) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (SameIgnoringCase(SplitMarkLine(lines_[i]).name, name)) return i;
    }
    return std::nullopt;
}

std::string MarkLines::NoteOf(std::string_view name) const {
    const std::optional<std::size_t> index = IndexOfName(name);
    if (!index) return {};
    return std::string(SplitMarkLine(lines_[*index]).note);
}

std::size_t MarkLines::Put(std::string_view name, std::string_view note) {
    if (const std::optional<std::size_t> index = IndexOfName(name)) {
        Replace(*index, name, note);
        return *index;
    }
    lines_.push_back(MakeLine(name, note));
    return lines_.size() - 1;
}

void MarkLines::Replace(std::size_t index, std::string_view name, std::string_view note) {
    if (index < lines_.size()) lines_[index] = MakeLine(name, note);
}

void MarkLines::RemoveAt(std::size_t index) {
    if (index < lines_.size()) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace kalvoro
