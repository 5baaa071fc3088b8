#include "led/win32/fade_text_control.h"

#include "base/win32/text.h"

#include <windowsx.h>

namespace kalvoro::win {
namespace {

constexpr wchar_t kClassName[] = L"KalvoroFadeText";

}  // namespace

bool FadeTextControl::Create(HWND parent, int x, int y, int width, int height) {
    WindowClassOptions options;
    options.style = 0;  // quick clicks are clicks, not double clicks
    if (!RegisterWindowClass(kClassName, options)) return false;
    renderer_.SetSize(width, height);
    last_tick_ms_ = ::GetTickCount64();
    if (!CreateHandle(0, kClassName, L"", WS_CHILD | WS_VISIBLE, x, y, width, height, parent)) return false;
    Reschedule();
    return true;
}

void FadeTextControl::CatchUp() {
    const std::uint64_t now = ::GetTickCount64();
    const std::uint64_t elapsed = now - last_tick_ms_;
    last_tick_ms_ = now;
    if (text_.Advance(static_cast<std::int64_t>(elapsed))) Invalidate();
}

void FadeTextControl::PublishShownText() {
    // The window text is the line on display, so screen readers and tests can read it.
    const int line = text_.Frame().line;
    const std::string_view shown = line >= 0 ? ParseFadeTextLine(text_.Line(line)).text : std::string_view();
    if (shown == published_text_) return;
    published_text_.assign(shown);
    ::SetWindowTextW(hwnd(), Widen(published_text_).c_str());
}

void FadeTextControl::AfterChange(bool repaint) {
    if (repaint) Invalidate();
    Reschedule();
}

void FadeTextControl::Reschedule() {
    if (!hwnd()) return;
    const int delay = text_.MillisecondsToNextStep();
    if (delay < 0) {
        if (timer_running_) ::KillTimer(hwnd(), kAnimationTimer);
        timer_running_ = false;
        return;
    }
    timer_running_ = ::SetTimer(hwnd(), kAnimationTimer, static_cast<UINT>(delay), nullptr) != 0;
}

void FadeTextControl::AddLine(std::string_view line) {
    CatchUp();
    AfterChange(text_.AddLine(line));
}

void FadeTextControl::SetLine(int index, std::string_view line) {
    CatchUp();
    AfterChange(text_.SetLine(index, line));
}

void FadeTextControl::DeleteLine(int index) {
    CatchUp();
    AfterChange(text_.DeleteLine(index));
}

void FadeTextControl::ClearLines() {
    CatchUp();
    AfterChange(text_.ClearLines());
}

void FadeTextControl::KeepFirstLines(int count) {
    CatchUp();
    AfterChange(text_.KeepFirstLines(count));
}

void FadeTextControl::ShowLine(int index) {
    CatchUp();
    AfterChange(text_.ShowLine(index));
}

void FadeTextControl::SetActive(bool active) {
    CatchUp();
    AfterChange(text_.SetActive(active));
}

void FadeTextControl::SetLineDelay(int milliseconds) {
    CatchUp();
    text_.SetLineDelay(milliseconds);
    AfterChange(false);
}

void FadeTextControl::SetFadeDuration(int milliseconds) {
    CatchUp();
    text_.SetFadeDuration(milliseconds);
    AfterChange(true);
}

void FadeTextControl::EndUpdate() {
    CatchUp();
    AfterChange(text_.EndUpdate());
}

void FadeTextControl::SetFontStyle(FadeTextFont font, const FadeTextFontStyle& style) {
    const auto slot = static_cast<std::size_t>(font);
    design_heights_[slot] = style.pixel_height;
    design_shadows_[slot] = style.shadow_offset;
    renderer_.SetFontStyle(font, Scaled(style, font));
    Invalidate();
}

FadeTextFontStyle FadeTextControl::Scaled(FadeTextFontStyle style, FadeTextFont font) const {
    const auto slot = static_cast<std::size_t>(font);
    style.pixel_height = scale_.Px(design_heights_[slot]);
    style.shadow_offset = {scale_.Px(design_shadows_[slot].x), scale_.Px(design_shadows_[slot].y)};
    return style;
}

void FadeTextControl::SetScale(const DisplayScale& scale, int x, int y, int width, int height) {
    scale_ = scale;
    for (FadeTextFont font : {FadeTextFont::kFontCN, FadeTextFont::kFontAD}) {
        renderer_.SetFontStyle(font, Scaled(renderer_.FontStyle(font), font));
    }
    renderer_.SetSize(width, height);
    if (hwnd()) ::SetWindowPos(hwnd(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    Invalidate();
}

void FadeTextControl::SetFontColour(COLORREF colour) {
    renderer_.SetFontColour(colour);
    Invalidate();
}

void FadeTextControl::SetSmoothing(bool smoothing) {
    renderer_.SetSmoothing(smoothing);
    Invalidate();
}

void FadeTextControl::SetBackground(HDC source, int x, int y) {
    renderer_.SetBackground(source, x, y);
    Invalidate();
}

void FadeTextControl::SetBackgroundColour(COLORREF colour) {
    renderer_.SetBackgroundColour(colour);
    Invalidate();
}

bool FadeTextControl::ShowsAnnouncement() const {
    const FadeTextFrame frame = text_.Frame();
    return frame.line >= 0 && ParseFadeTextLine(text_.Line(frame.line)).font == FadeTextFont::kFontAD;
}

LRESULT FadeTextControl::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PaintDC dc(hwnd());
            renderer_.Paint(dc.get(), 0, 0, text_);
            PublishShownText();
            return 0;
        }
        case WM_PRINTCLIENT:
            // Screenshots and tests capture the line through PrintWindow.
            renderer_.Paint(reinterpret_cast<HDC>(wparam), 0, 0, text_);
            return 0;
        case WM_TIMER:
            if (wparam != kAnimationTimer) break;
            CatchUp();
            Reschedule();
            return 0;
        case WM_SETCURSOR:
            // Announcement lines are links.
            if (LOWORD(lparam) == HTCLIENT && ShowsAnnouncement()) {
                ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN:
            pressed_ = true;
            ::SetCapture(hwnd());
            return 0;
        case WM_LBUTTONUP: {
            if (!pressed_) return 0;
            pressed_ = false;
            ::ReleaseCapture();
            const POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            const RECT client = ClientRect();
            if (::PtInRect(&client, at) && on_click_) {
                CatchUp();
                on_click_();
            }
            return 0;
        }
        case WM_CAPTURECHANGED:
            pressed_ = false;
            return 0;
        case WM_DESTROY:
            if (timer_running_) ::KillTimer(hwnd(), kAnimationTimer);
            timer_running_ = false;
            break;
        default:
            break;
    }
    return DefaultHandling(message, wparam, lparam);
}

}  // namespace kalvoro::win
