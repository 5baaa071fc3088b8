// "skin.ini" and every other settings file: any bytes parse, every listed value reads, and what
// the program writes reads back the same.

#include <optional>
#include <string>
#include <vector>

#include "base/file_store.h"
#include "base/fuzz/fuzz_check.h"
#include "base/gbk.h"
#include "base/ini_file.h"

namespace {

using kalvoro::IniDocument;

// A name or value read from the file that the writer takes as it is: it survives the GBK round
// trip (no undecodable bytes) and holds no line break.
bool Writable(const std::string& utf8) {
    return utf8.find_first_of("\r\n") == std::string::npos && kalvoro::GbkToUtf8(kalvoro::Utf8ToGbk(utf8)) == utf8;
}

struct Entry {
    std::string section;
    std::string key;
    std::string value;
};

// Every lookup reads the document from its start, so the checks stop after the first entries.
constexpr std::size_t kMaxEntries = 24;

std::vector<Entry> ReadEverything(const IniDocument& document) {
    std::vector<Entry> entries;
    for (const std::string& section : document.SectionNames()) {
        FUZZ_CHECK(document.HasSection(section) || !Writable(section));
        for (const std::string& key : document.KeyNames(section)) {
            if (!Writable(section) || !Writable(key) || entries.size() == kMaxEntries) continue;
            const std::optional<std::string> value = document.Value(section, key);
            FUZZ_CHECK(value.has_value());
            if (entries.size() < 4) {
                FUZZ_CHECK(document.ReadString(section, key, "") == *value);
                const std::optional<int> number = kalvoro::ParseIniInteger(*value);
                FUZZ_CHECK(document.ReadInteger(section, key, 7) == number.value_or(7));
                FUZZ_CHECK(document.ReadBool(section, key, true) == (number ? *number != 0 : true));
            }
            entries.push_back({section, key, *value});
        }
    }
    return entries;
}

// Printable ASCII without blanks at either end: the writer stores and the reader returns it as it is.
bool PlainValue(std::string_view value) {
    if (value.size() > 2047) return false;
    for (const char c : value) {
        if (c < 0x20 || c > 0x7E) return false;
    }
    return value.empty() || (value.front() != ' ' && value.back() != ' ');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = kalvoro::fuzz::Bytes(data, size);
    const IniDocument document = IniDocument::Parse(bytes);

    // Writing the document and reading it again gives the same lines, byte for byte.
    const std::string serialized = document.Serialize();
    FUZZ_CHECK(IniDocument::Parse(serialized).Serialize() == serialized);

    const std::vector<Entry> entries = ReadEverything(document);

    // Writing back what was read changes no value, and the file written reads back the same.
    IniDocument rewritten = document;
    std::size_t budget = 8;
    for (const Entry& entry : entries) {
        if (budget-- == 0) break;
        if (Writable(entry.value)) rewritten.Write(entry.section, entry.key, entry.value);
    }
    const IniDocument reread = IniDocument::Parse(rewritten.Serialize());
    for (const Entry& entry : entries) {
        if (!Writable(entry.value)) continue;
        FUZZ_CHECK(rewritten.Value(entry.section, entry.key) == entry.value);
        FUZZ_CHECK(reread.Value(entry.section, entry.key) == entry.value);
    }

    // A new value, taken from the input itself, next to whatever the file holds.
    const std::string value = kalvoro::GbkToUtf8(bytes.substr(0, 96));
    rewritten.Write("Fuzz", "Value", value);
    const std::optional<std::string> stored = rewritten.Value("Fuzz", "Value");
    FUZZ_CHECK(stored.has_value());
    if (PlainValue(value)) FUZZ_CHECK(*stored == value);
    FUZZ_CHECK(IniDocument::Parse(rewritten.Serialize()).Value("Fuzz", "Value") == stored);
    // Writing the value read back is a fixed point.
    rewritten.Write("Fuzz", "Value", *stored);
    FUZZ_CHECK(rewritten.Value("Fuzz", "Value") == stored);

    // The same file on disk, through the settings-file interface.
    kalvoro::MemoryFileStore files;
    files.Put("skin.ini", std::string(bytes));
    kalvoro::IniFile ini(files, "skin.ini");
    const int left = ini.ReadInteger("BAR", "Left", 0);
    FUZZ_CHECK(ini.WriteInteger("BAR", "Left", left + (left < 0 ? 1 : -1)));
    FUZZ_CHECK(ini.ReadInteger("BAR", "Left", 0) == left + (left < 0 ? 1 : -1));
    FUZZ_CHECK(ini.WriteString("SKIN", "SkinFile", "默认.sk"));
    FUZZ_CHECK(ini.ReadString("SKIN", "SkinFile", "") == "默认.sk");
    return 0;
}
