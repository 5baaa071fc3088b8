// A child process saves "skin.ini" (through IniFile) and "Marks.rec" (through MarkLines) on the
// real disk in a loop; the parent kills it with SIGKILL at random moments, over a thousand times,
// and checks that each file then holds exactly the content before or after the save that was
// running: never torn, never empty, never missing. The contents expected after each save come
// from the same writers run on a MemoryFileStore.

#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "base/file_store.h"
#include "base/gbk.h"
#include "base/ini_file.h"
#include "calendar/mark_lines.h"

namespace kalvoro {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kKills = 1200;
constexpr int kMaxSaves = 300;  // a child that gets this far stops on its own

const std::string kInitialSettings = Utf8ToGbk(
    "[SKIN]\r\nSkinFile=Default.sk\r\nClockFile=Classic.cl\r\n[LED]\r\nFontName=宋体\r\n[MSG]\r\nAuto=1\r\n"
    "Note=初始\r\n[BAR]\r\nLeft=1588\r\nTop=0\r\n");
const std::string kInitialMarks = Utf8ToGbk("00101=元旦\r\n01225=圣诞\r\n");

// Save number `step` of the sequence every child runs from the initial files: the settings
// file's note (a value of 0.2 to 6 KB, so the write itself takes a while), its bar position, or
// the whole marks file.
bool SaveStep(IFileStore& files, const std::string& folder, int step) {
    const std::string settings = folder + "/skin.ini";
    IniFile ini(files, settings);
    switch (step % 3) {
        case 0: {
            std::string note;
            for (int i = 0; i < 50 + (step * 211) % 1500; ++i) note += i % 7 == 0 ? "提醒" : "ab";
            return ini.WriteString("MSG", "Note", note + std::to_string(step));
        }
        case 1:
            return ini.WriteInteger("BAR", "Left", 1000 + step);
        default: {
            MarkLines marks;
            for (int i = 0; i <= (step * 7) % 40; ++i) {
                char name[6];
                std::snprintf(name, sizeof name, "%d%02d%02d", i % 2, 1 + i % 12, 1 + (i * step) % 28);
                marks.Put(name, "第" + std::to_string(step) + "次保存的标记");
            }
            return marks.Save(files, folder + "/Marks.rec");
        }
    }
}

struct Snapshot {
    std::string settings;
    std::string marks;
};

// The files after 0, 1, ... kMaxSaves saves, from the same writers in memory.
std::vector<Snapshot> ExpectedSnapshots(const std::string& folder) {
    MemoryFileStore memory;
    memory.Put(folder + "/skin.ini", kInitialSettings);
    memory.Put(folder + "/Marks.rec", kInitialMarks);
    std::vector<Snapshot> snapshots;
    for (int step = 0;; ++step) {
        snapshots.push_back({*memory.ReadAll(folder + "/skin.ini"), *memory.ReadAll(folder + "/Marks.rec")});
        if (step == kMaxSaves) return snapshots;
        EXPECT_TRUE(SaveStep(memory, folder, step));
    }
}

// What the child tells the parent through shared memory.
struct SharedProgress {
    std::atomic<int> saves_done{0};
    std::atomic<int> saving{0};  // 1 while a save runs
};

[[noreturn]] void SaveInLoop(const std::string& folder, SharedProgress* progress) {
    for (int step = 0; step < kMaxSaves; ++step) {
        progress->saving.store(1);
        if (!SaveStep(DiskFileStore(), folder, step)) _exit(3);
        progress->saving.store(0);
        progress->saves_done.store(step + 1);
    }
    _exit(0);
}

class SaveKillTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("kalvoro-save-kill-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        void* shared =
            ::mmap(nullptr, sizeof(SharedProgress), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        ASSERT_NE(shared, MAP_FAILED);
        progress_ = new (shared) SharedProgress;
    }
    void TearDown() override {
        if (progress_ != nullptr) ::munmap(progress_, sizeof(SharedProgress));
        fs::remove_all(folder_);
    }

    // Plain writes: nothing runs while the parent lays out the files.
    void ResetFiles() {
        for (const auto& entry : fs::directory_iterator(folder_)) fs::remove(entry.path());
        std::ofstream(folder_ / "skin.ini", std::ios::binary) << kInitialSettings;
        std::ofstream(folder_ / "Marks.rec", std::ios::binary) << kInitialMarks;
        progress_->saves_done.store(0);
        progress_->saving.store(0);
    }

    // Starts a child that saves in a loop; -1 when fork fails.
    pid_t StartSaver() {
        const pid_t child = ::fork();
        if (child == 0) SaveInLoop(folder_.string(), progress_);
        return child;
    }

    fs::path folder_;
    SharedProgress* progress_ = nullptr;
};

std::optional<std::string> ReadFile(const fs::path& path) {
    return DiskFileStore().ReadAll(path.string());
}

TEST_F(SaveKillTest, EveryKillLeavesTheOldOrTheNewFileWhole) {
    const std::vector<Snapshot> expected = ExpectedSnapshots(folder_.string());

    // How long a save takes here, so that the kills spread over the first few saves.
    ResetFiles();
    const auto calibration_start = Clock::now();
    const pid_t calibration = StartSaver();
    ASSERT_GT(calibration, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(calibration, &status, 0), calibration);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the saver failed on its own";
    const auto per_save = (Clock::now() - calibration_start) / kMaxSaves;
    ASSERT_EQ(*ReadFile(folder_ / "skin.ini"), expected[kMaxSaves].settings);
    ASSERT_EQ(*ReadFile(folder_ / "Marks.rec"), expected[kMaxSaves].marks);

    std::mt19937 random(std::random_device{}());
    const auto latest_kill = per_save * 6;
    int kills_during_a_save = 0;
    int torn = 0;
    int left_temporaries = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        ResetFiles();
        const auto kill_after = std::chrono::duration_cast<Clock::duration>(
            latest_kill * std::uniform_real_distribution<double>(0.0, 1.0)(random));
        const auto started = Clock::now();
        const pid_t child = StartSaver();
        ASSERT_GT(child, 0);
        // The kill moment is the point of the test: run until it, yielding the processor.
        while (Clock::now() - started < kill_after) ::sched_yield();
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0))
            << "the saver failed on its own";

        const int done = progress_->saves_done.load();
        if (progress_->saving.load() != 0) ++kills_during_a_save;
        // The save that was running when the kill came either landed or did not.
        const Snapshot& before = expected[static_cast<std::size_t>(done)];
        const Snapshot& after = expected[static_cast<std::size_t>(std::min(done + 1, kMaxSaves))];
        const std::optional<std::string> settings = ReadFile(folder_ / "skin.ini");
        const std::optional<std::string> marks = ReadFile(folder_ / "Marks.rec");
        const bool settings_whole = settings && (*settings == before.settings || *settings == after.settings);
        const bool marks_whole = marks && (*marks == before.marks || *marks == after.marks);
        if (!settings_whole || !marks_whole) {
            ++torn;
            ADD_FAILURE() << "kill " << kill << " after " << done << " saves left "
                          << (settings_whole ? "" : "skin.ini ") << (marks_whole ? "" : "Marks.rec ")
                          << "neither old nor new (sizes " << (settings ? settings->size() : 0) << ", "
                          << (marks ? marks->size() : 0) << ")";
        }
        for (const auto& entry : fs::directory_iterator(folder_)) {
            if (entry.path().filename().string().find(".tmp-") != std::string::npos) ++left_temporaries;
        }
    }
    std::printf("%d kills (%d during a save, save %.2f ms), %d torn files; %d temporary files left behind\n", kKills,
                kills_during_a_save, std::chrono::duration<double, std::milli>(per_save).count(), torn,
                left_temporaries);
    EXPECT_EQ(torn, 0);
    // Kills must have hit saves in progress, or the test proves nothing.
    EXPECT_GT(kills_during_a_save, kKills / 4);
}

}  // namespace
}  // namespace kalvoro
