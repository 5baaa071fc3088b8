#include "calendar/win32/frm_mark.h"

#include <vector>

#include "base/win32/text.h"
#include "calendar/mark_keys.h"
#include "calendar/win32/frm_edit_mark.h"
#include "ui/win32/skinned_dialog.h"

namespace kalvoro::win {
namespace {

class TFrmMark final : public SkinnedDialog {
public:
    TFrmMark(CalendarMarks& marks, DateTime today)
        : SkinnedDialog("日历标记", 412, 326), marks_(marks), today_(today) {}

    bool Changed() const { return changed_; }

protected:
    void OnCreateControls() override {
        AddLabel("所有标记", 18, 38, 70, 14);
        if (marks_.ReadOnly()) AddLabel(kMarksReadOnlyNotice, 90, 38, 300, 14, kMarkListNoticeId);
        AddControl(
            L"LISTBOX", "",
            WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_EXTENDEDSEL | LBS_USETABSTOPS,
            0, 16, 56, 299, 254, kMarkListId);
        // Tab stops in dialog units: the date after the kind, the note after the date.
        const int tabs[] = {24, 64};
        ::SendMessageW(Item(kMarkListId), LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(tabs));
        AddButton("添加(&A)", 322, 204, 75, 22, kMarkListAddId);
        AddButton("修改(&E)", 322, 228, 75, 22, kMarkListEditId);
        AddButton("删除(&D)", 322, 252, 75, 22, kMarkListDeleteId);
        AddButton("关闭(&C)", 322, 284, 75, 25, IDCANCEL);
        marks_.Lines().Sort();
        FillRows({});
    }

    void OnCommand(int id, int code) override {
        switch (id) {
            case kMarkListId:
                if (code == LBN_SELCHANGE) UpdateButtons();
                if (code == LBN_DBLCLK) EditCurrent();
                break;
            case kMarkListAddId:
                AddNew();
                break;
            case kMarkListEditId:
                EditCurrent();
                break;
            case kMarkListDeleteId:
                DeleteSelected();
                break;
            default:
                break;
        }
    }

private:
    HWND List() const { return Item(kMarkListId); }

    // The rows in the order of the lines; the given lines are selected, the last of them current.
    void FillRows(const std::vector<std::size_t>& selected) {
        const HWND list = List();
        ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (const std::string& line : marks_.Lines().lines()) {
            const std::wstring row = Widen(MarkListRow(line));
            ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
        }
        for (const std::size_t index : selected) {
            ::SendMessageW(list, LB_SETSEL, TRUE, static_cast<LPARAM>(index));
            ::SendMessageW(list, LB_SETCARETINDEX, index, FALSE);
        }
        ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(list, nullptr, TRUE);
        UpdateButtons();
    }

    std::vector<std::size_t> SelectedRows() const {
        const HWND list = List();
        const int count = static_cast<int>(::SendMessageW(list, LB_GETSELCOUNT, 0, 0));
        if (count <= 0) return {};
        std::vector<int> rows(static_cast<std::size_t>(count));
        const int got =
            static_cast<int>(::SendMessageW(list, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(rows.data())));
        std::vector<std::size_t> selected;
        for (int i = 0; i < got; ++i) {
            if (rows[static_cast<std::size_t>(i)] >= 0)
                selected.push_back(static_cast<std::size_t>(rows[static_cast<std::size_t>(i)]));
        }
        return selected;
    }

    void UpdateButtons() {
        const bool any = !SelectedRows().empty();
        ::EnableWindow(Item(kMarkListEditId), any);
        ::EnableWindow(Item(kMarkListDeleteId), any);
    }

    void AddNew() {
        std::string key = MakeMarkName(0, SolarKeyOf(today_));
        std::string note;
        if (!EditMark(hwnd(), marks_.Lines(), today_, key, note)) return;
        marks_.AddMark(key, note);
        changed_ = true;
        FillRows({marks_.Lines().IndexOfName(key).value_or(0)});
    }

    void EditCurrent() {
        const int current = static_cast<int>(::SendMessageW(List(), LB_GETCARETINDEX, 0, 0));
        if (current < 0 || static_cast<std::size_t>(current) >= marks_.Lines().size()) return;
        if (SelectedRows().empty()) return;
        const std::string old_name(SplitMarkLine(marks_.Lines()[static_cast<std::size_t>(current)]).name);
        std::string key = old_name;
        std::string note;
        if (!EditMark(hwnd(), marks_.Lines(), today_, key, note)) return;
        marks_.ChangeMark(old_name, key, note);
        changed_ = true;
        FillRows({marks_.Lines().IndexOfName(key).value_or(0)});
    }

    void DeleteSelected() {
        const std::vector<std::size_t> selected = SelectedRows();
        if (selected.empty()) return;
        const int answer = ::MessageBoxW(hwnd(), Widen(kDeleteMarksQuestion).c_str(),
                                         Widen(kDeleteMarksCaption).c_str(), MB_YESNO | MB_ICONQUESTION);
        if (answer != IDYES) return;
        marks_.DeleteLines(selected);
        changed_ = true;
        FillRows({});
    }

    CalendarMarks& marks_;
    DateTime today_;
    bool changed_ = false;
};

}  // namespace

bool ShowMarkList(HWND owner, CalendarMarks& marks, DateTime today) {
    TFrmMark dialog(marks, today);
    dialog.RunModal(owner);
    return dialog.Changed();
}

}  // namespace kalvoro::win
