#include "calendar/win32/frm_edit_mark.h"

#include "base/win32/text.h"
#include "calendar/mark_editor.h"
#include "ui/win32/skinned_dialog.h"

namespace kalvoro::win {
namespace {

class TFrmEditMark final : public SkinnedDialog {
public:
    TFrmEditMark(const MarkLines& lines, DateTime today) : SkinnedDialog("标记", 342, 141), editor_(lines, today) {}

    void Open(std::string_view key, std::string_view note) { editor_.Open(key, note); }
    const MarkEditor& Editor() const { return editor_; }

protected:
    void OnCreateControls() override {
        // The note field comes first in the tab order: it has the focus when the dialog opens.
        AddEdit("", 52, 70, 266, 21, kEditMarkNoteId);
        ::SendMessageW(Item(kEditMarkNoteId), EM_LIMITTEXT, kMarkNoteMaxLength, 0);
        AddLabel("日期", 24, 46, 26, 14);
        AddComboBox(52, 42, 57, 120, kEditMarkKindId);
        for (const std::string_view kind : MarkEditor::KindItems()) AddItem(kEditMarkKindId, kind);
        AddComboBox(116, 42, 41, 220, kEditMarkMonthId);
        for (int i = 0; i < MarkEditor::kMonthCount; ++i) AddItem(kEditMarkMonthId, MarkEditor::MonthItem(i));
        AddLabel("月", 162, 46, 14, 14);
        AddComboBox(180, 42, 41, 220, kEditMarkDayId);
        for (int i = 0; i < MarkEditor::kDayCount; ++i) AddItem(kEditMarkDayId, MarkEditor::DayItem(i));
        AddLabel("日", 226, 46, 14, 14);
        AddLabel("备注", 24, 74, 26, 14);
        AddButton("确定(&O)", 164, 104, 75, 25, IDOK, true);
        AddButton("取消(&C)", 244, 104, 75, 25, IDCANCEL);
        ShowEditor();
    }

    void OnCommand(int id, int code) override {
        if (code == CBN_SELCHANGE) {
            editor_.SetNote(ItemText(kEditMarkNoteId));
            const int index = SelectedIndex(id);
            if (id == kEditMarkKindId) editor_.SelectKind(index);
            if (id == kEditMarkMonthId) editor_.SelectMonth(index);
            if (id == kEditMarkDayId) editor_.SelectDay(index);
            ShowEditor();
        }
    }

    bool OnOk() override {
        editor_.SetNote(ItemText(kEditMarkNoteId));
        // A character the file cannot hold would come back as "?" after the next start.
        const std::string lacking = CharactersGbkLacks(editor_.Note());
        if (!lacking.empty()) {
            ::MessageBoxW(hwnd(), Widen(UnsavableNoteMessage(lacking)).c_str(), L"标记", MB_OK | MB_ICONWARNING);
            ::SetFocus(Item(kEditMarkNoteId));
            return false;
        }
        return editor_.Key().has_value();
    }

private:
    void ShowEditor() {
        SelectIndex(kEditMarkKindId, editor_.Kind());
        SelectIndex(kEditMarkMonthId, editor_.Month());
        SelectIndex(kEditMarkDayId, editor_.Day());
        if (ItemText(kEditMarkNoteId) != editor_.Note()) SetItemText(kEditMarkNoteId, editor_.Note());
    }

    MarkEditor editor_;
};

}  // namespace

bool EditMark(HWND owner, const MarkLines& lines, DateTime today, std::string& key, std::string& note) {
    TFrmEditMark dialog(lines, today);
    dialog.Open(key, note);
    if (!dialog.RunModal(owner)) return false;
    const std::optional<std::string> chosen = dialog.Editor().Key();
    if (!chosen) return false;
    key = *chosen;
    note = dialog.Editor().Note();
    return true;
}

}  // namespace kalvoro::win
