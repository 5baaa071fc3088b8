#pragma once
// The lines of "Marks.rec": one date mark per line, a name of five ASCII characters (the kind
// digit, "0" Gregorian or "1" lunar, then month and day as "mmdd"), "=", and the note. The file is
// GBK with CR LF line ends; in memory the lines are UTF-8.
//
// Bytes the code page does not decode show as U+FFFD; a line saved unchanged keeps its bytes.
//
// A line without "=" still marks its day; it has no note and is named by its whole text, so that
// replacing or deleting that mark reaches it. When several lines share a name, the first counts.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_store.h"

namespace kalvoro {

inline constexpr std::string_view kMarksFileName = "Marks.rec";

struct MarkLineParts {
    std::string_view name;
    std::string_view note;
};
MarkLineParts SplitMarkLine(std::string_view line);

class MarkLines {
public:
    MarkLines() = default;
    explicit MarkLines(std::vector<std::string> lines) : lines_(std::move(lines)), file_bytes_(lines_.size()) {}

    // Lines end at CR LF, LF or CR; blank lines carry no mark and are dropped.
    static MarkLines Parse(std::string_view gbk_bytes);
    std::string Serialize() const;  // GBK, every line ended by CR LF

    // A missing or unreadable file gives no lines.
    static MarkLines Load(IFileStore& files, const std::string& path);
    // Sorts, then replaces the file atomically; false (the lines stay) when the store fails.
    bool Save(IFileStore& files, const std::string& path);

    // Names in text order ignoring ASCII case, so all Gregorian marks come before the lunar ones,
    // each by month and day. Lines of one name keep their order: the first of a name stays first.
    void Sort();

    std::optional<std::size_t> IndexOfName(std::string_view name) const;
    // Empty when no line has that name.
    std::string NoteOf(std::string_view name) const;

    // Replaces the first line of that name, or adds one at the end; returns its index. Line breaks
    // in the note become blanks, so a note can never turn into a line of its own.
    std::size_t Put(std::string_view name, std::string_view note);
    void Replace(std::size_t index, std::string_view name, std::string_view note);
    void RemoveAt(std::size_t index);

    std::size_t size() const { return lines_.size(); }
    bool empty() const { return lines_.empty(); }
    const std::string& operator[](std::size_t index) const { return lines_[index]; }
    const std::vector<std::string>& lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
    // For each line, its bytes as read when they do not survive decoding and encoding again; empty
    // for lines that encode to their bytes and for lines changed since.
    std::vector<std::string> file_bytes_;
};

}  // namespace kalvoro
