#include <gtest/gtest.h>

#include <memory>

#include "calendar/mark_editor.h"
#include "calendar/win32/testing/calendar_window_test_support.h"
#include "calendar/win32/frm_edit_mark.h"
#include "calendar/win32/frm_input_year.h"
#include "calendar/win32/frm_msg_del_mark.h"
#include "ui/win32/testing/test_window.h"

namespace kalvoro::win {
namespace {

using testing::ChooseItem;
using testing::ChosenItem;
using testing::Click;
using testing::FindDialog;
using testing::FindMessageBox;
using testing::ItemText;
using testing::ScheduledSteps;
using testing::SetItemText;
using testing::TestWindow;
using testing::TestWindowOptions;

class MarkDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestWindowOptions options;
        options.rect = {100, 100, 432, 134};
        owner = std::make_unique<TestWindow>(options);
    }
    std::unique_ptr<TestWindow> owner;
};

TEST_F(MarkDialogsTest, EditorConvertsTheDateWhenTheKindChangesAndShowsExistingNotes) {
    const MarkLines lines({"11120=冬至前"});
    std::string key = "00101";
    std::string note;
    int month_after = -2, day_after = -2;
    std::string note_after;
    int note_limit = 0;
    bool note_has_focus = false;
    ScheduledSteps steps({[&] {
        const HWND dialog = FindDialog(L"标记");
        note_has_focus = ::GetFocus() == ::GetDlgItem(dialog, kEditMarkNoteId);
        note_limit = static_cast<int>(::SendDlgItemMessageW(dialog, kEditMarkNoteId, EM_GETLIMITTEXT, 0, 0));
        ChooseItem(dialog, kEditMarkKindId, 1);  // 公历 01-01 of 2024 is lunar 11-20
        month_after = ChosenItem(dialog, kEditMarkMonthId);
        day_after = ChosenItem(dialog, kEditMarkDayId);
        note_after = ItemText(dialog, kEditMarkNoteId);
        Click(dialog, IDOK);
    }});
    ASSERT_TRUE(EditMark(owner->hwnd(), lines, EncodeDate(2024, 3, 1), key, note));
    EXPECT_TRUE(note_has_focus);
    EXPECT_EQ(note_limit, kMarkNoteMaxLength);
    EXPECT_EQ(month_after, 10);
    EXPECT_EQ(day_after, 19);
    EXPECT_EQ(note_after, "冬至前");
    EXPECT_EQ(key, "11120");
    EXPECT_EQ(note, "冬至前");
}

TEST_F(MarkDialogsTest, EditorWaitsForADateAndCancelKeepsTheArguments) {
    const MarkLines lines;
    std::string key = "1xx15";
    std::string note = "old";
    bool still_open_after_ok = false;
    ScheduledSteps steps({[] { Click(FindDialog(L"标记"), IDOK); },
                          [&] {
                              const HWND dialog = FindDialog(L"标记");
                              still_open_after_ok = dialog != nullptr;
                              ChooseItem(dialog, kEditMarkMonthId, 2);
                              Click(dialog, IDOK);
                          }});
    ASSERT_TRUE(EditMark(owner->hwnd(), lines, EncodeDate(2024, 3, 1), key, note));
    EXPECT_TRUE(still_open_after_ok);
    EXPECT_EQ(key, "10315");
    EXPECT_EQ(note, "old");

    ScheduledSteps cancel({[] {
        const HWND dialog = FindDialog(L"标记");
        SetItemText(dialog, kEditMarkNoteId, "typed");
        Click(dialog, IDCANCEL);
    }});
    EXPECT_FALSE(EditMark(owner->hwnd(), lines, EncodeDate(2024, 3, 1), key, note));
    EXPECT_EQ(key, "10315");
    EXPECT_EQ(note, "old");
}

// The texts of a message box's static controls.
std::string MessageBoxText(HWND box) {
    std::string text;
    ::EnumChildWindows(
        box,
        [](HWND child, LPARAM param) -> BOOL {
            wchar_t name[16] = {};
            ::GetClassNameW(child, name, 16);
            if (::lstrcmpiW(name, L"Static") == 0) {
                wchar_t line[512] = {};
                ::GetWindowTextW(child, line, 512);
                *reinterpret_cast<std::string*>(param) += Narrow(line);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

TEST_F(MarkDialogsTest, EditorRefusesANoteWithCharactersTheMarksFileCannotHold) {
    const MarkLines lines;
    std::string key = "00914";
    std::string note;
    const std::string cake = "\xF0\x9F\x8E\x82";  // U+1F382, not in GBK
    std::string message;
    bool still_open = false;
    ScheduledSteps steps({[&] {
                              SetItemText(FindDialog(L"标记"), kEditMarkNoteId, "生日" + cake);
                              Click(FindDialog(L"标记"), IDOK);
                          },
                          [&] {
                              const HWND box = FindMessageBox(FindDialog(L"标记"));
                              message = MessageBoxText(box);
                              ::PostMessageW(box, WM_COMMAND, IDOK, 0);
                          },
                          [&] {
                              const HWND dialog = FindDialog(L"标记");
                              still_open = dialog != nullptr;
                              SetItemText(dialog, kEditMarkNoteId, "生日");
                              Click(dialog, IDOK);
                          }});
    ASSERT_TRUE(EditMark(owner->hwnd(), lines, EncodeDate(2024, 3, 1), key, note));
    EXPECT_TRUE(steps.Done());
    EXPECT_NE(message.find(UnsavableNoteMessage(cake)), std::string::npos) << message;
    EXPECT_TRUE(still_open);
    EXPECT_EQ(note, "生日");
}

TEST_F(MarkDialogsTest, DeleteQuestionStartsWithBothBoxesTicked) {
    DeleteMarksChoice choice{false, false};
    bool both_ticked = false;
    ScheduledSteps steps({[&] {
        const HWND dialog = FindDialog(L"清除标记");
        both_ticked =
            ::IsDlgButtonChecked(dialog, kDeleteSolarMarkId) && ::IsDlgButtonChecked(dialog, kDeleteLunarMarkId);
        Click(dialog, IDOK);
    }});
    ASSERT_TRUE(AskDeleteMarks(owner->hwnd(), "公历：01月01日   农历：11月20日", choice));
    EXPECT_TRUE(both_ticked);
    EXPECT_TRUE(choice.solar);
    EXPECT_TRUE(choice.lunar);

    ScheduledSteps cancel({[] { Click(FindDialog(L"清除标记"), IDCANCEL); }});
    choice = {false, false};
    EXPECT_FALSE(AskDeleteMarks(owner->hwnd(), "x", choice));
    EXPECT_FALSE(choice.solar);
}

TEST_F(MarkDialogsTest, YearDialogStartsAtTheGivenYearAndKeepsToTheCalendarsYears) {
    struct Case {
        std::string_view typed;
        int year;
    };
    for (const Case& c : {Case{"1950", 1950}, Case{"3000", 2100}, Case{"1234", 1900}}) {
        int year = 2009;
        std::string shown;
        ScheduledSteps steps({[&] {
            const HWND dialog = FindDialog(L"其他");
            shown = ItemText(dialog, kInputYearEditId);
            SetItemText(dialog, kInputYearEditId, c.typed);
            Click(dialog, IDOK);
        }});
        ASSERT_TRUE(AskYear(owner->hwnd(), year)) << c.typed;
        EXPECT_EQ(shown, "2009");
        EXPECT_EQ(year, c.year) << c.typed;
    }

    int year = 2009;
    ScheduledSteps empty_then_cancel({[] {
                                          const HWND dialog = FindDialog(L"其他");
                                          SetItemText(dialog, kInputYearEditId, "");
                                          Click(dialog, IDOK);
                                      },
                                      [] { Click(FindDialog(L"其他"), IDCANCEL); }});
    EXPECT_FALSE(AskYear(owner->hwnd(), year));
    EXPECT_TRUE(empty_then_cancel.Done());
    EXPECT_EQ(year, 2009);
}

}  // namespace
}  // namespace kalvoro::win
