#pragma once
// Every file the program keeps lives beside the executable. The core reaches the disk only
// through this interface; paths are UTF-8 and may use "\" as the separator (the Windows form the
// program builds from AppDir), which the POSIX store maps to "/".

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvoro {

class IFileStore {
public:
    virtual ~IFileStore() = default;
    // The whole file as bytes, or nothing when it is missing or unreadable.
    virtual std::optional<std::string> ReadAll(const std::string& path) = 0;
    // Replaces the file so that a crash or power cut leaves either the old or the new content.
    virtual bool WriteAtomic(const std::string& path, std::string_view bytes) = 0;
    virtual bool Exists(const std::string& path) = 0;
    virtual bool Remove(const std::string& path) = 0;
    // Names (not paths) of the plain files in a folder whose name ends with the suffix
    // (case-insensitive; empty suffix lists all), sorted.
    virtual std::vector<std::string> ListFiles(const std::string& folder, std::string_view suffix) = 0;
};

// Files held in memory, for tests.
class MemoryFileStore final : public IFileStore {
public:
    std::optional<std::string> ReadAll(const std::string& path) override;
    bool WriteAtomic(const std::string& path, std::string_view bytes) override;
    bool Exists(const std::string& path) override;
    bool Remove(const std::string& path) override;
    std::vector<std::string> ListFiles(const std::string& folder, std::string_view suffix) override;

    // Paths match as on Windows: "\\" or "/", ASCII case ignored.
    void Put(const std::string& path, std::string bytes);
    int write_count = 0;       // every WriteAtomic call, failed ones included
    bool fail_writes = false;  // WriteAtomic then fails and changes nothing

private:
    std::vector<std::pair<std::string, std::string>> files_;
};

// The real disk: POSIX natively, Win32 in the Windows build (base/win32/win_file_store.cpp).
IFileStore& DiskFileStore();

}  // namespace kalvoro
