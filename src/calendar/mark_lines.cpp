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

bool LessIgnoringCase(std::string_view a, std::string_view b) {
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
    // CR and LF are never part of a two-byte character, so the bytes split into lines as they are.
    MarkLines marks;
    std::size_t start = 0;
    while (start < gbk_bytes.size()) {
        std::size_t end = gbk_bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = gbk_bytes.size();
        const std::string_view bytes = gbk_bytes.substr(start, end - start);
        if (!IsBlank(bytes)) {
            std::string line = GbkToUtf8(bytes);
            marks.file_bytes_.emplace_back(Utf8ToGbk(line) == bytes ? std::string_view() : bytes);
            marks.lines_.push_back(std::move(line));
        }
        if (end < gbk_bytes.size() && gbk_bytes[end] == '\r' && end + 1 < gbk_bytes.size() &&
            gbk_bytes[end + 1] == '\n') {
            ++end;
        }
        start = end + 1;
    }
    return marks;
}

std::string MarkLines::Serialize() const {
    std::string bytes;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        bytes += file_bytes_[i].empty() ? Utf8ToGbk(lines_[i]) : file_bytes_[i];
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
    std::vector<std::size_t> order(lines_.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return LessIgnoringCase(SplitMarkLine(lines_[a]).name, SplitMarkLine(lines_[b]).name);
    });
    std::vector<std::string> lines;
    std::vector<std::string> file_bytes;
    lines.reserve(order.size());
    file_bytes.reserve(order.size());
    for (const std::size_t i : order) {
        lines.push_back(std::move(lines_[i]));
        file_bytes.push_back(std::move(file_bytes_[i]));
    }
    lines_ = std::move(lines);
    file_bytes_ = std::move(file_bytes);
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
    file_bytes_.emplace_back();
    return lines_.size() - 1;
}

void MarkLines::Replace(std::size_t index, std::string_view name, std::string_view note) {
    if (index >= lines_.size()) return;
    lines_[index] = MakeLine(name, note);
    file_bytes_[index].clear();
}

void MarkLines::RemoveAt(std::size_t index) {
    if (index >= lines_.size()) return;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
    file_bytes_.erase(file_bytes_.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace kalvoro
