#include <algorithm>

#include "base/file_store.h"
#include "base/file_store_names.h"

namespace kalvoro {
namespace {

// Paths match the way Windows matches them: either separator, ASCII case ignored.
std::string PathKey(std::string_view path) {
    std::string key(path);
    for (char& c : key) c = c == '/' ? '\\' : file_store_names::ToLowerAscii(c);
    return key;
}

std::string FolderKey(std::string_view folder) {
    std::string key = PathKey(folder);
    while (!key.empty() && key.back() == '\\') key.pop_back();
    return key;
}

}  // namespace

std::optional<std::string> MemoryFileStore::ReadAll(const std::string& path) {
    const std::string key = PathKey(path);
    for (const auto& [name, bytes] : files_) {
        if (PathKey(name) == key) return bytes;
    }
    return std::nullopt;
}

bool MemoryFileStore::WriteAtomic(const std::string& path, std::string_view bytes) {
    ++write_count;
    if (fail_writes) return false;
    Put(path, std::string(bytes));
    return true;
}

bool MemoryFileStore::Exists(const std::string& path) {
    return ReadAll(path).has_value();
}

bool MemoryFileStore::Remove(const std::string& path) {
    const std::string key = PathKey(path);
    const auto found =
        std::find_if(files_.begin(), files_.end(), [&](const auto& file) { return PathKey(file.first) == key; });
    if (found == files_.end()) return false;
    files_.erase(found);
    return true;
}

std::vector<std::string> MemoryFileStore::ListFiles(const std::string& folder, std::string_view suffix) {
    const std::string wanted_folder = FolderKey(folder);
    std::vector<std::string> names;
    for (const auto& file : files_) {
        const std::string key = PathKey(file.first);
        const std::size_t separator = key.rfind('\\');
        const std::string parent = separator == std::string::npos ? std::string() : key.substr(0, separator);
        if (parent != wanted_folder) continue;
        std::string name = separator == std::string::npos ? file.first : file.first.substr(separator + 1);
        if (file_store_names::EndsWithIgnoreCase(name, suffix)) names.push_back(std::move(name));
    }
    file_store_names::SortNames(names);
    return names;
}

void MemoryFileStore::Put(const std::string& path, std::string bytes) {
    const std::string key = PathKey(path);
    for (auto& file : files_) {
        if (PathKey(file.first) == key) {
            file.second = std::move(bytes);
            return;
        }
    }
    files_.emplace_back(path, std::move(bytes));
}

}  // namespace kalvoro
