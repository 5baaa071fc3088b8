#pragma once
// The fading text of the bar's date line (AAFadeTextDate): a list of lines, each starting with a
// font tag, shown one at a time. While active, each line holds for the line delay and then fades
// out and the next one fades in, wrapping after the last one without end; while inactive the line
// last shown stays. Driven by elapsed milliseconds, so the Win32 control feeds it from its timer
// and the tests from a fake time.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kalvoro {

enum class FadeTextFont { kFontCN, kFontAD };

inline constexpr std::string_view kFontCNTag = "<FontCN>";
inline constexpr std::string_view kFontADTag = "<FontAD>";

struct FadeTextLineView {
    FadeTextFont font = FadeTextFont::kFontCN;
    std::string_view text;  // without its tag
};

// A line without a tag is shown whole in FontCN.
FadeTextLineView ParseFadeTextLine(std::string_view line);

// What to draw now: one line at an opacity of 0 (background only) to 255.
struct FadeTextFrame {
    int line = -1;
    int opacity = 0;
    friend bool operator==(const FadeTextFrame&, const FadeTextFrame&) = default;
};

class FadeText {
public:
    static constexpr int kDefaultLineDelayMs = 3500;
    static constexpr int kDefaultFadeMs = 600;
    // Timer interval while a fade runs.
    static constexpr int kFadeFrameMs = 30;

    // Line edits and display changes return true when the shown picture changed and needs a
    // repaint; inside an update bracket they return false and EndUpdate reports it once.
    int LineCount() const { return static_cast<int>(lines_.size()); }
    const std::string& Line(int index) const;  // empty for an index out of range
    const std::vector<std::string>& Lines() const { return lines_; }
    bool AddLine(std::string_view line);
    bool SetLine(int index, std::string_view line);  // false for an index out of range
    bool DeleteLine(int index);
    bool ClearLines();
    // Keeps `count` lines and removes the rest (the announcement lines after the date line).
    bool KeepFirstLines(int count);

    // The line on display (during a fade, the one fading out and then the one fading in); -1 before
    // any line was shown.
    int CurrentLine() const { return current_; }
    // Shows a line at once, without a fade; an index out of range is ignored.
    bool ShowLine(int index);

    bool Active() const { return active_; }
    // Activating starts cycling with a fade to the line after the current one; deactivating ends a
    // running fade on its new line and holds it.
    bool SetActive(bool active);

    int LineDelay() const { return line_delay_ms_; }
    void SetLineDelay(int milliseconds);  // at least 1 ms
    int FadeDuration() const { return fade_ms_; }
    void SetFadeDuration(int milliseconds);  // 0 switches lines without a fade

    void BeginUpdate() { ++update_depth_; }
    // True when something inside the bracket changed the picture (only at the outermost end).
    bool EndUpdate();
    bool Updating() const { return update_depth_ > 0; }

    bool Advance(std::int64_t elapsed_ms);
    FadeTextFrame Frame() const;

    // Whether time matters now (a fade runs, or lines are cycling), and when it next will.
    bool NeedsTimer() const;
    int MillisecondsToNextStep() const;  // -1 when no timer is needed

private:
    enum class Phase { kHold, kFadeOut, kFadeIn };

    bool Cycling() const { return active_ && lines_.size() >= 2; }
    int FadeOutMs() const { return fade_ms_ / 2; }
    int FadeInMs() const { return fade_ms_ - fade_ms_ / 2; }
    void BeginFadeTo(int line);
    void Hold(int line);
    // Puts the display back on solid ground after lines were removed or replaced.
    void AfterLinesRemoved(int first_removed, int removed_count);
    bool Report(bool repaint);

    std::vector<std::string> lines_;
    int current_ = -1;
    int next_ = -1;
    Phase phase_ = Phase::kHold;
    std::int64_t phase_elapsed_ms_ = 0;
    bool active_ = false;
    int line_delay_ms_ = kDefaultLineDelayMs;
    int fade_ms_ = kDefaultFadeMs;
    int update_depth_ = 0;
    bool repaint_pending_ = false;
};

// Brackets a batch of line edits so the control repaints once.
template <typename Control>
class FadeTextUpdate {
public:
    explicit FadeTextUpdate(Control& control) : control_(control) { control_.BeginUpdate(); }
    FadeTextUpdate(const FadeTextUpdate&) = delete;
    FadeTextUpdate& operator=(const FadeTextUpdate&) = delete;
    ~FadeTextUpdate() { control_.EndUpdate(); }

private:
    Control& control_;
};

}  // namespace kalvoro
