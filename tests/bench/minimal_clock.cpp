// The yardstick for the bar's idle cost: what every desktop clock of this kind has and nothing
// more. A borderless layered popup of the bar's size (colour key and alpha, like the bar), a tray
// icon, the common controls, and a one-second timer that invalidates the window and draws the
// time as text on WM_PAINT.

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cwchar>

namespace {

constexpr int kWidth = 332;
constexpr int kHeight = 34;
constexpr COLORREF kColourKey = RGB(255, 0, 255);
constexpr BYTE kAlpha = 200;
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT_PTR kClockTimer = 1;

HBRUSH g_background = nullptr;
HFONT g_font = nullptr;

void Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd, &ps);
    RECT client;
    ::GetClientRect(hwnd, &client);
    ::FillRect(dc, &client, g_background);
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    wchar_t text[16];
    std::swprintf(text, 16, L"%02u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
    HGDIOBJ old_font = ::SelectObject(dc, g_font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(57, 211, 83));
    ::DrawTextW(dc, text, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(dc, old_font);
    ::EndPaint(hwnd, &ps);
}

LRESULT CALLBACK ClockProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_TIMER:
            if (wparam == kClockTimer) ::InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint(hwnd);
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    g_background = ::CreateSolidBrush(RGB(22, 26, 34));
    g_font = ::CreateFontW(-20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");

    WNDCLASSW wc{};
    wc.lpfnWndProc = ClockProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"KalvoroMinimalClock";
    ::RegisterClassW(&wc);
    const int screen_width = ::GetSystemMetrics(SM_CXSCREEN);
    HWND hwnd = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, wc.lpszClassName, L"Minimal clock", WS_POPUP,
                                  screen_width - kWidth, 0, kWidth, kHeight, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    ::SetLayeredWindowAttributes(hwnd, kColourKey, kAlpha, LWA_COLORKEY | LWA_ALPHA);

    NOTIFYICONDATAW tray{};
    tray.cbSize = sizeof(tray);
    tray.hWnd = hwnd;
    tray.uID = 1;
    tray.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    tray.uCallbackMessage = kTrayMessage;
    tray.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    std::wcscpy(tray.szTip, L"Minimal clock");
    ::Shell_NotifyIconW(NIM_ADD, &tray);

    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    ::SetTimer(hwnd, kClockTimer, 1000, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::Shell_NotifyIconW(NIM_DELETE, &tray);
    ::DeleteObject(g_font);
    ::DeleteObject(g_background);
    return 0;
}
