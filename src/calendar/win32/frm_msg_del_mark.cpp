#include "calendar/win32/frm_msg_del_mark.h"

#include <string>

#include "ui/win32/skinned_dialog.h"

namespace kalvoro::win {
namespace {

class TFrmMsgDelMark final : public SkinnedDialog {
public:
    explicit TFrmMsgDelMark(std::string_view message) : SkinnedDialog("清除标记", 322, 171), message_(message) {}

    DeleteMarksChoice choice;

protected:
    void OnCreateControls() override {
        AddLabel(message_, 10, 36, 302, 14, kDeleteMarksMessageId);
        AddControl(L"STATIC", "", SS_ETCHEDHORZ, 0, 10, 56, 302, 2, kNoId);
        AddCheckBox("删除公历标记", 56, 69, 200, 17, kDeleteSolarMarkId, true);
        AddCheckBox("删除农历标记", 56, 93, 200, 17, kDeleteLunarMarkId, true);
        AddControl(L"STATIC", "", SS_ETCHEDHORZ, 0, 10, 120, 302, 2, kNoId);
        AddButton("确定(&O)", 140, 131, 75, 25, IDOK, true);
        AddButton("取消(&C)", 220, 131, 75, 25, IDCANCEL);
    }

    bool OnOk() override {
        choice.solar = IsChecked(kDeleteSolarMarkId);
        choice.lunar = IsChecked(kDeleteLunarMarkId);
        return true;
    }

private:
    std::string message_;
};

}  // namespace

bool AskDeleteMarks(HWND owner, std::string_view message, DeleteMarksChoice& choice) {
    TFrmMsgDelMark dialog(message);
    if (!dialog.RunModal(owner)) return false;
    choice = dialog.choice;
    return true;
}

}  // namespace kalvoro::win
