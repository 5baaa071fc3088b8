#include "led/fade_text.h"

#include <algorithm>
#include <utility>

namespace kalvoro {

FadeTextLineView ParseFadeTextLine(std::string_view line) {
    if (line.starts_with(kFontCNTag)) return {FadeTextFont::kFontCN, line.substr(kFontCNTag.size())};
    if (line.starts_with(kFontADTag)) return {FadeTextFont::kFontAD, line.substr(kFontADTag.size())};
    return {FadeTextFont::kFontCN, line};
}

const std::string& FadeText::Line(int index) const {
    static const std::string kNoLine;
    if (index < 0 || index >= LineCount()) return kNoLine;
    return lines_[static_cast<std::size_t>(index)];
}

bool FadeText::AddLine(std::string_view line) {
    lines_.emplace_back(line);
    return Report(false);
}

bool FadeText::SetLine(int index, std::string_view line) {
    if (index < 0 || index >= LineCount()) return false;
    std::string& stored = lines_[static_cast<std::size_t>(index)];
    if (stored == line) return Report(false);
    stored.assign(line);
    return Report(index == current_);
}

bool FadeText::DeleteLine(int index) {
    if (index < 0 || index >= LineCount()) return false;
    const FadeTextFrame before = Frame();
    lines_.erase(lines_.begin() + index);
    AfterLinesRemoved(index, 1);
    return Report(index == before.line || Frame() != before);
}

bool FadeText::ClearLines() {
    return KeepFirstLines(0);
}

bool FadeText::KeepFirstLines(int count) {
    count = std::max(count, 0);
    if (count >= LineCount()) return Report(false);
    const FadeTextFrame before = Frame();
    const int removed = LineCount() - count;
    lines_.resize(static_cast<std::size_t>(count));
    AfterLinesRemoved(count, removed);
    return Report(Frame() != before);
}

void FadeText::AfterLinesRemoved(int first_removed, int removed_count) {
    if (lines_.empty()) {
        current_ = -1;
        next_ = -1;
        phase_ = Phase::kHold;
        phase_elapsed_ms_ = 0;
        return;
    }
    const auto shift = [&](int& index) {
        if (index >= first_removed + removed_count) {
            index -= removed_count;
            return true;
        }
        return index < first_removed;
    };
    const bool current_kept = current_ < 0 || shift(current_);
    const bool next_kept = phase_ == Phase::kHold || shift(next_);
    // The date line, line 0, is where the display falls back to.
    if (!current_kept) {
        Hold(0);
    } else if (!next_kept) {
        Hold(current_);
    }
}

bool FadeText::ShowLine(int index) {
    if (index < 0 || index >= LineCount()) return false;
    const FadeTextFrame before = Frame();
    Hold(index);
    return Report(Frame() != before);
}

bool FadeText::SetActive(bool active) {
    if (active == active_) return Report(false);
    const FadeTextFrame before = Frame();
    active_ = active;
    if (active_) {
        if (!lines_.empty()) {
            const int next = (current_ + 1) % LineCount();
            if (next != current_) {
                BeginFadeTo(next);
            } else {
                Hold(current_);
            }
        }
    } else if (phase_ != Phase::kHold) {
        Hold(next_);
    }
    return Report(Frame() != before);
}

void FadeText::SetLineDelay(int milliseconds) {
    line_delay_ms_ = std::clamp(milliseconds, 1, 24 * 60 * 60 * 1000);
}

void FadeText::SetFadeDuration(int milliseconds) {
    // A fade measured against the old duration would land outside the new one.
    if (phase_ != Phase::kHold) Hold(next_);
    fade_ms_ = std::clamp(milliseconds, 0, 60 * 1000);
}

bool FadeText::EndUpdate() {
    if (update_depth_ == 0) return false;
    if (--update_depth_ > 0) return false;
    return std::exchange(repaint_pending_, false);
}

bool FadeText::Report(bool repaint) {
    if (update_depth_ > 0) {
        repaint_pending_ = repaint_pending_ || repaint;
        return false;
    }
    return repaint;
}

void FadeText::Hold(int line) {
    current_ = line;
    next_ = -1;
    phase_ = Phase::kHold;
    phase_elapsed_ms_ = 0;
}

void FadeText::BeginFadeTo(int line) {
    if (fade_ms_ == 0) {
        Hold(line);
        return;
    }
    next_ = line;
    phase_elapsed_ms_ = 0;
    if (current_ < 0 || FadeOutMs() == 0) {
        current_ = line;
        phase_ = Phase::kFadeIn;
    } else {
        phase_ = Phase::kFadeOut;
    }
}

bool FadeText::Advance(std::int64_t elapsed_ms) {
    if (elapsed_ms <= 0) return Report(false);
    const FadeTextFrame before = Frame();
    // After a long stall (sleep, a blocked message loop) the display moves on by one step, not by
    // every step it missed.
    std::int64_t remaining = std::min<std::int64_t>(elapsed_ms, std::int64_t{line_delay_ms_} + fade_ms_);
    while (remaining > 0) {
        std::int64_t phase_length = 0;
        switch (phase_) {
            case Phase::kHold:
                if (!Cycling()) {
                    remaining = 0;
                    continue;
                }
                phase_length = line_delay_ms_;
                break;
            case Phase::kFadeOut:
                phase_length = FadeOutMs();
                break;
            case Phase::kFadeIn:
                phase_length = FadeInMs();
                break;
        }
        const std::int64_t left = std::max<std::int64_t>(phase_length - phase_elapsed_ms_, 0);
        if (remaining < left) {
            phase_elapsed_ms_ += remaining;
            break;
        }
        remaining -= left;
        switch (phase_) {
            case Phase::kHold:
                BeginFadeTo((current_ + 1) % LineCount());
                break;
            case Phase::kFadeOut:
                current_ = next_;
                phase_ = Phase::kFadeIn;
                phase_elapsed_ms_ = 0;
                break;
            case Phase::kFadeIn:
                Hold(current_);
                break;
        }
    }
    return Report(Frame() != before);
}

FadeTextFrame FadeText::Frame() const {
    if (current_ < 0) return {};
    const auto scaled = [](std::int64_t part, std::int64_t whole) {
        return whole <= 0 ? 255 : static_cast<int>(std::clamp<std::int64_t>(part * 255 / whole, 0, 255));
    };
    switch (phase_) {
        case Phase::kFadeOut:
            return {current_, scaled(FadeOutMs() - phase_elapsed_ms_, FadeOutMs())};
        case Phase::kFadeIn:
            return {current_, scaled(phase_elapsed_ms_, FadeInMs())};
        case Phase::kHold:
            break;
    }
    return {current_, 255};
}

bool FadeText::NeedsTimer() const {
    return phase_ != Phase::kHold || Cycling();
}

int FadeText::MillisecondsToNextStep() const {
    if (!NeedsTimer()) return -1;
    if (phase_ == Phase::kHold) return static_cast<int>(std::max<std::int64_t>(line_delay_ms_ - phase_elapsed_ms_, 1));
    const std::int64_t phase_length = phase_ == Phase::kFadeOut ? FadeOutMs() : FadeInMs();
    const std::int64_t left = std::max<std::int64_t>(phase_length - phase_elapsed_ms_, 1);
    return static_cast<int>(std::min<std::int64_t>(left, kFadeFrameMs));
}

}  // namespace kalvoro
