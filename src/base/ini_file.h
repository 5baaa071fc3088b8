#pragma once
// Windows initialisation files as the program uses them: sections in square brackets, key=value
// lines. Section and key names match without regard to ASCII case; a value is the text after the
// first "=" with surrounding blanks removed, at most 2047 characters (GBK bytes, never splitting a
// character). Lines before the first section and lines starting with ";" are not values. When a
// section name appears twice only the first counts, as with the Win32 profile functions. Files are
// GBK, usually with CR LF line ends (LF alone and a UTF-8 byte order mark are read too); values
// cross this interface as UTF-8. Unlike Win32, quotes around a value are kept.
//
// Integers: decimal, optionally signed; "0x"/"0X" or "$" prefix reads hexadecimal (32-bit, so
// "$FFFFFFFF" is -1); anything else, or a missing key, gives the default. Booleans are integers
// written "1"/"0", any value other than 0 reading true.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_store.h"

namespace kalvoro {

// Reads an integer the way the settings file does; nothing when the text is not a number.
std::optional<int> ParseIniInteger(std::string_view text);

// A parsed file held in memory (skin descriptions are read this way, from a package).
class IniDocument {
public:
    IniDocument() = default;
    static IniDocument Parse(std::string_view gbk_bytes);
    std::string Serialize() const;  // GBK bytes, CR LF line ends

    bool HasSection(std::string_view section) const;
    bool HasKey(std::string_view section, std::string_view key) const;
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;  // UTF-8
    std::vector<std::string> SectionNames() const;
    std::vector<std::string> KeyNames(std::string_view section) const;

    int ReadInteger(std::string_view section, std::string_view key, int default_value) const;
    bool ReadBool(std::string_view section, std::string_view key, bool default_value) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view default_value) const;

    // Keeps every other line; adds the section at the end and the key at the end of its section
    // when missing. Names that would not read back (a key with "=", a section with "]", line
    // breaks, an empty key) are refused; line breaks inside a value become blanks.
    void Write(std::string_view section, std::string_view key, std::string_view utf8_value);
    // Both erase from every section of that name.
    void EraseKey(std::string_view section, std::string_view key);
    void EraseSection(std::string_view section);

private:
    std::vector<std::string> lines_;  // GBK, without line ends
};

// A settings file on disk: every access opens it by name, reads or writes one value and closes it.
// A write replaces the file atomically (the old or the new content survives a crash).
class IniFile {
public:
    IniFile(IFileStore& files, std::string path) : files_(files), path_(std::move(path)) {}

    int ReadInteger(std::string_view section, std::string_view key, int default_value) const;
    bool ReadBool(std::string_view section, std::string_view key, bool default_value) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view default_value) const;

    // False when the name is refused, the file exists but cannot be read, or the store fails.
    bool WriteInteger(std::string_view section, std::string_view key, int value);
    bool WriteBool(std::string_view section, std::string_view key, bool value);
    bool WriteString(std::string_view section, std::string_view key, std::string_view utf8_value);

    IniDocument Load() const;
    const std::string& path() const { return path_; }

private:
    IFileStore& files_;
    std::string path_;
};

}  // namespace kalvoro
