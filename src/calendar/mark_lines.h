#pragma once
// The lines of "Marks.rec": one date mark per line, a name of five ASCII characters (the kind
// digit, "0" Gregorian or "1" lunar, then month and day as "mmdd"), "=", and the note. The file is
// GBK with CR LF line ends; in memory the lines are UTF-8.
//
// A line without "=" still marks its day; it has no note and is named by its whole text, so that
// replacing or deleting that mark reaches it. When several lines share a name, the first counts.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
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
    explicit MarkLines(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    // Lines end at CR LF, LF or CR; blank lines carry no mark and are dropped.
    static MarkLines Parse(std::string_view gbk_bytes);
    // GBK, every line ended by CR LF. A line read with bytes that are not GBK is written back with
    // those very bytes as long as its text is unchanged.
    std::string Serialize() const;

    // A missing or unreadable file gives no lines.
    static MarkLines Load(IFileStore& files, const std::string& path);
    // Sorts, then replaces the file atomically; false (the lines stay) when the store fails.
    bool Save(IFileStore& files, const std::string& path);

    // Text order ignoring ASCII case, so all Gregorian marks come before the lunar ones, each by
    // month and day. Lines that compare equal keep their order.
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
    // Read lines whose bytes do not survive decoding: the decoded text and the bytes as read.
    std::vector<std::pair<std::string, std::string>> undecodable_;
};

}  // namespace kalvoro
