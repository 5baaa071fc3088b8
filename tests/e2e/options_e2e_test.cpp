// The settings dialog 系统设置 in the real program: each menu item opens its page, the transparency
// slider and LED/普通 act on the bar at once and are written on closing, and another bar skin
// repaints the bar without touching the other settings.

#include <windows.h>
// commctrl.h needs the types of windows.h first.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "app/win32/frm_options.h"
#include "base/ini_file.h"
#include "e2e/app_under_test.h"
#include "e2e/pixels.h"
#include "skin/bar_skin.h"
#include "skin/skin_image.h"
#include "skin/skin_package_format.h"

namespace kalvoro::e2e {
namespace {

using namespace std::chrono_literals;

// Rows of the six 系统设置 items in the bar's main menu, whose command is 1000 + row.
constexpr int kFirstOptionsItemId = 1000 + 9;
using win::kOptBarAlpha;
using win::kOptBarAlphaLabel;
using win::kOptLed;
using win::kOptPlain;
using win::kOptSkinApply;
using win::kOptSkinList;
using win::kOptTabFirst;
constexpr const wchar_t* kDialogClass = L"KalvoroSkinnedDialog";

constexpr char kSettings[] =
    "[SKIN]\r\nSkinFile=Default.sk\r\n[BAR]\r\nLeft=20\r\nTop=20\r\nTr=255\r\nOnTop=1\r\nDefWin=0\r\n"
    "[MSG]\r\nAuto=0\r\nAutoSec=77\r\nTran=123\r\n";

HWND OpenOptions(AppUnderTest& app, int page) {
    ::PostMessageW(app.bar(), WM_COMMAND, static_cast<WPARAM>(kFirstOptionsItemId + page), 0);
    HWND dialog = nullptr;
    WaitFor([&] {
        const auto found = app.WindowsOfClass(kDialogClass);
        dialog = found.empty() ? nullptr : found.front();
        return dialog != nullptr;
    });
    return dialog;
}

void CloseOptions(AppUnderTest& app, HWND dialog) {
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return app.AllWindowsOfClass(kDialogClass).empty() || !::IsWindow(dialog); }));
}

IniDocument Settings(const AppUnderTest& app) {
    return IniDocument::Parse(app.ReadSettings());
}

bool Checked(HWND dialog, int id) {
    return ::SendMessageW(::GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

BarSkin ShippedBarSkin() {
    const std::string bytes =
        ReadFileBytes(std::wstring(L"" KALVORO_SOURCE_DIR_W) + L"\\resources\\skins\\Skin\\Default.sk");
    auto skin = LoadBarSkinData(bytes);
    return skin ? *skin : BarSkin{};
}

// Pixels of the colour inside the bar's LED panel.
int PanelPixels(const Pixels& shot, COLORREF colour) {
    int count = 0;
    for (int y = 5; y < 29; ++y) {
        for (int x = 54; x < 168; ++x) count += shot.At(x, y) == colour;
    }
    return count;
}

TEST(OptionsTest, EachSettingsMenuItemOpensItsPage) {
    AppUnderTest app;
    app.WriteSettings(kSettings);
    ASSERT_TRUE(app.Start());
    for (int page = 0; page < 6; ++page) {
        const HWND dialog = OpenOptions(app, page);
        ASSERT_NE(dialog, nullptr) << page;
        for (int tab = 0; tab < 6; ++tab) EXPECT_EQ(Checked(dialog, kOptTabFirst + tab), tab == page) << page;
        PumpFor(300ms);
        SaveSnapshot(CaptureWindow(dialog), L"options-page-" + std::to_wstring(page));
        CloseOptions(app, dialog);
    }
    // Closing writes the dialog's keys back as they were.
    const IniDocument saved = Settings(app);
    EXPECT_EQ(saved.ReadString("MSG", "AutoSec", ""), "77");
    EXPECT_EQ(saved.ReadString("MSG", "Tran", ""), "123");
    EXPECT_EQ(saved.ReadString("BAR", "DefWin", ""), "0");
    EXPECT_TRUE(app.Close());
}

TEST(OptionsTest, SliderTurnsTheBarAtOnceAndClosingWritesIt) {
    AppUnderTest app;
    app.WriteSettings(kSettings);
    ASSERT_TRUE(app.Start());
    const HWND dialog = OpenOptions(app, 2);
    ASSERT_NE(dialog, nullptr);
    const HWND slider = ::GetDlgItem(dialog, kOptBarAlpha);
    EXPECT_EQ(::SendMessageW(slider, TBM_GETPOS, 0, 0), 255);
    ::SendMessageW(slider, TBM_SETPOS, TRUE, 155);
    ::SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 155), reinterpret_cast<LPARAM>(slider));
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(WaitFor([&] {
        return ::GetLayeredWindowAttributes(app.bar(), nullptr, &alpha, &flags) && alpha == 155;
    })) << static_cast<int>(alpha);
    wchar_t label[16] = {};
    ::GetDlgItemTextW(dialog, kOptBarAlphaLabel, label, 15);
    EXPECT_STREQ(label, L"40%");
    CloseOptions(app, dialog);
    EXPECT_TRUE(WaitFor([&] { return Settings(app).ReadInteger("BAR", "Tr", 0) == 155; }));
    EXPECT_TRUE(app.Close());
}

TEST(OptionsTest, PlainTimeHidesTheDigitsAndClosingWritesTheFont) {
    const BarSkin skin = ShippedBarSkin();
    AppUnderTest app;
    app.WriteSettings(kSettings);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(
        WaitFor([&] { return PanelPixels(CaptureWindow(app.bar()), static_cast<COLORREF>(skin.led_light)) > 20; }));

    const HWND dialog = OpenOptions(app, 3);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(Checked(dialog, kOptLed));
    ::SendMessageW(::GetDlgItem(dialog, kOptPlain), BM_CLICK, 0, 0);
    EXPECT_TRUE(
        WaitFor([&] { return PanelPixels(CaptureWindow(app.bar()), static_cast<COLORREF>(skin.led_light)) == 0; }));
    SaveSnapshot(CaptureWindow(app.bar()), L"options-bar-plain-time");
    CloseOptions(app, dialog);
    EXPECT_TRUE(WaitFor([&] { return Settings(app).ReadString("LED", "LEDFont", "") == "0"; }));
    const IniDocument saved = Settings(app);
    EXPECT_EQ(saved.ReadString("LED", "FontName", ""), "Tahoma");
    EXPECT_EQ(saved.ReadString("LED", "FontSize", ""), "18");
    EXPECT_EQ(saved.ReadString("LED", "FontColor", ""), "16777215");
    for (const char* key : {"FontBold", "FontItalic", "FontUnderline", "FontStrikeOut"}) {
        EXPECT_EQ(saved.ReadString("LED", key, ""), "0") << key;
    }
    EXPECT_TRUE(app.Close());
}

TEST(OptionsTest, AnotherBarSkinRepaintsTheBarAndLeavesTheOtherKeys) {
    const std::string shipped =
        ReadFileBytes(std::wstring(L"" KALVORO_SOURCE_DIR_W) + L"\\resources\\skins\\Skin\\Default.sk");
    const auto blocks = SplitSkinPackage(shipped);
    ASSERT_TRUE(blocks);
    std::string description(blocks->description);
    const std::string from = "LEDBkColor=0x000D0906";
    const std::size_t at = description.find(from);
    ASSERT_NE(at, std::string::npos);
    description.replace(at, from.size(), "LEDBkColor=0x000000FF");  // red

    AppUnderTest app;
    app.WriteSettings(kSettings);
    WriteFileBytes(app.PathOf(L"Skin\\Red.sk"), BuildSkinPackage(description, blocks->bitmap));
    ASSERT_TRUE(app.Start());
    // The default skin's digits are lit, and the panel has no red.
    const COLORREF light = static_cast<COLORREF>(ShippedBarSkin().led_light);
    ASSERT_TRUE(WaitFor([&] { return PanelPixels(CaptureWindow(app.bar()), light) > 20; }));
    const COLORREF red = RGB(255, 0, 0);
    EXPECT_EQ(PanelPixels(CaptureWindow(app.bar()), red), 0);
    const std::string before = app.ReadSettings();

    const HWND dialog = OpenOptions(app, 2);
    ASSERT_NE(dialog, nullptr);
    const HWND list = ::GetDlgItem(dialog, kOptSkinList);
    ASSERT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 2);  // Default.sk, Red.sk
    EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
    ::SendMessageW(list, LB_SETCURSEL, 1, 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kOptSkinList, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    PumpFor(200ms);
    SaveSnapshot(CaptureWindow(dialog), L"options-skin-preview-red");
    ::SendMessageW(::GetDlgItem(dialog, kOptSkinApply), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return PanelPixels(CaptureWindow(app.bar()), red) > 500; }));

    const IniDocument applied = Settings(app);
    const IniDocument original = IniDocument::Parse(before);
    EXPECT_EQ(applied.ReadString("SKIN", "SkinFile", ""), "Red.sk");
    for (const auto& [section, key] : {std::pair{"BAR", "OnTop"},
                                       {"BAR", "DefWin"},
                                       {"BAR", "Tr"},
                                       {"MSG", "Auto"},
                                       {"MSG", "AutoSec"},
                                       {"MSG", "Tran"}}) {
        EXPECT_EQ(applied.ReadString(section, key, "<none>"), original.ReadString(section, key, "<none>"))
            << section << "/" << key;
    }
    EXPECT_FALSE(applied.HasKey("MSG", "CalendarLX"));  // nothing else was written yet
    CloseOptions(app, dialog);
    EXPECT_TRUE(app.Close());
}

}  // namespace
}  // namespace kalvoro::e2e
