// "Marks.rec": any bytes load into the calendar's mark lists, and saving what was loaded writes
// every line back byte for byte (sorted), undecodable bytes included.

#include <algorithm>
#include <string>
#include <vector>

#include "base/file_store.h"
#include "base/fuzz/fuzz_check.h"
#include "calendar/calendar_marks.h"
#include "calendar/festival_list.h"
#include "calendar/mark_lines.h"

namespace {

using namespace kalvoro;

// The file's non-blank lines as bytes, split the way the reader splits them.
std::vector<std::string> RawLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view line = bytes.substr(start, end - start);
        if (line.find_first_not_of(" \t") != std::string_view::npos) lines.emplace_back(line);
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = kalvoro::fuzz::Bytes(data, size);
    MemoryFileStore files;
    files.Put("Marks.rec", std::string(bytes));

    TFestivalList lists = TFestivalList::WithoutDefaults();
    CalendarMarks marks(files, "Marks.rec", lists);
    marks.Load();
    for (const std::string& line : marks.Lines().lines()) {
        const MarkLineParts parts = SplitMarkLine(line);
        FUZZ_CHECK(marks.Lines().IndexOfName(parts.name).has_value());
        (void)MarkListRow(line);
    }

    // Saved unchanged: the file is not rewritten at all.
    const std::size_t line_count = marks.Lines().size();
    FUZZ_CHECK(marks.Save());
    FUZZ_CHECK(*files.ReadAll("Marks.rec") == std::string(bytes));
    // What a save writes once something changed: the same lines, sorted, each one as it was.
    MarkLines sorted = marks.Lines();
    sorted.Sort();
    const std::string saved = sorted.Serialize();
    std::vector<std::string> expected = RawLines(bytes);
    std::vector<std::string> written = RawLines(saved);
    FUZZ_CHECK(written.size() == line_count);
    std::sort(expected.begin(), expected.end());
    std::sort(written.begin(), written.end());
    FUZZ_CHECK(written == expected);
    // Reading the saved file and saving again changes nothing.
    FUZZ_CHECK(MarkLines::Parse(saved).Serialize() == saved);

    // A mark set from the menu reads back with its note; a line break cannot split it.
    FUZZ_CHECK(marks.SetMark("00505", "端午\r\n节"));
    const MarkLines reread = MarkLines::Load(files, "Marks.rec");
    FUZZ_CHECK(reread.NoteOf("00505") == "端午  节");
    FUZZ_CHECK(reread.size() == marks.Lines().size());
    return 0;
}
