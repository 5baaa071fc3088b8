#include "app/win32/tray_icon.h"

#include <algorithm>
#include <cwchar>

#include "base/win32/seam_log.h"
#include "base/win32/text.h"

namespace kalvoro::win {

namespace {

constexpr UINT kIconId = 1;

void CopyCut(wchar_t* target, std::size_t capacity, const std::wstring& text) {
    const std::size_t n = std::min(text.size(), capacity - 1);
    std::wmemcpy(target, text.data(), n);
    target[n] = L'\0';
}

}  // namespace

void TrayIcon::Attach(HWND owner, HICON icon0, HICON icon1) {
    owner_ = owner;
    icons_[0] = icon0;
    icons_[1] = icon1 ? icon1 : icon0;
    taskbar_created_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    balloon_log_ = SeamLogFile(L"KALVORO_BALLOON_LOG");
}

NOTIFYICONDATAW TrayIcon::BaseData(UINT flags) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner_;
    data.uID = kIconId;
    data.uFlags = flags;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = icons_[frame_];
    CopyCut(data.szTip, std::size(data.szTip), tip_);
    return data;
}

bool TrayIcon::Add() {
    if (!owner_) return false;
    NOTIFYICONDATAW data = BaseData(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    added_ = ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    return added_;
}

void TrayIcon::Remove() {
    if (!added_) return;
    NOTIFYICONDATAW data = BaseData(0);
    ::Shell_NotifyIconW(NIM_DELETE, &data);
    added_ = false;
    if (animating_) StopAnimation();
}

void TrayIcon::SetToolTip(const std::wstring& text) {
    tip_ = text;
    if (!added_) return;
    NOTIFYICONDATAW data = BaseData(NIF_TIP);
    ::Shell_NotifyIconW(NIM_MODIFY, &data);
}

void TrayIcon::ShowBalloon(const std::wstring& title, const std::wstring& text, UINT timeout_ms) {
    if (!added_) return;
    NOTIFYICONDATAW data = BaseData(NIF_INFO);
    CopyCut(data.szInfoTitle, 64, title);  // 63 characters at most
    CopyCut(data.szInfo, 256, text);       // 255 characters at most
    data.dwInfoFlags = NIIF_INFO;
    data.uTimeout = timeout_ms;
    ::Shell_NotifyIconW(NIM_MODIFY, &data);
    if (!balloon_log_.empty()) AppendSeamLine(balloon_log_, Narrow(title) + "\t" + Narrow(text) + "\r\n");
}

void TrayIcon::HideBalloon() {
    if (!added_) return;
    NOTIFYICONDATAW data = BaseData(NIF_INFO);
    data.szInfo[0] = L'\0';
    ::Shell_NotifyIconW(NIM_MODIFY, &data);
}

void TrayIcon::StartAnimation() {
    if (animating_ || !owner_) return;
    animating_ = true;
    ::SetTimer(owner_, kAnimationTimerId, kAnimationIntervalMs, nullptr);
}

void TrayIcon::StopAnimation() {
    if (owner_) ::KillTimer(owner_, kAnimationTimerId);
    animating_ = false;
    frame_ = 0;
    if (!added_) return;
    NOTIFYICONDATAW data = BaseData(NIF_ICON);
    ::Shell_NotifyIconW(NIM_MODIFY, &data);
}

bool TrayIcon::OnTimer(UINT_PTR id) {
    if (id != kAnimationTimerId) return false;
    frame_ = 1 - frame_;
    if (added_) {
        NOTIFYICONDATAW data = BaseData(NIF_ICON);
        ::Shell_NotifyIconW(NIM_MODIFY, &data);
    }
    return true;
}

bool TrayIcon::OnTaskbarCreated(UINT message) {
    if (taskbar_created_ == 0 || message != taskbar_created_) return false;
    added_ = false;
    Add();
    return true;
}

}  // namespace kalvoro::win
