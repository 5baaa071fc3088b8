#include "app/win32/frm_options.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "app/options_rules.h"
#include "base/file_store.h"
#include "base/win32/text.h"
#include "skin/skin_package_format.h"
#include "timesvc/win32/time_sync_service.h"

namespace kalvoro::win {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The shipped bar skin with a line of its description replaced.
std::string DefaultSkinWith(std::string_view from, std::string_view to) {
    const std::string package = ReadBytes(fs::path(KALVORO_SOURCE_DIR) / "resources/skins/Skin/Default.sk");
    const auto blocks = SplitSkinPackage(package);
    if (!blocks) return {};
    std::string description(blocks->description);
    const std::size_t at = description.find(from);
    if (at != std::string::npos) description.replace(at, from.size(), to);
    return BuildSkinPackage(description, blocks->bitmap);
}

HWND Control(HWND dialog, int id) {
    return ::GetDlgItem(dialog, id);
}
bool Checked(HWND dialog, int id) {
    return ::SendMessageW(Control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
void Click(HWND dialog, int id) {
    ::SendMessageW(Control(dialog, id), BM_CLICK, 0, 0);
}
int ListCount(HWND dialog, int id) {
    return static_cast<int>(::SendMessageW(Control(dialog, id), LB_GETCOUNT, 0, 0));
}
int ListSelection(HWND dialog, int id) {
    return static_cast<int>(::SendMessageW(Control(dialog, id), LB_GETCURSEL, 0, 0));
}
std::string Text(HWND dialog, int id) {
    wchar_t text[256] = {};
    ::GetWindowTextW(Control(dialog, id), text, 255);
    return Narrow(text);
}
void Close(HWND dialog) {
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

void SelectRow(HWND dialog, int list_id, int row) {
    ::SendMessageW(Control(dialog, list_id), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(list_id, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(Control(dialog, list_id)));
}

void MoveSlider(HWND dialog, int id, int position) {
    const HWND slider = Control(dialog, id);
    ::SendMessageW(slider, TBM_SETPOS, TRUE, position);
    ::SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(slider));
}

// Presses OK on the warning box "警告" of this process when one shows; counts them.
class WarningWatcher {
public:
    WarningWatcher()
        : thread_([this] {
              while (!stop_) {
                  ::EnumWindows(
                      [](HWND window, LPARAM self) -> BOOL {
                          DWORD process = 0;
                          ::GetWindowThreadProcessId(window, &process);
                          wchar_t title[32] = {};
                          ::GetWindowTextW(window, title, 31);
                          if (process == ::GetCurrentProcessId() && ::IsWindowVisible(window) &&
                              Narrow(title) == kUnknownVersionCaption) {
                              wchar_t text[64] = {};
                              ::GetDlgItemTextW(window, 0xFFFF, text, 63);
                              ++reinterpret_cast<WarningWatcher*>(self)->seen;
                              ::PostMessageW(window, WM_COMMAND, IDOK, 0);
                          }
                          return TRUE;
                      },
                      reinterpret_cast<LPARAM>(this));
                  std::this_thread::yield();
                  ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, 0);
              }
          }) {}
    ~WarningWatcher() {
        stop_ = true;
        thread_.join();
    }
    std::atomic<int> seen{0};

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

class OptionsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        dir_ = fs::path(temp) / ("kalvoro_options_" + std::to_string(::GetCurrentProcessId()) + "_" +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "Skin");
        fs::create_directories(dir_ / "Clock");
        WriteBytes(dir_ / "Skin" / "Blue.sk", DefaultSkinWith("LEDBkColor=0x000D0906", "LEDBkColor=0x00FF0000"));
        WriteBytes(dir_ / "Skin" / "Amber.sk", DefaultSkinWith("", ""));
        WriteBytes(dir_ / "Skin" / "Future.sk", DefaultSkinWith("SkinVer=1.0", "SkinVer=2.0"));
        WriteBytes(dir_ / "Skin" / "Broken.sk", "not a package at all");
        WriteBytes(dir_ / "Skin" / "Empty.sk", "");
        WriteBytes(dir_ / "Skin" / "Huge.sk", DefaultSkinWith("", "") + std::string(17u << 20, '\0'));
        WriteBytes(dir_ / "Skin" / "notes.txt", "not listed");
        fs::copy_file(fs::path(KALVORO_SOURCE_DIR) / "resources/skins/Clock/Classic.cl", dir_ / "Clock" / "Classic.cl");
        fs::copy_file(fs::path(KALVORO_SOURCE_DIR) / "resources/skins/Clock/Modern.cl", dir_ / "Clock" / "Modern.cl");
        exe_path_ = (dir_ / "Kalvoro.exe").string();
    }
    void TearDown() override {
        WriteRunEntry(exe_path_, false);
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    std::string AppDir() const { return dir_.string() + "\\"; }

    // Runs the dialog on a page with "skin.ini" holding the text; act runs once it shows and
    // closes it afterwards.
    void Run(const std::string& ini, int page, const std::function<void(HWND)>& act) {
        files_.Put("skin.ini", ini);
        settings_ = std::make_unique<Settings>(files_, "skin.ini");
        settings_->Load(1280);
        settings_->Subscribe([this](SettingsChange change) { notices_.push_back(change); });
        OptionsContext context{*settings_, AppDir(), exe_path_};
        context.bar.alpha = bar_alpha_;
        context.bar.led = settings_->values().led;
        context.bar.set_transparency = [this](int alpha) { bar_alpha_ = alpha; };
        context.bar.set_on_top = [this](bool on) { on_top_calls_.push_back(on); };
        context.bar.apply_led_font = [this](const LedFontSettings& led) { led_calls_.push_back(led); };
        context.sync_now = [this] {
            // While it runs the dialog shows that it is busy.
            busy_button_enabled_ = ::IsWindowEnabled(Control(dialog_, kOptSyncNow)) != FALSE;
            busy_label_ = Text(dialog_, kOptLastSync);
            return sync_result_;
        };
        context.notify_popup = [this] { ++popup_notices_; };
        bool shown = false;
        context.on_shown = [&](HWND dialog) {
            shown = true;
            dialog_ = dialog;
            act(dialog);
            Close(dialog);
        };
        ShowOptions(nullptr, context, page);
        EXPECT_TRUE(shown);
    }

    IniDocument Saved() { return IniDocument::Parse(*files_.ReadAll("skin.ini")); }

    fs::path dir_;
    std::string exe_path_;
    MemoryFileStore files_;
    std::unique_ptr<Settings> settings_;
    std::vector<SettingsChange> notices_;
    int bar_alpha_ = 200;
    std::vector<bool> on_top_calls_;
    std::vector<LedFontSettings> led_calls_;
    SyncResult sync_result_;
    HWND dialog_ = nullptr;
    bool busy_button_enabled_ = true;
    std::string busy_label_;
    int popup_notices_ = 0;
};

TEST_F(OptionsDialogTest, OpensOnEachPageAndFillsAListOnlyWhenItsPageShows) {
    struct Case {
        int page;
        int shown;
        int visible_control;
    } const cases[] = {
        {0, 0, kOptRunAtStart}, {1, 1, kOptHourChime}, {2, 2, kOptSkinList}, {3, 3, kOptClockList},
        {4, 4, kOptAutoClose},  {5, 5, kOptAutoSync},  {-1, 0, kOptOnTop},   {6, 0, kOptDefWin},
    };
    for (const Case& c : cases) {
        Run("[SKIN]\r\nSkinFile=Blue.sk\r\n", c.page, [&](HWND dialog) {
            for (int page = 0; page < kOptionsPageCount; ++page) {
                EXPECT_EQ(Checked(dialog, kOptTabFirst + page), page == c.shown) << c.page << " tab " << page;
            }
            EXPECT_TRUE(::IsWindowVisible(Control(dialog, c.visible_control))) << c.page;
            EXPECT_FALSE(::IsWindowVisible(Control(dialog, c.shown == 5 ? kOptRunAtStart : kOptSyncNow))) << c.page;
            EXPECT_EQ(ListCount(dialog, kOptSkinList), c.shown == 2 ? 6 : 0) << c.page;
            EXPECT_EQ(ListCount(dialog, kOptClockList), c.shown == 3 ? 2 : 0) << c.page;
            if (c.shown == 3) {
                // Turning to the skin page fills its list then.
                Click(dialog, kOptTabFirst + 2);
                EXPECT_EQ(ListCount(dialog, kOptSkinList), 6);
                EXPECT_TRUE(::IsWindowVisible(Control(dialog, kOptSkinList)));
            }
        });
    }
    EXPECT_EQ(popup_notices_, 8);  // every close tells the popup program
}

TEST_F(OptionsDialogTest, ControlsFollowTheFileAndTheEnablingRules) {
    Run("[CLOCK]\r\nAlarm=0\r\nHalfAlarm=1\r\nAlarmType=2\r\nHotKey=0\r\nHotKey1=Alt + Shift\r\nHotKey2=Q\r\n"
        "[MSG]\r\nAuto=0\r\nAutoSec=9000\r\nCalendarLX=2\r\nCalendarStep=7\r\nTran=155\r\n"
        "[TIME]\r\nAutoChcek=0\r\nStepHour=3\r\n[BAR]\r\nDefWin=7\r\nOnTop=1\r\n",
        1, [&](HWND dialog) {
            EXPECT_TRUE(::IsWindowEnabled(Control(dialog, kOptChimeTypeFirst)));  // half hour on
            EXPECT_TRUE(Checked(dialog, kOptChimeTypeFirst + 2));
            EXPECT_FALSE(::IsWindowEnabled(Control(dialog, kOptHotKey1)));
            EXPECT_EQ(Text(dialog, kOptHotKey1), "Alt + Shift");
            EXPECT_EQ(Text(dialog, kOptHotKey2), "Q");
            EXPECT_TRUE(Checked(dialog, kOptManualClose));
            EXPECT_FALSE(::IsWindowEnabled(Control(dialog, kOptAutoSec)));
            EXPECT_EQ(Text(dialog, kOptAutoSec), "3600");  // clamped into its range
            EXPECT_TRUE(::IsWindowEnabled(Control(dialog, kOptReminderStep)));
            EXPECT_EQ(Text(dialog, kOptMsgAlphaLabel), "40%");
            EXPECT_FALSE(::IsWindowEnabled(Control(dialog, kOptSyncStep)));
            EXPECT_TRUE(::IsWindowEnabled(Control(dialog, kOptLed)));
            EXPECT_FALSE(::IsWindowEnabled(Control(dialog, kOptFont)));  // LED shows
            EXPECT_EQ(::SendMessageW(Control(dialog, kOptDefWin), CB_GETCURSEL, 0, 0), 1);
            EXPECT_TRUE(on_top_calls_.empty());  // filling acts on nothing

            Click(dialog, kOptHalfChime);
            EXPECT_FALSE(::IsWindowEnabled(Control(dialog, kOptChimeTypeFirst)));
            Click(dialog, kOptHotKeyOn);
            EXPECT_TRUE(::IsWindowEnabled(Control(dialog, kOptHotKey2)));
            Click(dialog, kOptAutoSync);
            EXPECT_TRUE(::IsWindowEnabled(Control(dialog, kOptSyncStep)));
            Click(dialog, kOptAutoClose);
            EXPECT_TRUE(::IsWindowEnabled(Control(dialog, kOptAutoSec)));
            Click(dialog, kOptOnTop);
            EXPECT_EQ(on_top_calls_, std::vector<bool>{false});
        });
    const IniDocument saved = Saved();
    EXPECT_EQ(saved.ReadString("CLOCK", "HotKey", ""), "1");
    EXPECT_EQ(saved.ReadString("CLOCK", "HalfAlarm", ""), "0");
    EXPECT_EQ(saved.ReadString("CLOCK", "AlarmType", ""), "2");
    EXPECT_EQ(saved.ReadString("MSG", "Auto", ""), "1");
    EXPECT_EQ(saved.ReadString("MSG", "AutoSec", ""), "3600");
    EXPECT_EQ(saved.ReadString("TIME", "AutoChcek", ""), "1");
    EXPECT_EQ(saved.ReadString("TIME", "StepHour", ""), "3");
    EXPECT_EQ(saved.ReadString("BAR", "DefWin", ""), "1");
    EXPECT_EQ(saved.ReadString("BAR", "OnTop", ""), "0");
    EXPECT_EQ(popup_notices_, 1);
}

TEST_F(OptionsDialogTest, SliderSetsTheBarAlphaAtOnceAndClosingWritesIt) {
    bar_alpha_ = 230;
    Run("[BAR]\r\nTr=100\r\n", 2, [&](HWND dialog) {
        // The slider starts from the bar, not from the file.
        EXPECT_EQ(::SendMessageW(Control(dialog, kOptBarAlpha), TBM_GETPOS, 0, 0), 230);
        EXPECT_EQ(Text(dialog, kOptBarAlphaLabel), "10%");
        MoveSlider(dialog, kOptBarAlpha, 155);
        EXPECT_EQ(bar_alpha_, 155);
        EXPECT_EQ(Text(dialog, kOptBarAlphaLabel), "40%");
        MoveSlider(dialog, kOptBarAlpha, 55);
        EXPECT_EQ(bar_alpha_, 55);
        EXPECT_EQ(Text(dialog, kOptBarAlphaLabel), "80%");
        MoveSlider(dialog, kOptBarAlpha, 155);
    });
    EXPECT_EQ(bar_alpha_, 155);
    EXPECT_EQ(Saved().ReadInteger("BAR", "Tr", 0), 155);
}

TEST_F(OptionsDialogTest, PlainTimeHidesTheDigitsAtOnceAndClosingWritesTheFontKeys) {
    Run("[LED]\r\nFontName=Arial\r\nFontSize=20\r\nFontBold=1\r\n", 3, [&](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, kOptLed));
        Click(dialog, kOptPlain);
        ASSERT_EQ(led_calls_.size(), 1u);
        EXPECT_FALSE(led_calls_[0].led_digits);
        EXPECT_EQ(led_calls_[0].name, "Arial");
        EXPECT_TRUE(::IsWindowEnabled(Control(dialog, kOptFont)));
    });
    const IniDocument saved = Saved();
    EXPECT_EQ(saved.ReadString("LED", "LEDFont", ""), "0");
    EXPECT_EQ(saved.ReadString("LED", "FontName", ""), "Arial");
    EXPECT_EQ(saved.ReadString("LED", "FontSize", ""), "20");
    EXPECT_EQ(saved.ReadString("LED", "FontColor", ""), "16777215");
    EXPECT_EQ(saved.ReadString("LED", "FontBold", ""), "1");
    EXPECT_EQ(saved.ReadString("LED", "FontItalic", ""), "0");
    EXPECT_EQ(saved.ReadString("LED", "FontUnderline", ""), "0");
    EXPECT_EQ(saved.ReadString("LED", "FontStrikeOut", ""), "0");
}

TEST_F(OptionsDialogTest, WrongVersionWarnsAndAppliesNothing) {
    WarningWatcher watcher;
    Run("[SKIN]\r\nSkinFile=Future.sk\r\n", 2, [&](HWND dialog) {
        EXPECT_EQ(watcher.seen.load(), 1);                  // shown while the list was filled
        EXPECT_EQ(ListSelection(dialog, kOptSkinList), 4);  // Amber, Blue, Broken, Empty, Future, Huge
        EXPECT_FALSE(::IsWindowEnabled(Control(dialog, kOptSkinApply)));
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kOptSkinApply, BN_CLICKED),
                       reinterpret_cast<LPARAM>(Control(dialog, kOptSkinApply)));
        EXPECT_TRUE(notices_.empty());
        // A damaged or empty package is passed over quietly.
        for (const int damaged : {2, 3, 5}) {  // Broken, Empty, Huge
            SelectRow(dialog, kOptSkinList, damaged);
            EXPECT_FALSE(::IsWindowEnabled(Control(dialog, kOptSkinApply))) << damaged;
        }
        EXPECT_EQ(watcher.seen.load(), 1);
        // A sound one can be applied, and only its name changes.
        SelectRow(dialog, kOptSkinList, 1);
        EXPECT_TRUE(::IsWindowEnabled(Control(dialog, kOptSkinApply)));
        Click(dialog, kOptSkinApply);
        EXPECT_EQ(settings_->values().skin_file, "Blue.sk");
        EXPECT_EQ(notices_, std::vector<SettingsChange>{SettingsChange::kSkins});
    });
    EXPECT_EQ(Saved().ReadString("SKIN", "SkinFile", ""), "Blue.sk");
}

TEST_F(OptionsDialogTest, AMissingSkinSelectsTheFirstAndAppliesNothing) {
    Run("[SKIN]\r\nSkinFile=Gone.sk\r\nClockFile=Gone.cl\r\n", 2, [&](HWND dialog) {
        EXPECT_EQ(ListSelection(dialog, kOptSkinList), 0);
        EXPECT_TRUE(::IsWindowEnabled(Control(dialog, kOptSkinApply)));
        Click(dialog, kOptTabFirst + 3);
        EXPECT_EQ(ListSelection(dialog, kOptClockList), 0);
        EXPECT_TRUE(::IsWindowEnabled(Control(dialog, kOptClockApply)));
        RECT face{};
        ::GetClientRect(Control(dialog, kOptClockPreview), &face);
        EXPECT_LE(face.right, kFacePreviewSide);
        EXPECT_LE(face.bottom, kFacePreviewSide);
        EXPECT_GT(face.right, 0);
    });
    EXPECT_TRUE(notices_.size() == 5u);  // the closing notices only, no kSkins
    for (const SettingsChange change : notices_) EXPECT_NE(change, SettingsChange::kSkins);
    EXPECT_EQ(Saved().ReadString("SKIN", "SkinFile", ""), "Gone.sk");
}

TEST_F(OptionsDialogTest, MissingFoldersLeaveTheListsEmpty) {
    fs::remove_all(dir_ / "Skin");
    fs::remove_all(dir_ / "Clock");
    Run("", 2, [&](HWND dialog) {
        EXPECT_EQ(ListCount(dialog, kOptSkinList), 0);
        EXPECT_FALSE(::IsWindowEnabled(Control(dialog, kOptSkinApply)));
        Click(dialog, kOptTabFirst + 3);
        EXPECT_EQ(ListCount(dialog, kOptClockList), 0);
        EXPECT_FALSE(::IsWindowEnabled(Control(dialog, kOptClockApply)));
    });
}

TEST_F(OptionsDialogTest, ApplyingAClockSkinWritesItsName) {
    Run("[SKIN]\r\nClockFile=Classic.cl\r\n", 3, [&](HWND dialog) {
        EXPECT_EQ(ListSelection(dialog, kOptClockList), 0);
        SelectRow(dialog, kOptClockList, 1);
        Click(dialog, kOptClockApply);
        EXPECT_EQ(settings_->values().clock_file, "Modern.cl");
        EXPECT_EQ(notices_, std::vector<SettingsChange>{SettingsChange::kSkins});
    });
    EXPECT_EQ(Saved().ReadString("SKIN", "ClockFile", ""), "Modern.cl");
}

TEST_F(OptionsDialogTest, SyncNowShowsTheTimeOrTheReason) {
    sync_result_.synced_at = "2026-12-10 12:00:00";
    Run("", 5, [&](HWND dialog) {
        Click(dialog, kOptSyncNow);
        EXPECT_FALSE(busy_button_enabled_);
        EXPECT_EQ(busy_label_, "正在校正…");
        EXPECT_EQ(Text(dialog, kOptLastSync), std::string(kLastSyncPrefix) + "2026-12-10 12:00:00");
        EXPECT_TRUE(::IsWindowEnabled(Control(dialog, kOptSyncNow)));
        sync_result_ = {};
        sync_result_.reason = "校正失败：没有可用的时间服务器";
        Click(dialog, kOptSyncNow);
        EXPECT_EQ(Text(dialog, kOptLastSync), "校正失败：没有可用的时间服务器");
    });
}

TEST_F(OptionsDialogTest, LastSyncLabelFromTheHistoryFile) {
    WriteBytes(dir_ / "TimeCheck.lst", "2026-12-01 08:00:00\r\nolder\r\n");
    Run("", 5, [&](HWND dialog) {
        EXPECT_EQ(Text(dialog, kOptLastSync), std::string(kLastSyncPrefix) + "2026-12-01 08:00:00");
    });
}

std::wstring RunValue(HKEY root) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, kRunKeyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return L"<none>";
    wchar_t value[1024] = {};
    DWORD bytes = sizeof(value) - sizeof(wchar_t);
    const LSTATUS status =
        ::RegQueryValueExW(key, kRunValueName, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &bytes);
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::wstring(value) : L"<none>";
}

std::wstring UserRunValue() {
    return RunValue(HKEY_CURRENT_USER);
}

void SetRunValue(HKEY root, const std::string& value) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(root, kRunKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring wide = Widen(value);
    ::RegSetValueExW(key, kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                     static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
}

void SetUserRunValue(const std::string& value) {
    SetRunValue(HKEY_CURRENT_USER, value);
}

TEST_F(OptionsDialogTest, RunEntryRoundTripUnderTheCurrentUser) {
    // The quoted path alone counts, and closing rewrites it as the start command.
    SetUserRunValue("\"" + exe_path_ + "\"");
    Run("", 0, [&](HWND dialog) { EXPECT_TRUE(Checked(dialog, kOptRunAtStart)); });
    EXPECT_EQ(UserRunValue(), Widen(StartCommand(exe_path_)));

    // Unticked: the value goes.
    Run("", 0, [&](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, kOptRunAtStart));
        Click(dialog, kOptRunAtStart);
    });
    EXPECT_EQ(UserRunValue(), L"<none>");

    // Another program's value under the name does not tick the box; ticking replaces it.
    SetUserRunValue("\"C:\\elsewhere\\Kalvoro.exe\" /hide");
    Run("", 0, [&](HWND dialog) {
        EXPECT_FALSE(Checked(dialog, kOptRunAtStart));
        Click(dialog, kOptRunAtStart);
    });
    EXPECT_EQ(UserRunValue(), Widen(StartCommand(exe_path_)));
    EXPECT_TRUE(RunEntryPresent(exe_path_));

    // Untouched and absent: nothing is written.
    WriteRunEntry(exe_path_, false);
    Run("", 0, [&](HWND) {});
    EXPECT_EQ(UserRunValue(), L"<none>");
}

TEST_F(OptionsDialogTest, AMachineRunEntryMovesToTheCurrentUser) {
    // The prefix's user may write the machine's key; where it may not, the entry stays and the
    // box keeps showing it.
    SetRunValue(HKEY_LOCAL_MACHINE, StartCommand(exe_path_));
    ASSERT_EQ(RunValue(HKEY_LOCAL_MACHINE), Widen(StartCommand(exe_path_)));
    Run("", 0, [&](HWND dialog) { EXPECT_TRUE(Checked(dialog, kOptRunAtStart)); });
    EXPECT_EQ(UserRunValue(), Widen(StartCommand(exe_path_)));
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), L"<none>");

    // Another program's machine entry under the name is left alone.
    SetRunValue(HKEY_LOCAL_MACHINE, "\"C:\\elsewhere\\Kalvoro.exe\"");
    Run("", 0, [&](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, kOptRunAtStart));  // from the user's entry
        Click(dialog, kOptRunAtStart);
    });
    EXPECT_EQ(UserRunValue(), L"<none>");
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), L"\"C:\\elsewhere\\Kalvoro.exe\"");
    HKEY machine = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, KEY_SET_VALUE, &machine) == ERROR_SUCCESS) {
        ::RegDeleteValueW(machine, kRunValueName);
        ::RegCloseKey(machine);
    }
}

}  // namespace
}  // namespace kalvoro::win
