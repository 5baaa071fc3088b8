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
    const std::string text = GbkToUtf8(gbk_bytes);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        const std::string_view line(text.data() + start, end - start);
        if (!IsBlank(line)) lines.emplace_back(line);
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return MarkLines(std::move(lines));
}

std::string MarkLines::Serialize() const {
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += "\r\n";
    }
    return Utf8ToGbk(text);
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
