#include "calendar/cell_text.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

TEST(GetLunarCellText, TermThenMonthNameOnTheFirstThenDay) {
    EXPECT_EQ(GetLunarCellText(EncodeDate(2008, 2, 4)), "立春");
    EXPECT_EQ(GetLunarCellText(EncodeDate(2008, 2, 4), true), "立春");  // a term wins in both modes
    EXPECT_EQ(GetLunarCellText(EncodeDate(2008, 2, 7)), "正月");
    EXPECT_EQ(GetLunarCellText(EncodeDate(2009, 6, 23)), "闰五月");
    EXPECT_EQ(GetLunarCellText(EncodeDate(2008, 2, 8)), "初二");
    EXPECT_EQ(GetLunarCellText(EncodeDate(2000, 1, 1), true), "戊午");
    EXPECT_EQ(GetLunarCellText(EncodeDate(1900, 1, 30)), "");
    EXPECT_EQ(GetLunarCellText(EncodeDate(1899, 12, 31), true), "");
}

}  // namespace
}  // namespace kalvoro
