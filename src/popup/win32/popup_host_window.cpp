#include "popup/win32/popup_host_window.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <vector>

#include "base/win32/text.h"
#include "popup/copydata_text.h"
#include "base/popup_protocol.h"
#include "base/win32/rect.h"

namespace kalvoro::win {
namespace {

constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickIntervalMs = 250;
// Posted by the host to itself: a popup has faded out and its window can go (wParam = id).
constexpr UINT kPopupGoneMessage = WM_APP + 1;

popup::Milliseconds NowMs() {
    return static_cast<popup::Milliseconds>(GetTickCount64());
}

Rect WorkArea() {
    RECT area{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
        area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return Rect{area.left, area.top, area.right, area.bottom};
}

popup::StackMetrics StackMetricsFor(const PopupLook& look) {
    const PopupMetrics& m = look.metrics();
    return popup::StackMetrics{m.width, m.padding_x / 2 + 2, m.padding_y / 2 + 1};
}

std::wstring CurrentTimeLabel() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t label[8];
    std::swprintf(label, std::size(label), L"%02u:%02u", static_cast<unsigned>(now.wHour),
                  static_cast<unsigned>(now.wMinute));
    return label;
}

}  // namespace

PopupHostWindow::PopupHostWindow(HWND bar, IFileStore& files, std::string settings_path)
    : bar_(bar),
      settings_file_(files, std::move(settings_path)),
      settings_(popup::ReadPopupSettings(settings_file_)),
      queue_(WorkArea(), StackMetricsFor(look_)) {}

PopupHostWindow::~PopupHostWindow() {
    quitting_ = true;
    windows_.clear();
}

std::wstring PopupHostWindow::TitleFor(HWND bar) {
    return L"Sablewin " + std::to_wstring(reinterpret_cast<std::uintptr_t>(bar));
}

HWND PopupHostWindow::FindRunningInstance(HWND bar) {
    return FindWindowW(kClassName, TitleFor(bar).c_str());
}

bool PopupHostWindow::Create() {
    if (!RegisterWindowClass(kClassName)) return false;
    if (!CreateHandle(WS_EX_TOOLWINDOW, kClassName, TitleFor(bar_).c_str(), WS_POPUP, 0, 0, 0, 0, nullptr)) {
        return false;
    }
    SetTimer(hwnd(), kTickTimer, kTickIntervalMs, nullptr);
    PostMessageW(bar_, kMsgPopupRegister, 0, reinterpret_cast<LPARAM>(hwnd()));
    return true;
}

LRESULT PopupHostWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COPYDATA:
            return OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lparam));
        case kMsgPopupNotify:
            OnBarNotice(lparam);
            return 0;
        case WM_TIMER:
            if (wparam == kTickTimer) OnTick();
            return 0;
        case kPopupGoneMessage:
            queue_.Remove(static_cast<int>(wparam), NowMs());
            windows_.erase(static_cast<int>(wparam));
            Synchronise();
            return 0;
        case WM_SETTINGCHANGE:
            if (wparam == SPI_SETWORKAREA) UpdateWorkArea();
            return 0;
        case WM_DISPLAYCHANGE:
            UpdateWorkArea();
            return 0;
        case WM_CLOSE:
            Quit();
            return 0;
        case WM_DESTROY:
            KillTimer(hwnd(), kTickTimer);
            PostQuitMessage(0);
            return 0;
        default:
            return DefaultHandling(message, wparam, lparam);
    }
}

BOOL PopupHostWindow::OnCopyData(const COPYDATASTRUCT* data) {
    if (data == nullptr || quitting_) return FALSE;
    const auto gbk = popup::CopyDataText(data->lpData, data->cbData);
    if (!gbk) return FALSE;
    std::string text = popup::DisplayTextFromGbk(*gbk);
    const int height = look_.WindowHeight(look_.MeasureText(Widen(text)));
    if (!queue_.Add(std::move(text), height, NowMs())) return FALSE;
    Synchronise();
    return TRUE;
}

void PopupHostWindow::OnBarNotice(LPARAM notice) {
    if (notice == kPopupSettingsRewritten) {
        ReloadSettings();
    } else if (notice == kPopupBarClosing) {
        Quit();
    }
}

void PopupHostWindow::OnTick() {
    if (!IsWindow(bar_)) {
        Quit();
        return;
    }
    for (const int id : queue_.DueToClose(settings_, NowMs())) CloseMessage(id);
}

void PopupHostWindow::ReloadSettings() {
    settings_ = popup::ReadPopupSettings(settings_file_);
    for (auto& [id, window] : windows_) window->SetAlpha(settings_.alpha);
}

void PopupHostWindow::UpdateWorkArea() {
    queue_.SetWorkArea(WorkArea(), NowMs());
    Synchronise();
}

void PopupHostWindow::CloseMessage(int id) {
    const popup::QueuedMessage* message = queue_.Find(id);
    if (!message || message->state != popup::MessageState::kShown) return;
    queue_.BeginClose(id);
    const auto window = windows_.find(id);
    if (window != windows_.end()) {
        window->second->FadeOut();
    } else {
        PostMessageW(hwnd(), kPopupGoneMessage, static_cast<WPARAM>(id), 0);
    }
    Synchronise();
}

void PopupHostWindow::Synchronise() {
    if (quitting_) return;
    std::vector<int> present;
    for (const popup::QueuedMessage& message : queue_.messages()) {
        present.push_back(message.id);
        const auto found = windows_.find(message.id);
        if (message.state == popup::MessageState::kWaiting) {
            if (found != windows_.end()) windows_.erase(found);
            continue;
        }
        if (found != windows_.end()) {
            found->second->MoveTo(ToRECT(message.rect));
            continue;
        }
        auto window = std::make_unique<PopupWindow>(message.id, Widen(message.text), CurrentTimeLabel(), look_,
                                                    static_cast<PopupWindowEvents&>(*this));
        if (window->Show(ToRECT(message.rect), settings_.alpha)) {
            windows_.emplace(message.id, std::move(window));
        } else {
            // Without a window the user can never read it; let it go rather than block the queue.
            queue_.BeginClose(message.id);
            PostMessageW(hwnd(), kPopupGoneMessage, static_cast<WPARAM>(message.id), 0);
        }
    }
    std::erase_if(windows_, [&present](const auto& entry) {
        return std::find(present.begin(), present.end(), entry.first) == present.end();
    });
    SetTrayAnimation(queue_.HasUnread());
}

void PopupHostWindow::SetTrayAnimation(bool on) {
    if (on == tray_animating_) return;
    tray_animating_ = on;
    PostMessageW(bar_, on ? kMsgTrayAnimateOn : kMsgTrayAnimateOff, 0, 0);
}

void PopupHostWindow::Quit() {
    if (quitting_) return;
    // The bar is gone or going: leave its tray icon still if it is still there to see it.
    if (tray_animating_ && IsWindow(bar_)) PostMessageW(bar_, kMsgTrayAnimateOff, 0, 0);
    quitting_ = true;
    windows_.clear();
    Destroy();
}

void PopupHostWindow::OnPopupClicked(int id) {
    CloseMessage(id);
}

void PopupHostWindow::OnPopupHeld(int id, bool held) {
    queue_.SetHeld(id, held, NowMs());
}

void PopupHostWindow::OnPopupFadedOut(int id) {
    PostMessageW(hwnd(), kPopupGoneMessage, static_cast<WPARAM>(id), 0);
}

}  // namespace kalvoro::win
