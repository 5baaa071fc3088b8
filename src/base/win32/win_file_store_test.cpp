// The disk file store when another program holds the file it replaces.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

#include "base/file_store.h"
#include "base/win32/text.h"

namespace kalvoro {
namespace {

namespace fs = std::filesystem;

class WinFileStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        dir_ = fs::path(temp) / ("kalvoro-store-" + std::to_string(::GetCurrentProcessId()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        path_ = Narrow((dir_ / L"War.lst").wstring());
        ASSERT_TRUE(DiskFileStore().WriteAtomic(path_, "old"));
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    // A reader that lets others read but not replace the file, as some scanners and editors do.
    HANDLE HoldOpen() const {
        return ::CreateFileW(Widen(path_).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    int FilesInFolder() const {
        int count = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_)) ++count;
        return count;
    }

    fs::path dir_;
    std::string path_;
};

TEST_F(WinFileStoreTest, AReaderThatLetsGoSoonDoesNotCostTheSave) {
    const HANDLE reader = HoldOpen();
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    // The reader lets go once the new content waits beside the file, so the first replace meets it.
    std::atomic<bool> released = false;
    std::thread letting_go([&] {
        while (FilesInFolder() < 2 && !released) std::this_thread::yield();
        ::CloseHandle(reader);
        released = true;
    });
    const bool saved = DiskFileStore().WriteAtomic(path_, "new");
    released = true;
    letting_go.join();
    EXPECT_TRUE(saved);
    EXPECT_EQ(DiskFileStore().ReadAll(path_), "new");
    EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(WinFileStoreTest, AFileHeldThroughoutKeepsItsContentAndTheSaveFails) {
    const HANDLE reader = HoldOpen();
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(DiskFileStore().WriteAtomic(path_, "new"));
    ::CloseHandle(reader);
    EXPECT_EQ(DiskFileStore().ReadAll(path_), "old");
    EXPECT_EQ(FilesInFolder(), 1);  // no temporary file left behind
}

}  // namespace
}  // namespace kalvoro
