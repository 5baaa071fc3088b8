#include "tasks/task_scheduler.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/gbk.h"

namespace kalvoro {
namespace {

// Everything the actions reach, recorded in one journal so the order across kinds shows.
struct Journal {
    std::vector<std::string> events;
};

class FakePlayer final : public ISoundPlayer {
public:
    explicit FakePlayer(Journal& journal) : journal_(journal) {}
    void PlayFiles(std::string_view list) override { journal_.events.push_back("play " + std::string(list)); }

private:
    Journal& journal_;
};

class FakePopup final : public IPopupSender {
public:
    explicit FakePopup(Journal& journal) : journal_(journal) {}
    bool ShowText(std::string_view text) override {
        journal_.events.push_back("popup " + std::string(text));
        return available;
    }
    bool available = true;

private:
    Journal& journal_;
};

class FakeShell final : public ITaskShell {
public:
    explicit FakeShell(Journal& journal) : journal_(journal) {}
    bool FileExists(const std::string& path) override { return path.find("missing") == std::string::npos; }
    void OpenFile(const std::string& path) override { journal_.events.push_back("open " + path); }

private:
    Journal& journal_;
};

class FakePrompt final : public IShutdownPrompt {
public:
    explicit FakePrompt(Journal& journal) : journal_(journal) {}
    bool ConfirmShutDown() override {
        journal_.events.push_back("countdown");
        if (while_open) while_open();
        return answer;
    }
    bool answer = false;
    std::function<void()> while_open;

private:
    Journal& journal_;
};

class FakePower final : public ISystemPower {
public:
    explicit FakePower(Journal& journal) : journal_(journal) {}
    void ShutDownComputer() override { journal_.events.push_back("power off"); }

private:
    Journal& journal_;
};

class SchedulerTest : public ::testing::Test {
protected:
    void Load(std::initializer_list<const char*> lines) {
        std::string bytes;
        for (const char* line : lines) bytes += Utf8ToGbk(line) + "\r\n";
        list.LoadFromBytes(bytes);
    }
    void Tick(int year, int month, int day, int hour, int minute, int second, int ms = 0) {
        scheduler.CheckTasks(EncodeDate(year, month, day) + EncodeTime(hour, minute, second, ms));
    }
    std::vector<std::string> Take() { return std::exchange(journal.events, {}); }

    Journal journal;
    TaskList list;
    FakePlayer player{journal};
    FakePopup popup{journal};
    FakeShell shell{journal};
    FakePrompt prompt{journal};
    FakePower power{journal};
    TaskScheduler scheduler{list, player, popup, shell, prompt, power};
};

TEST_F(SchedulerTest, MatchingTable) {
    struct Case {
        const char* line;
        int y, mo, d, h, mi, s;
        bool fires;
    };
    const Case cases[] = {
        {"*02011年03月05日08时30分00秒", 2011, 3, 5, 8, 30, 0, true},
        {"*02011年03月05日08时30分00秒", 2012, 3, 5, 8, 30, 0, false},
        {"*02011年03月05日08时30分00秒", 2011, 4, 5, 8, 30, 0, false},
        {"*02011年03月05日08时30分00秒", 2011, 3, 6, 8, 30, 0, false},
        {"*02011年03月05日08时30分00秒", 2011, 3, 5, 9, 30, 0, false},
        {"*02011年03月05日08时30分00秒", 2011, 3, 5, 8, 31, 0, false},
        {"*02011年03月05日08时30分00秒", 2011, 3, 5, 8, 30, 1, false},
        {"*007时00分00秒", 2030, 12, 31, 7, 0, 0, true},
        {"*007时00分00秒", 2030, 12, 31, 7, 0, 1, false},
        {"*030分00秒", 2030, 1, 1, 13, 30, 0, true},
        {"*030分00秒", 2030, 1, 1, 13, 31, 0, false},
        {"*008时", 2030, 1, 1, 8, 0, 0, true},
        {"*008时", 2030, 1, 1, 8, 0, 1, false},
        {"*008时", 2030, 1, 1, 8, 1, 0, false},
        {"*008时00秒", 2030, 1, 1, 8, 17, 0, true},
        {"*008时00秒", 2030, 1, 1, 9, 17, 0, false},
        {"*045秒", 2030, 1, 1, 3, 4, 45, true},
        // A date alone never fires, nor does a pattern with nothing fixed.
        {"*02030年01月01日", 2030, 1, 1, 0, 0, 0, false},
        {"*0", 2030, 1, 1, 0, 0, 0, false},
        // Out-of-range values simply never match.
        {"*025时", 2030, 1, 1, 1, 0, 0, false},
        {"*102011年03月05日08时30分00秒", 2011, 3, 5, 8, 30, 0, false},
    };
    for (const Case& c : cases) {
        Load({c.line, "3消息 (hit)"});
        TaskScheduler fresh{list, player, popup, shell, prompt, power};
        // Milliseconds are ignored.
        fresh.CheckTasks(EncodeDate(c.y, c.mo, c.d) + EncodeTime(c.h, c.mi, c.s, 900));
        EXPECT_EQ(Take(), c.fires ? std::vector<std::string>{"popup hit"} : std::vector<std::string>{}) << c.line;
    }
}

TEST_F(SchedulerTest, FirstMatchingTaskOnlyAndStoppedTasksDoNotBlock) {
    Load({"*108时", "3消息 (stopped)", "*02030年01月01日", "3消息 (date only)", "*008时", "3消息 (first)", "*008时",
          "3消息 (second)"});
    Tick(2030, 1, 1, 8, 0, 0);
    EXPECT_EQ(Take(), std::vector<std::string>{"popup first"});
}

TEST_F(SchedulerTest, AMatchingTaskWithoutActionsStillEndsTheSearch) {
    Load({"*008时", "*008时", "3消息 (later)"});
    Tick(2030, 1, 1, 8, 0, 0);
    EXPECT_TRUE(Take().empty());
}

TEST_F(SchedulerTest, SoundsAreHandedOverAfterTheLastActionInFileOrder) {
    Load({"*008时", "2播放 (C:\\a.wav)", "3消息 (开会)", "2播放 (D:\\我的 声音\\b.mp3)", "9执行 (ignored)"});
    Tick(2030, 1, 1, 8, 0, 0);
    EXPECT_EQ(Take(), (std::vector<std::string>{"popup 开会", "play C:\\a.wav*D:\\我的 声音\\b.mp3*"}));
}

TEST_F(SchedulerTest, FilesAreOpenedOnlyWhenTheyExistAndAMissingPopupDropsTheMessage) {
    popup.available = false;
    Load({"*008时", "4执行 (C:\\missing.txt)", "3消息 (x)", "4执行 (C:\\My Files\\说明 1.txt)"});
    Tick(2030, 1, 1, 8, 0, 0);
    EXPECT_EQ(Take(), (std::vector<std::string>{"popup x", "open C:\\My Files\\说明 1.txt"}));
}

TEST_F(SchedulerTest, ShutDownOnlyWhenConfirmedAndLaterActionsRunEitherWay) {
    Load({"*023时", "4执行 (关机)", "3消息 (after)"});
    prompt.answer = false;
    Tick(2030, 1, 1, 23, 0, 0);
    EXPECT_EQ(Take(), (std::vector<std::string>{"countdown", "popup after"}));
    prompt.answer = true;
    Tick(2030, 1, 2, 23, 0, 0);
    EXPECT_EQ(Take(), (std::vector<std::string>{"countdown", "power off", "popup after"}));
}

TEST_F(SchedulerTest, ATickInsideTheCountdownDoesNotStartTheSameTaskAgain) {
    Load({"*023时", "4执行 (关机)", "2播放 (a.wav)", "*023时00分01秒", "3消息 (next second)"});
    prompt.answer = false;
    prompt.while_open = [&] {
        // The user reloads the list from a menu while the countdown runs; the next ticks arrive meanwhile.
        Load({"*023时", "4执行 (关机)", "2播放 (a.wav)", "*023时00分01秒", "3消息 (next second)"});
        Tick(2030, 1, 1, 23, 0, 0, 600);
        Tick(2030, 1, 1, 23, 0, 1);
    };
    Tick(2030, 1, 1, 23, 0, 0);
    EXPECT_EQ(Take(), (std::vector<std::string>{"countdown", "popup next second", "play a.wav*"}));
}

TEST_F(SchedulerTest, TheRunningTaskOutlivesAReloadThatRemovesIt) {
    Load({"*023时", "4执行 (关机)", "3消息 (still here)", "2播放 (s.wav)"});
    prompt.while_open = [&] { list.Clear(); };
    Tick(2030, 1, 1, 23, 0, 0);
    EXPECT_EQ(Take(), (std::vector<std::string>{"countdown", "popup still here", "play s.wav*"}));
    Tick(2030, 1, 2, 23, 0, 0);
    EXPECT_TRUE(Take().empty());
}

TEST_F(SchedulerTest, ASecondTickInTheSameSecondDoesNotRepeatTheTask) {
    Load({"*008时", "3消息 (once)"});
    Tick(2030, 1, 1, 8, 0, 0, 10);
    Tick(2030, 1, 1, 8, 0, 0, 990);
    EXPECT_EQ(Take(), std::vector<std::string>{"popup once"});
    // The same time on the next day is a new second.
    Tick(2030, 1, 2, 8, 0, 0);
    EXPECT_EQ(Take(), std::vector<std::string>{"popup once"});
}

}  // namespace
}  // namespace kalvoro
