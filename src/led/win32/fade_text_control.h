#pragma once
// The date line (AAFadeTextDate) as a child window of the bar: it holds the lines, paints itself
// off-screen and copies once, and owns a timer that runs only while a fade runs or lines cycle.
// Every operation may be called before the window exists; it then takes effect on creation.
//
// The bar creates it at (173, 12), 154 x 20, hands it its background picture with
// SetBackground(bar_background_dc, 173, 12) and reads CurrentLine() in the click handler.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/win32/window.h"
#include "led/fade_text.h"
#include "led/win32/fade_text_renderer.h"

namespace kalvoro::win {

class FadeTextControl final : public Window {
public:
    FadeTextControl() = default;

    bool Create(HWND parent, int x, int y, int width = FadeTextRenderer::kDefaultWidth,
                int height = FadeTextRenderer::kDefaultHeight);

    // Lines, each starting with "<FontCN>" or "<FontAD>".
    int LineCount() const { return text_.LineCount(); }
    const std::string& Line(int index) const { return text_.Line(index); }
    void AddLine(std::string_view line);
    void SetLine(int index, std::string_view line);
    void DeleteLine(int index);
    void ClearLines();
    void KeepFirstLines(int count);

    int CurrentLine() const { return text_.CurrentLine(); }
    void ShowLine(int index);
    bool Active() const { return text_.Active(); }
    void SetActive(bool active);
    void SetLineDelay(int milliseconds);
    void SetFadeDuration(int milliseconds);

    // Edits between these repaint once, at the end.
    void BeginUpdate() { text_.BeginUpdate(); }
    void EndUpdate();

    // Styles are given in design pixels (96 DPI); the control scales their heights and shadows.
    void SetFontStyle(FadeTextFont font, const FadeTextFontStyle& style);
    // Lays the control out for a display: its place and size (already scaled by the caller) and
    // its fonts at that resolution.
    void SetScale(const DisplayScale& scale, int x, int y, int width, int height);
    void SetFontColour(COLORREF colour);
    void SetSmoothing(bool smoothing);
    void SetBackground(HDC source, int x, int y);
    void SetBackgroundColour(COLORREF colour);

    // A left click (press and release on the control).
    void SetOnClick(std::function<void()> on_click) { on_click_ = std::move(on_click); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    static constexpr UINT_PTR kAnimationTimer = 1;

    // Brings the line state up to now before anything reads or changes it.
    void CatchUp();
    void AfterChange(bool repaint);
    void Reschedule();
    void PublishShownText();
    bool ShowsAnnouncement() const;

    FadeTextFontStyle Scaled(FadeTextFontStyle style, FadeTextFont font) const;

    FadeText text_;
    DisplayScale scale_;
    // The two fonts' design heights and shadow offsets ("FontCN", "FontAD").
    int design_heights_[2] = {12, 12};
    POINT design_shadows_[2] = {{1, 1}, {1, 1}};
    FadeTextRenderer renderer_;
    std::uint64_t last_tick_ms_ = 0;
    bool timer_running_ = false;
    bool pressed_ = false;
    std::function<void()> on_click_;
    std::string published_text_;
};

}  // namespace kalvoro::win
