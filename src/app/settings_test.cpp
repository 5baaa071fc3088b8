#include "app/settings.h"

#include <gtest/gtest.h>

#include "base/file_store.h"

namespace kalvoro {
namespace {

constexpr int kScreenWidth = 1280;

AppSettings LoadFrom(const std::string& text) {
    MemoryFileStore files;
    files.Put("skin.ini", text);
    Settings settings(files, "skin.ini");
    settings.Load(kScreenWidth);
    return settings.values();
}

TEST(SettingsTest, MissingFileGivesEveryDefault) {
    const AppSettings s = LoadFrom("");
    EXPECT_EQ(s.left, kScreenWidth - kBarWidth);
    EXPECT_EQ(s.top, 0);
    EXPECT_EQ(s.transparency, 200);
    EXPECT_EQ(s.default_child, DisplayMode::kClock);
    EXPECT_TRUE(s.led.led_digits);
    EXPECT_EQ(s.led.name, "Tahoma");
    EXPECT_EQ(s.led.size_points, 18);
    EXPECT_EQ(s.led.colour, 16777215);
    EXPECT_EQ(s.msg_auto_sec, 5);
    EXPECT_EQ(s.msg_tran, 200);
    EXPECT_EQ(s.mark_reminder_mode, 1);
    EXPECT_EQ(s.mark_reminder_step, 5);
    EXPECT_EQ(s.sync_step_hours, 1);
    EXPECT_FALSE(s.on_top);
    EXPECT_FALSE(s.start_hidden);
}

TEST(SettingsTest, BarPlacementRules) {
    struct Case {
        const char* file;
        int left;
        int top;
    } const cases[] = {
        {"[BAR]\r\nLeft=99999\r\n", kScreenWidth - kBarWidth, 0},  // flush with the right edge
        {"[BAR]\r\nLeft=-50\r\n", -50, 0},                         // no lower bound
        {"[BAR]\r\nLeft=100\r\nTop=-10\r\n", 100, 0},              // a negative top is the top edge
        {"[bar]\r\nleft=10\r\ntop=20\r\n", 10, 20},                // names in any case
        {"[BAR]\r\nLeft=2147483647\r\n", kScreenWidth - kBarWidth, 0},
        {"[BAR]\r\nLeft=948\r\n", kScreenWidth - kBarWidth, 0},  // exactly flush stays
        {"[BAR]\r\nLeft=947\r\n", 947, 0},                       // just inside stays
        {"[BAR]\r\nLeft=949\r\n", kScreenWidth - kBarWidth, 0},  // one pixel beyond is pulled back
        {"[BAR]\r\nTop=0\r\n", kScreenWidth - kBarWidth, 0},
        {"[BAR]\r\nTop=-1\r\n", kScreenWidth - kBarWidth, 0},
        {"[BAR]\r\nTop=1\r\n", kScreenWidth - kBarWidth, 1},
    };
    for (const Case& c : cases) {
        const AppSettings s = LoadFrom(c.file);
        EXPECT_EQ(s.left, c.left) << c.file;
        EXPECT_EQ(s.top, c.top) << c.file;
    }
}

TEST(SettingsTest, ValuesOutOfRange) {
    EXPECT_EQ(LoadFrom("[BAR]\r\nDefWin=7\r\n").default_child, DisplayMode::kClock);
    EXPECT_EQ(LoadFrom("[BAR]\r\nDefWin=-1\r\n").default_child, DisplayMode::kClock);
    EXPECT_EQ(LoadFrom("[BAR]\r\nDefWin=0\r\n").default_child, DisplayMode::kCompact);
    EXPECT_EQ(LoadFrom("[BAR]\r\nDefWin=1\r\n").default_child, DisplayMode::kClock);
    EXPECT_EQ(LoadFrom("[BAR]\r\nDefWin=2\r\n").default_child, DisplayMode::kCalendar);
    EXPECT_EQ(LoadFrom("[BAR]\r\nDefWin=3\r\n").default_child, DisplayMode::kWeather);
    EXPECT_EQ(LoadFrom("[BAR]\r\nDefWin=4\r\n").default_child, DisplayMode::kClock);
    EXPECT_EQ(LoadFrom("[CHILD]\r\nIndex=1\r\n").child_at_exit, DisplayMode::kCalendar);
    EXPECT_EQ(LoadFrom("[CHILD]\r\nIndex=2\r\n").child_at_exit, DisplayMode::kClock);
    EXPECT_EQ(LoadFrom("[BAR]\r\nTr=0x80\r\n").transparency, 128);
    EXPECT_EQ(LoadFrom("[BAR]\r\nTr=abc\r\n").transparency, 200);
    EXPECT_EQ(LoadFrom("[MSG]\r\nAuto=0\r\nAutoSec=30\r\n").msg_auto_sec, -1);
    EXPECT_EQ(LoadFrom("[MSG]\r\nAuto=1\r\nAutoSec=30\r\n").msg_auto_sec, 30);
}

// The skin reload after another skin was applied changes the two skin names and nothing else.
TEST(SettingsTest, SkinReloadKeepsEveryOtherSetting) {
    MemoryFileStore files;
    files.Put("skin.ini",
              "[SKIN]\r\nSkinFile=a.sk\r\nClockFile=b.cl\r\n[BAR]\r\nTop=40\r\nLeft=7\r\nOnTop=1\r\n"
              "DefWin=2\r\nTr=90\r\n[MSG]\r\nCalendarLX=2\r\nCalendarStep=9\r\n[CLOCK]\r\nHotKey=1\r\n"
              "HotKey1=Ctrl\r\nHotKey2=K\r\nAlarm=1\r\n[LED]\r\nLEDFont=0\r\n");
    Settings settings(files, "skin.ini");
    settings.Load(kScreenWidth);
    int notices = 0;
    settings.Subscribe([&](SettingsChange change) {
        EXPECT_EQ(change, SettingsChange::kSkins);
        ++notices;
    });
    files.Put("skin.ini", "[SKIN]\r\nSkinFile=new.sk\r\nClockFile=new.cl\r\n");
    settings.ReloadSkinNames();

    const AppSettings& s = settings.values();
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(s.skin_file, "new.sk");
    EXPECT_EQ(s.clock_file, "new.cl");
    EXPECT_EQ(s.top, 40);
    EXPECT_EQ(s.left, 7);
    EXPECT_TRUE(s.on_top);
    EXPECT_EQ(s.default_child, DisplayMode::kCalendar);
    EXPECT_EQ(s.transparency, 90);
    EXPECT_EQ(s.mark_reminder_mode, 2);
    EXPECT_EQ(s.mark_reminder_step, 9);
    EXPECT_TRUE(s.hot_key_on);
    EXPECT_EQ(s.hot_key1_text, "Ctrl");
    EXPECT_EQ(s.hot_key2_text, "K");
    EXPECT_TRUE(s.alarm_on);
    EXPECT_FALSE(s.led.led_digits);
}

TEST(SettingsTest, ChildPlaceIsClampedToTheScreen) {
    const struct {
        const char* file;
        int left;
        int top;
    } cases[] = {
        {"", 0, 55},
        {"[CHILD]\r\nLeft=-20\r\nTop=-1\r\n", 0, -1},
        {"[CHILD]\r\nLeft=1180\r\nTop=300\r\n", 1180, 300},
        {"[CHILD]\r\nLeft=1181\r\n", 1180, 55},
        {"[CHILD]\r\nLeft=99999\r\n", 1180, 55},
    };
    for (const auto& c : cases) {
        MemoryFileStore files;
        files.Put("skin.ini", c.file);
        Settings settings(files, "skin.ini");
        EXPECT_EQ(settings.ChildLeft(kScreenWidth), c.left) << c.file;
        EXPECT_EQ(settings.ChildTop(55), c.top) << c.file;
    }
}

TEST(SettingsTest, UnsubscribedListenerHearsNothing) {
    MemoryFileStore files;
    Settings settings(files, "skin.ini");
    int heard = 0;
    const int token = settings.Subscribe([&](SettingsChange) { ++heard; });
    settings.SetTransparency(100);
    settings.SetTransparency(100);  // unchanged: no notice
    settings.Unsubscribe(token);
    settings.SetTransparency(120);
    EXPECT_EQ(heard, 1);
}

TEST(SettingsTest, JunkFilesStillGiveDefaults) {
    std::string junk(1 << 20, '\0');
    for (std::size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>((i * 7919u) & 0xFF);
    const AppSettings s = LoadFrom(junk);
    EXPECT_EQ(s.top, 0);
    EXPECT_EQ(s.default_child, DisplayMode::kClock);
}

TEST(SettingsTest, HotKeyModifierTable) {
    EXPECT_EQ(HotKeyModifiers("Alt"), 1);
    EXPECT_EQ(HotKeyModifiers("ctrl"), 2);
    EXPECT_EQ(HotKeyModifiers("SHIFT"), 4);
    EXPECT_EQ(HotKeyModifiers("Alt + Ctrl"), 3);
    EXPECT_EQ(HotKeyModifiers("Alt + Shift"), 5);
    EXPECT_EQ(HotKeyModifiers("Ctrl + Shift"), 6);
    EXPECT_EQ(HotKeyModifiers("alt + ctrl + shift"), 7);
    EXPECT_EQ(HotKeyModifiers("Alt+Ctrl"), 0);
    EXPECT_EQ(HotKeyModifiers(""), 0);
}

TEST(SettingsTest, HideSwitch) {
    EXPECT_TRUE(IsHideSwitch("/hide"));
    EXPECT_TRUE(IsHideSwitch("/HIDE"));
    EXPECT_TRUE(IsHideSwitch("  /Hide \t"));
    EXPECT_TRUE(IsHideSwitch("\x01/hide\r\n"));
    EXPECT_FALSE(IsHideSwitch("/hid"));
    EXPECT_FALSE(IsHideSwitch("hide"));
    EXPECT_FALSE(IsHideSwitch(""));
}

TEST(SettingsTest, ExitStateWrittenInOrderAndKeepsOtherLines) {
    MemoryFileStore files;
    files.Put("skin.ini", "; mine\r\n[LED]\r\nFontName=Arial\r\n");
    Settings settings(files, "skin.ini");
    IniFile& ini = settings.file();
    ExitState state{DisplayMode::kCalendar, 12, 34, 180, true, 5, 6};
    ASSERT_TRUE(settings.SaveExitState(state));
    EXPECT_EQ(ini.ReadInteger("CHILD", "Index", -1), 1);
    EXPECT_EQ(ini.ReadInteger("BAR", "Left", -1), 12);
    EXPECT_EQ(ini.ReadInteger("BAR", "Top", -1), 34);
    EXPECT_EQ(ini.ReadInteger("BAR", "Tr", -1), 180);
    EXPECT_EQ(ini.ReadInteger("CHILD", "Left", -1), 5);
    EXPECT_EQ(ini.ReadInteger("CHILD", "Top", -1), 6);
    EXPECT_EQ(ini.ReadString("LED", "FontName", ""), "Arial");
    const std::string text = *files.ReadAll("skin.ini");
    EXPECT_LT(text.find("Index="), text.find("Tr="));
    EXPECT_LT(text.find("CHILD]"), text.find("BAR]"));
}

// Every replacement of the file, in order, over the memory store; optionally a file that exists but
// cannot be read (locked by another program).
class RecordingFileStore final : public IFileStore {
public:
    std::optional<std::string> ReadAll(const std::string& path) override {
        return locked ? std::nullopt : files.ReadAll(path);
    }
    bool WriteAtomic(const std::string& path, std::string_view bytes) override {
        writes.emplace_back(bytes);
        return files.WriteAtomic(path, bytes);
    }
    bool Exists(const std::string& path) override { return files.Exists(path); }
    bool Remove(const std::string& path) override { return files.Remove(path); }
    std::vector<std::string> ListFiles(const std::string& folder, std::string_view suffix) override {
        return files.ListFiles(folder, suffix);
    }

    MemoryFileStore files;
    std::vector<std::string> writes;
    bool locked = false;
};

TEST(SettingsTest, PositionsAreSavedInOneReplacementOfTheFile) {
    RecordingFileStore store;
    store.files.Put("skin.ini", "; mine\r\n[BAR]\r\nLeft=1\r\nTop=2\r\n[LED]\r\nFontName=Arial\r\n");
    Settings settings(store, "skin.ini");

    ASSERT_TRUE(settings.SavePositions(300, 40, true, 5, 6));
    // A kill can only find the file before this one write or after it: never a new Left with an old Top.
    ASSERT_EQ(store.writes.size(), 1u);
    EXPECT_EQ(store.writes[0],
              "; mine\r\n[BAR]\r\nLeft=300\r\nTop=40\r\n[LED]\r\nFontName=Arial\r\n\r\n[CHILD]\r\nTop=6\r\nLeft=5\r\n");

    // Without the clock window only the bar's place changes, again in one write.
    ASSERT_TRUE(settings.SavePositions(301, 41, false, 9, 9));
    ASSERT_EQ(store.writes.size(), 2u);
    EXPECT_EQ(store.writes[1],
              "; mine\r\n[BAR]\r\nLeft=301\r\nTop=41\r\n[LED]\r\nFontName=Arial\r\n\r\n[CHILD]\r\nTop=6\r\nLeft=5\r\n");

    // The same place again leaves the file alone.
    ASSERT_TRUE(settings.SavePositions(301, 41, true, 5, 6));
    EXPECT_EQ(store.writes.size(), 2u);
}

TEST(SettingsTest, PositionsAreNotSavedOverAFileThatCannotBeRead) {
    RecordingFileStore store;
    store.files.Put("skin.ini", "[BAR]\r\nLeft=1\r\nTop=2\r\n[NOTE]\r\nText=keep\r\n");
    store.locked = true;
    Settings settings(store, "skin.ini");
    EXPECT_FALSE(settings.SavePositions(300, 40, true, 5, 6));
    EXPECT_TRUE(store.writes.empty());

    // A missing file is made with the place alone.
    RecordingFileStore empty;
    Settings fresh(empty, "skin.ini");
    ASSERT_TRUE(fresh.SavePositions(7, 8, false, 0, 0));
    ASSERT_EQ(empty.writes.size(), 1u);
    EXPECT_EQ(empty.writes[0], "[BAR]\r\nLeft=7\r\nTop=8\r\n");
}

TEST(SettingsTest, ExitStateIsOneReplacementAndNeverOverAFileThatCannotBeRead) {
    RecordingFileStore store;
    store.files.Put("skin.ini", "[BAR]\r\nLeft=1\r\nTop=2\r\nTr=200\r\n");
    Settings settings(store, "skin.ini");
    ASSERT_TRUE(settings.SaveExitState({DisplayMode::kClock, 12, 34, 180, true, 5, 6}));
    // The mode, the bar's place and transparency and the clock's place change together or not at all.
    ASSERT_EQ(store.writes.size(), 1u);
    EXPECT_EQ(store.writes[0], "[BAR]\r\nLeft=12\r\nTop=34\r\nTr=180\r\n\r\n[CHILD]\r\nIndex=2\r\nTop=6\r\nLeft=5\r\n");
    // Closing again with nothing changed leaves the file alone.
    ASSERT_TRUE(settings.SaveExitState({DisplayMode::kClock, 12, 34, 180, true, 5, 6}));
    EXPECT_EQ(store.writes.size(), 1u);

    store.locked = true;
    EXPECT_FALSE(settings.SaveExitState({DisplayMode::kCompact, 1, 1, 100, false, 0, 0}));
    EXPECT_EQ(store.writes.size(), 1u);
}

TEST(SettingsTest, FailedWriteIsReported) {
    MemoryFileStore files;
    files.fail_writes = true;
    Settings settings(files, "skin.ini");
    EXPECT_FALSE(settings.SavePositions(1, 2, false, 0, 0));
}

}  // namespace
}  // namespace kalvoro
