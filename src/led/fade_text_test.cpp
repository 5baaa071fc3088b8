#include "led/fade_text.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

TEST(FadeTextLine, FontTagChoosesTheFontAndIsNotShown) {
    struct Case {
        const char* line;
        FadeTextFont font;
        const char* text;
    };
    const Case cases[] = {
        {"<FontCN>2024年05月06日 星期一", FadeTextFont::kFontCN, "2024年05月06日 星期一"},
        {"<FontAD>新版本发布", FadeTextFont::kFontAD, "新版本发布"},
        {"<FontAD>", FadeTextFont::kFontAD, ""},
        {"no tag", FadeTextFont::kFontCN, "no tag"},
        {"<fontad>lower case is text", FadeTextFont::kFontCN, "<fontad>lower case is text"},
        {"x<FontAD>", FadeTextFont::kFontCN, "x<FontAD>"},
        {"", FadeTextFont::kFontCN, ""},
    };
    for (const Case& c : cases) {
        const FadeTextLineView view = ParseFadeTextLine(c.line);
        EXPECT_EQ(view.font, c.font) << c.line;
        EXPECT_EQ(view.text, c.text) << c.line;
    }
}

class FadeTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        text.AddLine("<FontCN>date");
        text.AddLine("<FontAD>one");
        text.AddLine("<FontAD>two");
    }
    FadeText text;
};

TEST_F(FadeTextTest, NothingShownUntilALineIs) {
    EXPECT_EQ(text.CurrentLine(), -1);
    EXPECT_EQ(text.Frame(), (FadeTextFrame{-1, 0}));
    EXPECT_FALSE(text.NeedsTimer());
    EXPECT_EQ(text.MillisecondsToNextStep(), -1);
    EXPECT_TRUE(text.ShowLine(0));
    EXPECT_EQ(text.Frame(), (FadeTextFrame{0, 255}));
    EXPECT_FALSE(text.ShowLine(3));
    EXPECT_FALSE(text.ShowLine(-1));
    EXPECT_EQ(text.CurrentLine(), 0);
}

TEST_F(FadeTextTest, InactiveHoldsTheLineForever) {
    text.ShowLine(0);
    EXPECT_FALSE(text.Advance(10'000'000));
    EXPECT_EQ(text.Frame(), (FadeTextFrame{0, 255}));
    EXPECT_FALSE(text.NeedsTimer());
}

TEST_F(FadeTextTest, ActiveCyclesWithFadesAndWrapsWithoutEnd) {
    text.ShowLine(0);
    text.SetActive(true);  // starts with the fade to line 1
    struct Step {
        int at_ms;
        FadeTextFrame frame;
    };
    // Each line: 300 ms fading out, 300 ms fading in, 3500 ms held.
    const Step steps[] = {
        {0, {0, 255}},    {150, {0, 127}},  {299, {0, 0}},    {300, {1, 0}},     {450, {1, 127}},   {600, {1, 255}},
        {4099, {1, 255}}, {4100, {1, 255}}, {4250, {1, 127}}, {4400, {2, 0}},    {4700, {2, 255}},  {8499, {2, 0}},
        {8500, {0, 0}},   {8800, {0, 255}}, {12600, {1, 0}},  {12900, {1, 255}}, {16500, {1, 170}}, {17000, {2, 255}},
    };
    int now = 0;
    for (const Step& step : steps) {
        text.Advance(step.at_ms - now);
        now = step.at_ms;
        EXPECT_EQ(text.Frame(), step.frame) << "at " << step.at_ms << " ms";
        EXPECT_EQ(text.CurrentLine(), step.frame.line) << "at " << step.at_ms << " ms";
        EXPECT_TRUE(text.NeedsTimer());
    }
}

TEST_F(FadeTextTest, TimerStepsAreShortWhileFadingAndOneWhileHolding) {
    text.ShowLine(0);
    text.SetActive(true);
    EXPECT_EQ(text.MillisecondsToNextStep(), FadeText::kFadeFrameMs);
    text.Advance(290);
    EXPECT_EQ(text.MillisecondsToNextStep(), 10);
    text.Advance(310);  // faded in, holding
    EXPECT_EQ(text.MillisecondsToNextStep(), 3500);
    text.Advance(1000);
    EXPECT_EQ(text.MillisecondsToNextStep(), 2500);
}

TEST_F(FadeTextTest, ActivatingBeforeAnyLineFadesInTheFirst) {
    text.SetActive(true);
    EXPECT_EQ(text.Frame(), (FadeTextFrame{0, 0}));
    text.Advance(600);
    EXPECT_EQ(text.Frame(), (FadeTextFrame{0, 255}));
}

TEST_F(FadeTextTest, ActivatingContinuesAfterTheCurrentLine) {
    text.ShowLine(2);
    text.SetActive(true);
    text.Advance(600);
    EXPECT_EQ(text.Frame(), (FadeTextFrame{0, 255}));
}

TEST_F(FadeTextTest, DeactivatingMidFadeHoldsTheNewLine) {
    text.ShowLine(0);
    text.SetActive(true);
    text.Advance(100);
    EXPECT_TRUE(text.SetActive(false));
    EXPECT_EQ(text.Frame(), (FadeTextFrame{1, 255}));
    EXPECT_FALSE(text.NeedsTimer());
    text.Advance(100'000);
    EXPECT_EQ(text.CurrentLine(), 1);
}

TEST(FadeTextSingleLine, NeedsNoTimerUntilASecondLineArrives) {
    FadeText text;
    text.AddLine("<FontCN>date");
    text.ShowLine(0);
    text.SetActive(true);
    EXPECT_EQ(text.Frame(), (FadeTextFrame{0, 255}));
    EXPECT_FALSE(text.NeedsTimer());
    text.Advance(100'000);
    EXPECT_EQ(text.Frame(), (FadeTextFrame{0, 255}));

    text.AddLine("<FontAD>news");
    EXPECT_TRUE(text.NeedsTimer());
    text.Advance(3500 + 600);
    EXPECT_EQ(text.Frame(), (FadeTextFrame{1, 255}));
}

TEST_F(FadeTextTest, LongStallMovesOnOneStepOnly) {
    text.ShowLine(0);
    text.SetActive(true);
    text.Advance(600);
    text.Advance(36'000'000);
    EXPECT_EQ(text.CurrentLine(), 2);
}

TEST_F(FadeTextTest, ZeroFadeSwitchesAtOnce) {
    text.SetFadeDuration(0);
    text.ShowLine(0);
    text.SetActive(true);
    EXPECT_EQ(text.Frame(), (FadeTextFrame{1, 255}));
    text.Advance(3500);
    EXPECT_EQ(text.Frame(), (FadeTextFrame{2, 255}));
}

TEST_F(FadeTextTest, EditsReportRepaintOnlyForTheShownLine) {
    EXPECT_FALSE(text.SetLine(0, "<FontCN>other")) << "nothing shown yet";
    text.ShowLine(0);
    EXPECT_TRUE(text.SetLine(0, "<FontCN>new date"));
    EXPECT_FALSE(text.SetLine(0, "<FontCN>new date"));
    EXPECT_FALSE(text.SetLine(1, "<FontAD>changed"));
    EXPECT_FALSE(text.SetLine(7, "x"));
    EXPECT_FALSE(text.AddLine("<FontAD>three"));
    EXPECT_EQ(text.Line(1), "<FontAD>changed");
    EXPECT_EQ(text.Line(9), "");
}

TEST_F(FadeTextTest, UpdateBracketDefersTheRepaintToItsEnd) {
    text.ShowLine(0);
    text.BeginUpdate();
    text.BeginUpdate();
    EXPECT_FALSE(text.SetLine(0, "<FontCN>tomorrow"));
    EXPECT_FALSE(text.EndUpdate()) << "inner end";
    EXPECT_TRUE(text.Updating());
    EXPECT_TRUE(text.EndUpdate());
    EXPECT_FALSE(text.Updating());

    text.BeginUpdate();
    text.SetLine(2, "<FontAD>not shown");
    EXPECT_FALSE(text.EndUpdate()) << "nothing visible changed";
    EXPECT_FALSE(text.EndUpdate()) << "an unmatched end is ignored";

    {
        FadeTextUpdate<FadeText> bracket(text);
        EXPECT_TRUE(text.Updating());
    }
    EXPECT_FALSE(text.Updating());
}

TEST_F(FadeTextTest, RemovingTheShownLineFallsBackToTheDateLine) {
    text.ShowLine(2);
    EXPECT_TRUE(text.KeepFirstLines(1));
    EXPECT_EQ(text.LineCount(), 1);
    EXPECT_EQ(text.Frame(), (FadeTextFrame{0, 255}));

    text.AddLine("<FontAD>a");
    text.AddLine("<FontAD>b");
    text.ShowLine(2);
    EXPECT_TRUE(text.DeleteLine(0));
    EXPECT_EQ(text.CurrentLine(), 1) << "same line, new index";
    EXPECT_EQ(text.Line(1), "<FontAD>b");

    EXPECT_TRUE(text.ClearLines());
    EXPECT_EQ(text.Frame(), (FadeTextFrame{-1, 0}));
    EXPECT_FALSE(text.DeleteLine(0));
}

TEST_F(FadeTextTest, RemovingTheLineAFadeHeadsForHoldsTheCurrent) {
    text.ShowLine(0);
    text.SetActive(true);
    text.Advance(100);  // fading out line 0 towards line 1
    text.KeepFirstLines(1);
    EXPECT_EQ(text.Frame(), (FadeTextFrame{0, 255}));
    EXPECT_FALSE(text.NeedsTimer());
}

}  // namespace
}  // namespace kalvoro
