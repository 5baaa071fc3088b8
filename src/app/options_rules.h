#pragma once
// The settings dialog's rules, free of windows: the transparency label, the clock face preview's
// size, which controls the check boxes enable, and how the Run entry is recognised.

#include <string>
#include <string_view>

namespace kalvoro {

// Slider positions of the two transparency sliders.
inline constexpr int kOptionsMinAlpha = 55;
inline constexpr int kOptionsMaxAlpha = 255;

// "80%" for 55, "40%" for 155, "0%" for 255: how far from opaque, in percent.
std::string TransparencyPercentLabel(int position);

struct PreviewSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PreviewSize&, const PreviewSize&) = default;
};

// The clock face preview: a face that fits 100 × 100 keeps its size; a larger one is scaled down
// with its longer side made 100.
inline constexpr int kFacePreviewSide = 100;
PreviewSize FacePreviewSize(int face_width, int face_height);

// The states the enabling rules look at.
struct OptionsChecks {
    bool hour_chime = false;       // 整点报时
    bool half_chime = false;       // 半点报时
    bool hot_key = false;          // 启用 (热键报时)
    bool auto_sync = false;        // 自动网络校时
    bool auto_close = false;       // 自动关闭
    bool repeat_reminder = false;  // 循环显示
    bool plain_time = false;       // 普通
};

struct OptionsEnabled {
    bool chime_type = false;     // 报时类型
    bool hot_key_lists = false;  // modifier and letter
    bool sync_step = false;      // 每 … 小时校正一次
    bool auto_seconds = false;   // 停留时间(秒)
    bool reminder_step = false;  // 间隔时间(分)
    bool font_button = false;    // 字体(&F)
    friend bool operator==(const OptionsEnabled&, const OptionsEnabled&) = default;
};

OptionsEnabled EnabledControls(const OptionsChecks& checks);

// The value the program writes to the Run entry: the quoted executable path and " /hide".
std::string StartCommand(std::string_view exe_path);
// The Run entry starts this program: the start command or the quoted path alone, in any case.
bool IsOurRunValue(std::string_view value, std::string_view exe_path);

// Clamps a typed number into a spin edit's range; text that is no number gives the fallback.
int ClampSpinText(std::string_view text, int low, int high, int fallback);

}  // namespace kalvoro
