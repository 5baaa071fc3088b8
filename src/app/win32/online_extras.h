#pragma once
// The online extras beside the bar: the announcements (checked on a timer, fetched by a thread,
// shown as date-line lines whose click opens their address) and the update notice from the popup
// program. They use the bar's window for their timer and messages; the host passes those on.

#include <windows.h>

#include <memory>
#include <vector>

#include "app/app_core.h"
#include "app/win32/frm_led.h"
#include "base/popup_protocol.h"
#include "online/announcements.h"
#include "online/online_settings.h"
#include "online/update_notice.h"

namespace kalvoro::win {

class OnlineExtras {
public:
    OnlineExtras(AppCore& core, TFrmLED& bar, IPopupSender& popup);
    OnlineExtras(const OnlineExtras&) = delete;
    OnlineExtras& operator=(const OnlineExtras&) = delete;

    // Reads the addresses, takes the date line's clicks and, with a server to ask, sets the first
    // announcement check.
    void Start();
    // The web site, the weather page and the announcement server as the settings name them.
    const OnlineAddresses& addresses() const { return addresses_; }
    // The announcement timer, the thread's and the popup program's messages; true when taken.
    bool HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

    static constexpr UINT_PTR kTimerAnnouncements = 8;

private:
    void CheckAnnouncements();
    void OnAnnouncementsReady();
    void OnDateLineClick();

    AppCore& core_;
    TFrmLED& bar_;
    IPopupSender& popup_;
    OnlineAddresses addresses_;
    std::unique_ptr<UpdateNotice> update_notice_;
    std::vector<TADRec> announcements_;
};

}  // namespace kalvoro::win
