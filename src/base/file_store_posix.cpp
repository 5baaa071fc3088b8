#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <new>

#include "base/file_store.h"
#include "base/file_store_names.h"

namespace kalvoro {
namespace {

class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { Close(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    bool Close() {
        if (fd_ < 0) return true;
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

private:
    int fd_;
};

class DirectoryStream {
public:
    explicit DirectoryStream(const std::string& path) : dir_(::opendir(path.c_str())) {}
    ~DirectoryStream() {
        if (dir_ != nullptr) ::closedir(dir_);
    }
    DirectoryStream(const DirectoryStream&) = delete;
    DirectoryStream& operator=(const DirectoryStream&) = delete;
    DIR* get() const { return dir_; }

private:
    DIR* dir_;
};

std::string NativePath(std::string_view path) {
    std::string native(path);
    for (char& c : native) {
        if (c == '\\') c = '/';
    }
    return native;
}

std::string ParentFolder(const std::string& native_path) {
    const std::size_t slash = native_path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return native_path.substr(0, slash);
}

bool WriteFully(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

class PosixFileStore final : public IFileStore {
public:
    std::optional<std::string> ReadAll(const std::string& path) override {
        UniqueFd fd(::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC));
        if (!fd.valid()) return std::nullopt;
        struct stat info {};
        if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
        try {
            std::string bytes;
            bytes.reserve(static_cast<std::size_t>(info.st_size));
            char buffer[65536];
            for (;;) {
                const ssize_t count = ::read(fd.get(), buffer, sizeof buffer);
                if (count < 0 && errno == EINTR) continue;
                if (count < 0) return std::nullopt;
                if (count == 0) break;
                bytes.append(buffer, static_cast<std::size_t>(count));
            }
            return bytes;
        } catch (const std::bad_alloc&) {
            return std::nullopt;
        }
    }

    // Writes a temporary file beside the target, makes it durable, then renames it over the target
    // and makes the rename durable too.
    bool WriteAtomic(const std::string& path, std::string_view bytes) override {
        const std::string target = NativePath(path);
        const std::string folder = ParentFolder(target);
        std::string temporary = target;
        temporary += ".tmp-XXXXXX";
        UniqueFd fd(::mkstemp(temporary.data()));
        if (!fd.valid()) return false;
        struct stat existing {};
        const mode_t mode = ::stat(target.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
        const bool written = ::fchmod(fd.get(), mode) == 0 && WriteFully(fd.get(), bytes) && ::fsync(fd.get()) == 0;
        if (!fd.Close() || !written || ::rename(temporary.c_str(), target.c_str()) != 0) {
            ::unlink(temporary.c_str());
            return false;
        }
        UniqueFd directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        return directory.valid() && ::fsync(directory.get()) == 0;
    }

    bool Exists(const std::string& path) override {
        struct stat info {};
        return ::stat(NativePath(path).c_str(), &info) == 0;
    }

    bool Remove(const std::string& path) override { return ::unlink(NativePath(path).c_str()) == 0; }

    std::vector<std::string> ListFiles(const std::string& folder, std::string_view suffix) override {
        std::string native_folder = NativePath(folder);
        if (native_folder.empty()) native_folder.push_back('.');
        std::vector<std::string> names;
        DirectoryStream dir(native_folder);
        if (dir.get() == nullptr) return names;
        while (const dirent* entry = ::readdir(dir.get())) {
            const std::string name = entry->d_name;
            if (name == "." || name == ".." || !file_store_names::EndsWithIgnoreCase(name, suffix)) continue;
            struct stat info {};
            if (::fstatat(::dirfd(dir.get()), entry->d_name, &info, 0) != 0 || !S_ISREG(info.st_mode)) continue;
            names.push_back(name);
        }
        file_store_names::SortNames(names);
        return names;
    }
};

}  // namespace

IFileStore& DiskFileStore() {
    static PosixFileStore store;
    return store;
}

}  // namespace kalvoro
