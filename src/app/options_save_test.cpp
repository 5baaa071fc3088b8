#include "app/options_save.h"

#include <gtest/gtest.h>

#include "base/file_store.h"

namespace kalvoro {
namespace {

std::vector<std::string> KeyNames(const std::vector<IniWrite>& writes) {
    std::vector<std::string> names;
    for (const IniWrite& w : writes) names.push_back(std::string(w.key.section) + "/" + w.key.name + "=" + w.value);
    return names;
}

OptionsValues SampleValues() {
    OptionsValues v;
    v.transparency = 155;
    v.on_top = true;
    v.default_win = 2;
    v.hour_chime = true;
    v.chime_type = 3;
    v.hot_key1 = "Alt + Ctrl";
    v.hot_key2 = "T";
    v.hot_key = true;
    v.msg_auto_close = false;
    v.msg_auto_sec = 30;
    v.msg_tran = 180;
    v.reminder_mode = 2;
    v.reminder_step = 15;
    v.auto_sync = true;
    v.sync_step_hours = 6;
    return v;
}

TEST(OptionsSaveTest, DigitsWriteLedFontOnlyThenTheSectionsInOrder) {
    const std::vector<std::string> expected = {
        "LED/LEDFont=1",    "BAR/Tr=155",          "BAR/OnTop=1",       "BAR/OnStartHide=0", "BAR/DefWin=2",
        "BAR/DateLoop=0",   "CLOCK/Alarm=1",       "CLOCK/HalfAlarm=0", "CLOCK/AlarmType=3", "CLOCK/HotKey1=Alt + Ctrl",
        "CLOCK/HotKey2=T",  "CLOCK/HotKey=1",      "MSG/Auto=0",        "MSG/AutoSec=30",    "MSG/Tran=180",
        "MSG/CalendarLX=2", "MSG/CalendarStep=15", "TIME/AutoChcek=1",  "TIME/StepHour=6",
    };
    EXPECT_EQ(KeyNames(OptionsKeyWrites(SampleValues())), expected);
}

TEST(OptionsSaveTest, PlainTextWritesTheSevenFontKeysAfterLedFont) {
    OptionsValues v = SampleValues();
    v.led = {false, "宋体", 12, 0x00FF00, true, false, true, false};
    const std::vector<std::string> names = KeyNames(OptionsKeyWrites(v));
    const std::vector<std::string> head(names.begin(), names.begin() + 9);
    const std::vector<std::string> expected = {
        "LED/LEDFont=0",    "LED/FontName=宋体",   "LED/FontSize=12",     "LED/FontColor=65280", "LED/FontBold=1",
        "LED/FontItalic=0", "LED/FontUnderline=1", "LED/FontStrikeOut=0", "BAR/Tr=155",
    };
    EXPECT_EQ(head, expected);
    EXPECT_EQ(names.size(), 26u);
}

TEST(OptionsSaveTest, ReminderModeWithoutChoiceWritesNone) {
    for (const auto& [mode, written] : {std::pair{-1, "0"}, {0, "0"}, {1, "1"}, {2, "2"}, {3, "0"}}) {
        OptionsValues v;
        v.reminder_mode = mode;
        bool found = false;
        for (const IniWrite& w : OptionsKeyWrites(v)) {
            if (std::string(w.key.name) == "CalendarLX") {
                EXPECT_EQ(w.value, written) << mode;
                found = true;
            }
        }
        EXPECT_TRUE(found);
    }
}

// A store whose writes fail after a number of successful ones.
class FailingStore final : public IFileStore {
public:
    explicit FailingStore(int writes_allowed) : allowed_(writes_allowed) {}
    std::optional<std::string> ReadAll(const std::string& path) override { return inner_.ReadAll(path); }
    bool WriteAtomic(const std::string& path, std::string_view bytes) override {
        if (allowed_-- <= 0) return false;
        return inner_.WriteAtomic(path, bytes);
    }
    bool Exists(const std::string& path) override { return inner_.Exists(path); }
    bool Remove(const std::string& path) override { return inner_.Remove(path); }
    std::vector<std::string> ListFiles(const std::string& folder, std::string_view suffix) override {
        return inner_.ListFiles(folder, suffix);
    }
    MemoryFileStore inner_;

private:
    int allowed_;
};

TEST(OptionsSaveTest, SettingsSaveOptionsWritesKeysTellsEveryPartAndKeepsOtherKeys) {
    MemoryFileStore files;
    files.Put("skin.ini", "[BAR]\r\nLeft=10\r\nTop=20\r\n[SKIN]\r\nSkinFile=a.sk\r\n[LED]\r\nFontName=Arial\r\n");
    Settings settings(files, "skin.ini");
    settings.Load(1280);
    std::vector<SettingsChange> heard;
    settings.Subscribe([&](SettingsChange change) { heard.push_back(change); });

    EXPECT_TRUE(settings.SaveOptions(SampleValues()));

    const IniDocument doc = IniDocument::Parse(*files.ReadAll("skin.ini"));
    EXPECT_EQ(doc.ReadInteger("BAR", "Tr", 0), 155);
    EXPECT_EQ(doc.ReadString("CLOCK", "HotKey1", ""), "Alt + Ctrl");
    EXPECT_EQ(doc.ReadString("TIME", "AutoChcek", ""), "1");
    // Untouched: the position, the skin, and the font keys while digits show.
    EXPECT_EQ(doc.ReadInteger("BAR", "Left", 0), 10);
    EXPECT_EQ(doc.ReadString("SKIN", "SkinFile", ""), "a.sk");
    EXPECT_EQ(doc.ReadString("LED", "FontName", ""), "Arial");
    EXPECT_FALSE(doc.HasKey("LED", "FontSize"));

    const AppSettings& v = settings.values();
    EXPECT_EQ(v.transparency, 155);
    EXPECT_EQ(v.default_child, DisplayMode::kCalendar);
    EXPECT_EQ(v.msg_auto_sec, -1);  // closed by the user
    EXPECT_EQ(v.mark_reminder_mode, 2);
    EXPECT_EQ(v.hot_key1_text, "Alt + Ctrl");
    EXPECT_EQ(v.sync_step_hours, 6);
    const std::vector<SettingsChange> expected = {SettingsChange::kLed, SettingsChange::kBar, SettingsChange::kChime,
                                                  SettingsChange::kMessages, SettingsChange::kTimeSync};
    EXPECT_EQ(heard, expected);
}

TEST(OptionsSaveTest, AFailedWriteLeavesTheLaterKeysAlone) {
    FailingStore files(3);  // LEDFont, Tr and OnTop are written; OnStartHide fails
    files.inner_.Put("skin.ini", "[MSG]\r\nAutoSec=99\r\n");
    Settings settings(files, "skin.ini");
    settings.Load(1280);
    EXPECT_FALSE(settings.SaveOptions(SampleValues()));
    const IniDocument doc = IniDocument::Parse(*files.inner_.ReadAll("skin.ini"));
    EXPECT_EQ(doc.ReadString("BAR", "OnTop", ""), "1");
    EXPECT_FALSE(doc.HasKey("BAR", "OnStartHide"));
    EXPECT_FALSE(doc.HasKey("CLOCK", "Alarm"));
    EXPECT_EQ(doc.ReadInteger("MSG", "AutoSec", 0), 99);
}

TEST(OptionsSaveTest, ApplyingASkinWritesOnlyItsNameAndTellsSkins) {
    MemoryFileStore files;
    files.Put("skin.ini", "[BAR]\r\nOnTop=1\r\nDefWin=3\r\n[MSG]\r\nAuto=0\r\n");
    Settings settings(files, "skin.ini");
    settings.Load(1280);
    const std::string before = *files.ReadAll("skin.ini");
    std::vector<SettingsChange> heard;
    settings.Subscribe([&](SettingsChange change) { heard.push_back(change); });

    EXPECT_TRUE(settings.ApplySkinFile("Blue.sk"));
    EXPECT_TRUE(settings.ApplyClockFile("Round.cl"));

    EXPECT_EQ(settings.values().skin_file, "Blue.sk");
    EXPECT_EQ(settings.values().clock_file, "Round.cl");
    EXPECT_EQ(heard, (std::vector<SettingsChange>{SettingsChange::kSkins, SettingsChange::kSkins}));
    const IniDocument doc = IniDocument::Parse(*files.ReadAll("skin.ini"));
    EXPECT_EQ(doc.ReadString("BAR", "OnTop", ""), "1");
    EXPECT_EQ(doc.ReadString("BAR", "DefWin", ""), "3");
    EXPECT_EQ(doc.ReadString("MSG", "Auto", ""), "0");
    EXPECT_EQ(doc.SectionNames().size(), 3u);
}

TEST(OptionsSaveTest, ValuesReadFromTheFileWithTheirDefaults) {
    const OptionsValues defaults = OptionsValuesFromFile(IniDocument::Parse(""));
    EXPECT_EQ(defaults.default_win, 1);
    EXPECT_TRUE(defaults.msg_auto_close);
    EXPECT_EQ(defaults.msg_auto_sec, 5);
    EXPECT_EQ(defaults.msg_tran, 200);
    EXPECT_EQ(defaults.reminder_mode, 1);
    EXPECT_EQ(defaults.reminder_step, 5);
    EXPECT_EQ(defaults.sync_step_hours, 1);
    const OptionsValues read = OptionsValuesFromFile(IniDocument::Parse(
        "[clock]\r\nhotkey1=Ctrl + Shift\r\nHotKey2=Q\r\nHotKey=0\r\n[TIME]\r\nAutoChcek=1\r\nStepHour=0x10\r\n"));
    EXPECT_EQ(read.hot_key1, "Ctrl + Shift");  // kept even while the hot key is off
    EXPECT_EQ(read.hot_key2, "Q");
    EXPECT_FALSE(read.hot_key);
    EXPECT_TRUE(read.auto_sync);
    EXPECT_EQ(read.sync_step_hours, 16);
}

}  // namespace
}  // namespace kalvoro
