#include "app/win32/online_extras.h"

#include <string>

#include "base/win32/window.h"
#include "base/win32/text.h"
#include "online/win32/ad_thread.h"
#include "online/win32/shell_actions.h"
#include "online/win32/update_notice_messages.h"

namespace kalvoro::win {

OnlineExtras::OnlineExtras(AppCore& core, TFrmLED& bar, IPopupSender& popup) : core_(core), bar_(bar), popup_(popup) {}

void OnlineExtras::Start() {
    addresses_ = ReadOnlineAddresses(core_.settings().file());
    update_notice_ = std::make_unique<UpdateNotice>(core_.files(), core_.app_dir(), core_.clock(), SystemDateLocale(),
                                                    popup_, addresses_.web_site);
    bar_.date_line().SetOnClick([this] { Guarded([&] { OnDateLineClick(); }); });
    // Without a server to ask, no announcement request is ever made.
    if (!addresses_.announcements.empty()) {
        ::SetTimer(bar_.hwnd(), kTimerAnnouncements, FirstAnnouncementCheckDelayMs(), nullptr);
    }
}

bool OnlineExtras::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    switch (message) {
        case WM_TIMER:
            if (wparam != kTimerAnnouncements) return false;
            Guarded([&] { CheckAnnouncements(); });
            result = 0;
            return true;
        case kMsgAnnouncementsReady:
            Guarded([&] { OnAnnouncementsReady(); });
            result = 0;
            return true;
        case kMsgUpdateNotice:
            if (update_notice_) Guarded([&] { OnUpdateNoticeMessage(*update_notice_, lparam); });
            result = 0;
            return true;
        case kMsgUpdateCheckDone:
            if (update_notice_) Guarded([&] { update_notice_->OnUpdateCheckDone(); });
            result = 0;
            return true;
        case WM_COPYDATA: {
            bool taken = false;
            if (update_notice_) Guarded([&] { taken = OnUpdateNoticeCopyData(*update_notice_, lparam); });
            result = taken ? TRUE : FALSE;
            return true;
        }
        default:
            return false;
    }
}

void OnlineExtras::CheckAnnouncements() {
    HWND bar = bar_.hwnd();
    ::KillTimer(bar, kTimerAnnouncements);
    const DateTime now = core_.clock().Now();
    if (auto request = kalvoro::CheckAnnouncements(core_.files(), core_.app_dir(), addresses_.announcements, now,
                                                   SystemDateLocale())) {
        StartAnnouncementThread(*request, bar);
    }
    ::SetTimer(bar, kTimerAnnouncements,
               NextAnnouncementCheckMs(core_.files(), core_.app_dir(), now, SystemDateLocale()), nullptr);
}

void OnlineExtras::OnAnnouncementsReady() {
    LoadedAnnouncements loaded = LoadAnnouncements(core_.files(), core_.app_dir());
    announcements_ = std::move(loaded.list);
    if (!loaded.file_found) return;
    FadeTextControl& line = bar_.date_line();
    const std::string first = line.LineCount() > 0 ? line.Line(0) : std::string();
    line.BeginUpdate();
    line.ClearLines();
    for (const std::string& text : DateLineWithAnnouncements({first}, announcements_)) line.AddLine(text);
    line.EndUpdate();
}

void OnlineExtras::OnDateLineClick() {
    RunDateLineClickFromBar(bar_.hwnd(), bar_.CurrentDateLine(), announcements_);
}

}  // namespace kalvoro::win
