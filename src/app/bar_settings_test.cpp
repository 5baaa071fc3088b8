#include "app/bar_settings.h"

#include <gtest/gtest.h>

#include "base/file_store.h"

namespace kalvoro {
namespace {

constexpr int kScreenWidth = 1280;

BarSettings LoadFrom(const std::string& text) {
    MemoryFileStore files;
    files.Put("skin.ini", text);
    return LoadBarSettings(IniFile(files, "skin.ini"), kScreenWidth);
}

TEST(BarSettingsTest, MissingFileGivesEveryDefault) {
    MemoryFileStore files;
    const BarSettings s = LoadBarSettings(IniFile(files, "skin.ini"), kScreenWidth);
    EXPECT_EQ(s.left, kScreenWidth - kBarWidth);
    EXPECT_EQ(s.top, 0);
    EXPECT_EQ(s.transparency, 200);
    EXPECT_EQ(s.default_child, StartChild::kClock);
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

TEST(BarSettingsTest, BarPlacementRules) {
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
    };
    for (const Case& c : cases) {
        const BarSettings s = LoadFrom(c.file);
        EXPECT_EQ(s.left, c.left) << c.file;
        EXPECT_EQ(s.top, c.top) << c.file;
    }
}

TEST(BarSettingsTest, ValuesOutOfRange) {
    EXPECT_EQ(LoadFrom("[BAR]\r\nDefWin=7\r\n").default_child, StartChild::kClock);
    EXPECT_EQ(LoadFrom("[BAR]\r\nDefWin=-1\r\n").default_child, StartChild::kClock);
    EXPECT_EQ(LoadFrom("[BAR]\r\nDefWin=0\r\n").default_child, StartChild::kNone);
    EXPECT_EQ(LoadFrom("[BAR]\r\nDefWin=2\r\n").default_child, StartChild::kCalendar);
    EXPECT_EQ(LoadFrom("[BAR]\r\nTr=0x80\r\n").transparency, 128);
    EXPECT_EQ(LoadFrom("[BAR]\r\nTr=abc\r\n").transparency, 200);
    EXPECT_EQ(LoadFrom("[MSG]\r\nAuto=0\r\nAutoSec=30\r\n").msg_auto_sec, -1);
    EXPECT_EQ(LoadFrom("[MSG]\r\nAuto=1\r\nAutoSec=30\r\n").msg_auto_sec, 30);
}

TEST(BarSettingsTest, SkinOnlyReadsJustTheSkinNames) {
    MemoryFileStore files;
    files.Put("skin.ini", "[SKIN]\r\nSkinFile=a.sk\r\nClockFile=b.cl\r\n[BAR]\r\nTop=40\r\n");
    const BarSettings s = LoadBarSettings(IniFile(files, "skin.ini"), kScreenWidth, true);
    EXPECT_EQ(s.skin_file, "a.sk");
    EXPECT_EQ(s.clock_file, "b.cl");
    EXPECT_EQ(s.top, 0);
}

TEST(BarSettingsTest, JunkFilesStillGiveDefaults) {
    std::string junk(1 << 20, '\0');
    for (std::size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>((i * 7919u) & 0xFF);
    const BarSettings s = LoadFrom(junk);
    EXPECT_EQ(s.top, 0);
    EXPECT_EQ(s.default_child, StartChild::kClock);
}

TEST(BarSettingsTest, HotKeyModifierTable) {
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

TEST(BarSettingsTest, HideSwitch) {
    EXPECT_TRUE(IsHideSwitch("/hide"));
    EXPECT_TRUE(IsHideSwitch("/HIDE"));
    EXPECT_TRUE(IsHideSwitch("  /Hide \t"));
    EXPECT_TRUE(IsHideSwitch("\x01/hide\r\n"));
    EXPECT_FALSE(IsHideSwitch("/hid"));
    EXPECT_FALSE(IsHideSwitch("hide"));
    EXPECT_FALSE(IsHideSwitch(""));
}

TEST(BarSettingsTest, ExitStateWrittenInOrderAndKeepsOtherLines) {
    MemoryFileStore files;
    files.Put("skin.ini", "; mine\r\n[LED]\r\nFontName=Arial\r\n");
    IniFile ini(files, "skin.ini");
    ExitState state{ShowingChild::kCalendar, 12, 34, 180, true, 5, 6};
    ASSERT_TRUE(SaveExitState(ini, state));
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

TEST(BarSettingsTest, FailedWriteIsReported) {
    MemoryFileStore files;
    files.fail_writes = true;
    IniFile ini(files, "skin.ini");
    EXPECT_FALSE(SavePositions(ini, 1, 2, false, 0, 0));
}

}  // namespace
}  // namespace kalvoro
