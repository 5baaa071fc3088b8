// Parsing the chime hot key's settings texts: the seven modifier names in any letter case, the key's
// character code, and the texts that leave the hot key unregistered.

#include "tasks/hot_key_text.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

TEST(HotKeyText, SevenModifierNamesInAnyLetterCase) {
    struct Case {
        const char* text;
        unsigned bits;
    };
    const Case cases[] = {
        {"Alt", 1},
        {"Ctrl", 2},
        {"Shift", 4},
        {"Alt + Ctrl", 3},
        {"Alt + Shift", 5},
        {"Ctrl + Shift", 6},
        {"Alt + Ctrl + Shift", 7},
        {"alt", 1},
        {"CTRL", 2},
        {"sHIFT", 4},
        {"ALT + CTRL", 3},
        {"alt + shift", 5},
        {"cTRL + sHIFT", 6},
        {"alt + ctrl + shift", 7},
    };
    for (const Case& c : cases) EXPECT_EQ(HotKeyModifierBits(c.text), c.bits) << c.text;
}

TEST(HotKeyText, OtherModifierTextsGiveNoBits) {
    for (const char* text : {"", "Ctrl+Shift", "Ctrl + Alt", "Shift + Ctrl", " Ctrl", "Ctrl ", "Win",
                             "Alt + Ctrl + Shif", "Control", "Ａｌｔ"}) {
        EXPECT_EQ(HotKeyModifierBits(text), 0u) << text;
    }
}

TEST(HotKeyText, KeyIsItsFirstCharactersCode) {
    EXPECT_EQ(HotKeyVirtualKey("A"), 0x41u);
    EXPECT_EQ(HotKeyVirtualKey("Z"), 0x5Au);
    EXPECT_EQ(HotKeyVirtualKey("Tab"), 0x54u);
    EXPECT_EQ(HotKeyVirtualKey("7"), 0x37u);
    EXPECT_EQ(HotKeyVirtualKey("t"), 0x54u);
    EXPECT_EQ(HotKeyVirtualKey("a"), 0x41u);
    EXPECT_EQ(HotKeyVirtualKey("z"), 0x5Au);
    EXPECT_EQ(HotKeyVirtualKey(""), 0u);
    EXPECT_EQ(HotKeyVirtualKey("时"), 0u);
    EXPECT_EQ(HotKeyVirtualKey("\tA"), 0u);
}

TEST(HotKeyText, ParseNeedsBothTexts) {
    EXPECT_EQ(ParseChimeHotKey("ctrl + shift", "t"), (ChimeKeyCombination{6, 'T'}));
    EXPECT_EQ(ParseChimeHotKey("Alt", "Q"), (ChimeKeyCombination{1, 'Q'}));
    EXPECT_FALSE(ParseChimeHotKey("Ctrl", "").has_value());
    EXPECT_FALSE(ParseChimeHotKey("Win", "T").has_value());
    EXPECT_FALSE(ParseChimeHotKey("", "").has_value());
}

}  // namespace
}  // namespace kalvoro
