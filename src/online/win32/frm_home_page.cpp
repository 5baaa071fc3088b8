#include "online/win32/frm_home_page.h"

#include <commctrl.h>

#include <string>

#include "online/announcement_actions.h"
#include "online/win32/link_label.h"
#include "online/win32/shell_actions.h"
#include "ui/win32/skinned_dialog.h"

namespace kalvoro::win {
namespace {

class TFormHomePage final : public SkinnedDialog {
public:
    TFormHomePage(std::string_view current, std::string_view proposed)
        : SkinnedDialog(kHomePageCaption, 420, 190), current_(current), proposed_(proposed) {}

protected:
    void OnCreateControls() override {
        AddLabel(kHomePageIntro, 16, 42, 388, 14);
        AddLabel(kHomePageRequest, 16, 64, 388, 14);
        links_[0] =
            AddControl(WC_STATICW, std::string(kHomePageCurrentPrefix) + current_,
                       SS_LEFT | SS_NOPREFIX | SS_NOTIFY | SS_ENDELLIPSIS, 0, 16, 96, 388, 14, kHomePageCurrentLinkId);
        links_[1] =
            AddControl(WC_STATICW, std::string(kHomePageNewPrefix) + proposed_,
                       SS_LEFT | SS_NOPREFIX | SS_NOTIFY | SS_ENDELLIPSIS, 0, 16, 118, 388, 14, kHomePageNewLinkId);
        link_font_ = CreateLinkFont(DialogFont());
        for (const HWND link : links_) ::SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(link_font_.get()), 0);
        AddButton("确定(&O)", 236, 152, 80, 24, IDOK, true);
        AddButton("取消(&C)", 324, 152, 80, 24, IDCANCEL);
    }

    void OnCommand(int id, int code) override {
        if (code != STN_CLICKED) return;
        if (id == kHomePageCurrentLinkId) OpenAddressWithShell(current_);
        if (id == kHomePageNewLinkId) OpenAddressWithShell(proposed_);
    }

    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == WM_SETCURSOR && SetLinkCursor(reinterpret_cast<HWND>(wparam), links_, 2)) return TRUE;
        const LRESULT result = SkinnedDialog::HandleMessage(message, wparam, lparam);
        if (message == WM_CTLCOLORSTATIC &&
            (reinterpret_cast<HWND>(lparam) == links_[0] || reinterpret_cast<HWND>(lparam) == links_[1])) {
            ColourLinkLabel(reinterpret_cast<HDC>(wparam));
        }
        return result;
    }

private:
    std::string current_;
    std::string proposed_;
    HWND links_[2] = {};
    Font link_font_;
};

}  // namespace

bool ShowHomePageOffer(HWND owner, std::string_view current, std::string_view proposed) {
    return TFormHomePage(current, proposed).RunModal(owner);
}

}  // namespace kalvoro::win
