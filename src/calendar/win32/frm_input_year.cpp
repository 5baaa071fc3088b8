#include "calendar/win32/frm_input_year.h"

#include <commctrl.h>

#include <string>

#include "calendar/calendar_window_menus.h"
#include "ui/win32/skinned_dialog.h"

namespace kalvoro::win {
namespace {

class TFrmInputYear final : public SkinnedDialog {
public:
    explicit TFrmInputYear(int year) : SkinnedDialog("其他", 232, 118), year_(year) {}

    int Year() const { return year_; }

protected:
    void OnCreateControls() override {
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_UPDOWN_CLASS};
        ::InitCommonControlsEx(&classes);
        AddLabel("年", 146, 46, 20, 14);
        const HWND field = AddEdit(std::to_string(year_), 62, 42, 80, 21, kInputYearEditId, ES_NUMBER | ES_RIGHT);
        const HWND spin =
            AddControl(UPDOWN_CLASSW, "", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0,
                       0, 0, kNoId);
        if (spin) {
            ::SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(field), 0);
            ::SendMessageW(spin, UDM_SETRANGE32, kYearInputMin, kYearInputMax);
            ::SendMessageW(spin, UDM_SETPOS32, 0, year_);
        }
        AddButton("确定(&O)", 52, 80, 75, 25, IDOK, true);
        AddButton("取消(&C)", 134, 80, 75, 25, IDCANCEL);
    }

    bool OnOk() override {
        const std::optional<int> year = ParseYearInput(ItemText(kInputYearEditId));
        if (!year) return false;
        year_ = *year;
        return true;
    }

private:
    int year_;
};

}  // namespace

bool AskYear(HWND owner, int& year) {
    TFrmInputYear dialog(year);
    if (!dialog.RunModal(owner)) return false;
    year = dialog.Year();
    return true;
}

}  // namespace kalvoro::win
