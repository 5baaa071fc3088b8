#pragma once
// The bar's side of the popup message program: start it on demand, learn its window from its
// registration, hand it texts.

#include <windows.h>

#include <string>

#include "base/popup_protocol.h"

namespace kalvoro::win {

class PopupLink final : public IPopupSender {
public:
    // How long the bar waits for a freshly started popup program to register.
    static constexpr DWORD kRegistrationTimeoutMs = 5000;
    static constexpr UINT kSendTimeoutMs = 5000;

    PopupLink(HWND bar, std::wstring program_path) : bar_(bar), program_path_(std::move(program_path)) {}

    void set_bar(HWND bar) { bar_ = bar; }
    // Only the window of the program this link started is taken: the texts may hold the user's
    // private notes, and any program on the desktop can post the registration.
    void OnRegister(HWND popup);
    HWND popup() const { return popup_; }

    bool EnsureRunning();
    bool ShowText(std::string_view utf8_text) override;
    void Notify(long what) const;

private:
    HWND bar_;
    std::wstring program_path_;
    HWND popup_ = nullptr;
    DWORD started_process_id_ = 0;
};

}  // namespace kalvoro::win
