#include "base/file_store.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>

namespace kalvoro {
namespace {

namespace fs = std::filesystem;

std::string ToUtf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

fs::path FromUtf8(const std::string& text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

// A unique empty folder, removed again with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder() {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = fs::temp_directory_path() / ("kalvoro-test-" + std::to_string(stamp) + "-" + std::to_string(++counter));
        fs::create_directories(path_);
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

enum class StoreKind { kMemory, kDisk };

// The same behaviour is asked of the store in memory that other tests use and of the real disk.
// Paths are written with "\" as the program builds them.
class FileStoreTest : public ::testing::TestWithParam<StoreKind> {
protected:
    void SetUp() override {
        if (GetParam() == StoreKind::kDisk) {
            folder_ = std::make_unique<TemporaryFolder>();
            root_ = ToUtf8(folder_->path());
            store_ = &DiskFileStore();
        } else {
            root_ = "C:\\Kalvoro";
            store_ = &memory_;
        }
    }

    std::string PathOf(const std::string& name) const { return root_ + "\\" + name; }

    void MakeSubfolder(const std::string& name) {
        if (folder_) fs::create_directory(folder_->path() / FromUtf8(name));
    }

    IFileStore& store() { return *store_; }
    const std::string& root() const { return root_; }

private:
    std::unique_ptr<TemporaryFolder> folder_;
    MemoryFileStore memory_;
    IFileStore* store_ = nullptr;
    std::string root_;
};

TEST_P(FileStoreTest, ReadsBackExactlyWhatItWrote) {
    const std::string path = PathOf("skin.ini");
    const char raw[] = "[BAR]\r\nTr=200\r\n\0\xFF\x80\n";
    const std::string bytes(raw, sizeof raw - 1);
    ASSERT_TRUE(store().WriteAtomic(path, bytes));
    EXPECT_EQ(store().ReadAll(path), bytes);
    EXPECT_TRUE(store().Exists(path));

    ASSERT_TRUE(store().WriteAtomic(path, "x"));
    EXPECT_EQ(store().ReadAll(path), "x");
    ASSERT_TRUE(store().WriteAtomic(path, ""));
    EXPECT_EQ(store().ReadAll(path), "");
}

TEST_P(FileStoreTest, MissingFilesAndFoldersGiveEmptyAnswers) {
    EXPECT_EQ(store().ReadAll(PathOf("none.ini")), std::nullopt);
    EXPECT_FALSE(store().Exists(PathOf("none.ini")));
    EXPECT_FALSE(store().Remove(PathOf("none.ini")));
    EXPECT_TRUE(store().ListFiles(PathOf("NoFolder"), "").empty());
}

TEST_P(FileStoreTest, RemovesFiles) {
    const std::string path = PathOf("War.lst");
    ASSERT_TRUE(store().WriteAtomic(path, "1"));
    EXPECT_TRUE(store().Remove(path));
    EXPECT_FALSE(store().Exists(path));
    EXPECT_EQ(store().ReadAll(path), std::nullopt);
}

TEST_P(FileStoreTest, ListsPlainFilesBySuffixIgnoringCaseInOrder) {
    for (const char* name : {"b.SK", "a.sk", "C.sk", "notes.txt", "中文.sk"}) {
        ASSERT_TRUE(store().WriteAtomic(PathOf(name), name));
    }
    MakeSubfolder("Folder.sk");
    MakeSubfolder("Sub");
    ASSERT_TRUE(store().WriteAtomic(PathOf("Sub\\inner.sk"), "nested"));

    const std::vector<std::string> skins = {"a.sk", "b.SK", "C.sk", "中文.sk"};
    EXPECT_EQ(store().ListFiles(root(), ".sk"), skins);
    EXPECT_EQ(store().ListFiles(root() + "\\", ".SK"), skins);
    const std::vector<std::string> everything = {"a.sk", "b.SK", "C.sk", "notes.txt", "中文.sk"};
    EXPECT_EQ(store().ListFiles(root(), ""), everything);
    EXPECT_EQ(store().ListFiles(PathOf("Sub"), ".sk"), std::vector<std::string>{"inner.sk"});
}

TEST_P(FileStoreTest, ChineseFileNames) {
    const std::string path = PathOf("日历记录.rec");
    ASSERT_TRUE(store().WriteAtomic(path, "mark"));
    EXPECT_EQ(store().ReadAll(path), "mark");
    EXPECT_EQ(store().ListFiles(root(), ".rec"), std::vector<std::string>{"日历记录.rec"});
}

INSTANTIATE_TEST_SUITE_P(Stores, FileStoreTest, ::testing::Values(StoreKind::kMemory, StoreKind::kDisk),
                         [](const ::testing::TestParamInfo<StoreKind>& param_info) {
                             return param_info.param == StoreKind::kDisk ? "Disk" : "Memory";
                         });

TEST(DiskFileStoreTest, ReplacingAFileLeavesNoTemporaryFileBehind) {
    TemporaryFolder folder;
    const std::string root = ToUtf8(folder.path());
    const std::string path = root + "\\skin.ini";
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(DiskFileStore().WriteAtomic(path, std::string(1000 * i, 'x')));
    EXPECT_EQ(DiskFileStore().ListFiles(root, ""), std::vector<std::string>{"skin.ini"});
    EXPECT_EQ(DiskFileStore().ReadAll(path)->size(), 2000u);
}

TEST(DiskFileStoreTest, WritingIntoAMissingFolderFails) {
    TemporaryFolder folder;
    const std::string path = ToUtf8(folder.path()) + "\\missing\\skin.ini";
    EXPECT_FALSE(DiskFileStore().WriteAtomic(path, "x"));
    EXPECT_FALSE(DiskFileStore().Exists(path));
}

TEST(DiskFileStoreTest, AFolderIsNotReadAsAFile) {
    TemporaryFolder folder;
    EXPECT_EQ(DiskFileStore().ReadAll(ToUtf8(folder.path())), std::nullopt);
}

TEST(MemoryFileStoreTest, MatchesPathsAsWindowsDoes) {
    MemoryFileStore store;
    store.Put("C:\\Kalvoro\\Skin\\Blue.sk", "blue");
    EXPECT_EQ(store.ReadAll("c:/kalvoro/skin/BLUE.SK"), "blue");
    store.Put("c:/KALVORO/skin/blue.sk", "new");
    EXPECT_EQ(store.ReadAll("C:\\Kalvoro\\Skin\\Blue.sk"), "new");
    EXPECT_EQ(store.ListFiles("C:\\Kalvoro\\Skin", ".sk"), std::vector<std::string>{"Blue.sk"});
}

TEST(MemoryFileStoreTest, FailingWritesChangeNothingButAreCounted) {
    MemoryFileStore store;
    store.Put("skin.ini", "old");
    store.fail_writes = true;
    EXPECT_FALSE(store.WriteAtomic("skin.ini", "new"));
    EXPECT_EQ(store.ReadAll("skin.ini"), "old");
    store.fail_writes = false;
    EXPECT_TRUE(store.WriteAtomic("skin.ini", "new"));
    EXPECT_EQ(store.ReadAll("skin.ini"), "new");
    EXPECT_EQ(store.write_count, 2);
}

}  // namespace
}  // namespace kalvoro
