#include "app/options_rules.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace kalvoro {

namespace {

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::string TransparencyPercentLabel(int position) {
    // (255 - p) / 2.5 never ends in exactly one half for a whole p, so rounding has no tie to break.
    const long percent = std::lround((kOptionsMaxAlpha - position) / 2.5);
    return std::to_string(percent) + "%";
}

PreviewSize FacePreviewSize(int face_width, int face_height) {
    if (face_width <= 0 || face_height <= 0) return {};
    if (face_width <= kFacePreviewSide && face_height <= kFacePreviewSide) return {face_width, face_height};
    if (face_width > face_height) {
        return {kFacePreviewSide,
                static_cast<int>(std::lround(static_cast<double>(face_height) * kFacePreviewSide / face_width))};
    }
    return {static_cast<int>(std::lround(static_cast<double>(face_width) * kFacePreviewSide / face_height)),
            kFacePreviewSide};
}

OptionsEnabled EnabledControls(const OptionsChecks& checks) {
    OptionsEnabled enabled;
    enabled.chime_type = checks.hour_chime || checks.half_chime;
    enabled.hot_key_lists = checks.hot_key;
    enabled.sync_step = checks.auto_sync;
    enabled.auto_seconds = checks.auto_close;
    enabled.reminder_step = checks.repeat_reminder;
    enabled.font_button = checks.plain_time;
    return enabled;
}

std::string StartCommand(std::string_view exe_path) {
    std::string command;
    command.reserve(exe_path.size() + 8);
    command += '"';
    command += exe_path;
    command += "\" /hide";
    return command;
}

bool IsOurRunValue(std::string_view value, std::string_view exe_path) {
    if (exe_path.empty()) return false;
    const std::string command = StartCommand(exe_path);
    const std::string_view quoted_path = std::string_view(command).substr(0, exe_path.size() + 2);
    return EqualsNoCase(value, command) || EqualsNoCase(value, quoted_path);
}

int ClampSpinText(std::string_view text, int low, int high, int fallback) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty()) return fallback;
    bool negative = false;
    if (text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty()) return fallback;
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return fallback;
        value = std::min<long long>(value * 10 + (c - '0'), 1'000'000'000LL);
    }
    if (negative) value = -value;
    return static_cast<int>(std::clamp<long long>(value, low, high));
}

}  // namespace kalvoro
