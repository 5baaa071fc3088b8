// The windows are tested in a Chinese system: code page 936 and fonts with Chinese glyphs. Where
// either is missing, every text check would pass or fail for the wrong reason, so this fails.

#include <windows.h>

#include <gtest/gtest.h>

#include "base/win32/gdi.h"

namespace kalvoro::win {
namespace {

TEST(ChineseEnvironment, SystemCodePageIs936AndConvertsGbk) {
    EXPECT_EQ(::GetACP(), 936u) << "the system code page must be 936 (a zh_CN locale)";
    const char gbk[] = "\xC8\xD5\xC0\xFA";  // 日历
    wchar_t wide[8] = {};
    ASSERT_EQ(::MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, gbk, 4, wide, 8), 2) << "code page 936 is missing";
    EXPECT_EQ(wide[0], L'\u65E5');
    EXPECT_EQ(wide[1], L'\u5386');
}

TEST(ChineseEnvironment, ChineseFacesHaveChineseGlyphs) {
    const MemoryDC dc;
    ASSERT_TRUE(dc);
    for (const wchar_t* face : {L"宋体", L"黑体", L"楷体_GB2312"}) {
        LOGFONTW font{};
        font.lfHeight = -12;
        font.lfCharSet = GB2312_CHARSET;
        ::lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
        const Font handle(::CreateFontIndirectW(&font));
        ASSERT_TRUE(handle);
        const SelectObjectScope select(dc.get(), handle.get());
        WORD glyphs[4] = {};
        ASSERT_EQ(::GetGlyphIndicesW(dc.get(), L"日历农历", 4, glyphs, GGI_MARK_NONEXISTING_GLYPHS), 4u);
        for (const WORD glyph : glyphs) EXPECT_NE(glyph, 0xFFFF) << "no Chinese glyphs in the font for this face";
    }
}

}  // namespace
}  // namespace kalvoro::win
