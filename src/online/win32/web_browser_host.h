#pragma once
// The system's web browser control embedded in a child window through a minimal OLE container of
// our own: one site object answering IOleClientSite, IOleInPlaceSite and IOleInPlaceFrame. The
// control is placed at a rectangle of the host window, which clips it to its client area.
// Where the control or its HTML engine cannot be created, Create fails and nothing else happens.

#include <windows.h>
#include <unknwn.h>

#include <string_view>

namespace kalvoro::win {

class BrowserSite;

class WebBrowserHost {
public:
    WebBrowserHost() = default;
    WebBrowserHost(const WebBrowserHost&) = delete;
    WebBrowserHost& operator=(const WebBrowserHost&) = delete;
    ~WebBrowserHost();

    // host: the window the control lives in; place: the control's rectangle in host's client
    // coordinates (it may reach outside the host, which clips it). Call on a thread that pumps
    // messages. False when no browser control is available.
    bool Create(HWND host, const RECT& place);
    bool Available() const { return object_ != nullptr; }
    // Navigate with every optional argument the integer 0.
    bool Navigate(std::wstring_view url);
    void Destroy();

private:
    BrowserSite* site_ = nullptr;
    IUnknown* object_ = nullptr;   // IOleObject
    IUnknown* browser_ = nullptr;  // IWebBrowser2
    bool ole_initialised_ = false;
};

}  // namespace kalvoro::win
