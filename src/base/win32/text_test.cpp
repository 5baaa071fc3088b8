#include "base/win32/text.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "base/file_store.h"

namespace kalvoro {
namespace {

TEST(Win32TextTest, WidensAndNarrowsUtf8) {
    EXPECT_EQ(Widen("星期日 A😀"), L"星期日 A😀");
    EXPECT_EQ(Narrow(L"星期日 A😀"), "星期日 A😀");
    EXPECT_EQ(Widen("\xE4\xB8"), L"\uFFFD");
    EXPECT_EQ(Narrow(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
}

TEST(Win32TextTest, ConvertsWindowsDatePictures) {
    struct Case {
        const wchar_t* picture;
        const char* pattern;
    };
    const Case cases[] = {
        {L"yyyy/M/d", "yyyy/m/d"},
        {L"yy-MM-dd", "yy-mm-dd"},
        {L"H:mm:ss", "h:nn:ss"},
        {L"HH:mm", "hh:nn"},
        {L"tt h:mm:ss", "AM/PM h:nn:ss"},
        {L"h:mm:ss tt", "h:nn:ss AM/PM"},
        {L"yyyy'年'M'月'd'日'", "yyyy年m月d日"},
        {L"dddd, MMMM dd, yyyy", "dddd, mmmm dd, yyyy"},
        {L"d 'de' MMMM", "d\" de \"mmmm"},
        {L"HH 'h' mm", "hh\" h \"nn"},
        {L"h 'o''clock'", "h\" o'clock\""},
        {L"gg yyyy", " yyyy"},
        {L"''", "\"'\""},
    };
    for (const Case& c : cases) EXPECT_EQ(ConvertWindowsDateFormat(c.picture), c.pattern) << c.pattern;
}

TEST(Win32TextTest, SystemLocaleFormatsDates) {
    const DateLocale& locale = SystemDateLocale();
    for (const std::string& name : locale.long_day_names) EXPECT_FALSE(name.empty());
    for (const std::string& name : locale.long_month_names) EXPECT_FALSE(name.empty());
    const DateTime friday = EncodeDateTime({2024, 2, 9}, {8, 5, 3, 0});
    const std::string text = FormatDateTime("ddddd tt", friday, locale);
    EXPECT_NE(text.find('9'), std::string::npos) << text;
    EXPECT_NE(text.find("05"), std::string::npos) << text;
    // The Chinese names need the Chinese locale the harness sets; without it this fails.
    ASSERT_EQ(GetACP(), 936u) << "the system code page must be 936 (GBK)";
    EXPECT_EQ(FormatDateTime("dddd", friday, locale), "星期五");
    EXPECT_EQ(text.substr(0, 9), "2024/2/9 ");
    EXPECT_EQ(text.substr(text.size() - 5), "05:03");
}

TEST(Win32TextTest, AppDirectoryHoldsTheProgram) {
    const std::string folder = AppDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_TRUE(DiskFileStore().Exists(folder + "kalvoro_base_win_tests.exe"));
}

}  // namespace
}  // namespace kalvoro
