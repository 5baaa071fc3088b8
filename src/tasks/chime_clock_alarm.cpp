#include "tasks/chime_clock_alarm.h"

#include <utility>

namespace kalvoro {
namespace {

// Builds "<dir>\<name>.wav*<dir>\<name>.wav..." one name at a time.
class ChimeList {
public:
    explicit ChimeList(std::string_view sound_dir) : dir_(sound_dir) { needs_separator_ = dir_.back() != '\\'; }
    void Add(std::string_view name) {
        if (!text_.empty()) text_ += '*';
        text_ += dir_;
        if (needs_separator_) text_ += '\\';
        text_ += name;
        text_ += ".wav";
    }
    void Add(int number) { Add(std::to_string(number)); }
    std::string Take() { return std::move(text_); }

private:
    std::string_view dir_;
    bool needs_separator_ = false;
    std::string text_;
};

// The words after "H.wav" that say the minutes: 零五, 十二, 二十, 二十二, 三十, 四十二 ...
void AddMinuteWords(int minute, ChimeList& list) {
    const int tens = minute / 10;
    const int units = minute % 10;
    const auto add_units = [&] {
        if (units == 2) {
            list.Add("2A");
        } else if (units != 0) {
            list.Add(units);
        }
    };
    if (minute < 10) {
        list.Add(0);
        if (minute == 2) {
            list.Add("2A");
        } else {
            list.Add(minute);
        }
    } else if (minute <= 12) {
        list.Add(minute);
    } else if (minute < 20) {
        list.Add(10);
        list.Add(units);
    } else if (minute < 30) {
        list.Add("2A");
        list.Add(10);
        add_units();
    } else {
        list.Add(tens);
        list.Add(10);
        add_units();
    }
}

// The hour on the 12-hour dial as spoken and struck: 0 stays 0, 12 stays 12, 13 is 1.
int DialHour(int hour) {
    return hour > 12 ? hour - 12 : hour;
}

}  // namespace

ClockAlarm::ClockAlarm(ISoundPlayer& player, IPopupSender& popup, std::string sound_dir, const DateLocale& locale)
    : player_(player), popup_(popup), sound_dir_(std::move(sound_dir)), locale_(locale) {}

void ClockAlarm::SetOptions(bool hour_chime, bool half_chime, int chime_type) {
    hour_chime_ = hour_chime;
    half_chime_ = half_chime;
    chime_type_ = chime_type;
}

bool ClockAlarm::CheckChime(DateTime now) {
    const TimeParts time = DecodeTime(now);
    if (time.second != 0) return false;
    const bool due = (hour_chime_ && time.minute == 0) || (half_chime_ && time.minute == 30);
    if (!due) return false;
    const std::string list = ComposeChime(time.hour, time.minute, chime_type_, false);
    if (!list.empty()) player_.PlayFiles(list);
    if (chime_type_ == kChimeMessage) popup_.ShowText(kChimeMessagePrefix + FormatDateTime("tt", now, locale_));
    return true;
}

void ClockAlarm::SayTime(DateTime now) {
    const TimeParts time = DecodeTime(now);
    const std::string list = ComposeChime(time.hour, time.minute, kChimeVoice, true);
    if (!list.empty()) player_.PlayFiles(list);
}

std::string ClockAlarm::ComposeChime(int hour, int minute, int chime_type, bool with_minutes) const {
    if (sound_dir_.empty() || hour < 0 || hour > 24 || minute < 0 || minute > 59) return {};
    ChimeList list(sound_dir_);
    switch (chime_type) {
        case kChimeVoice: {
            const int h = hour == 24 ? 0 : hour;
            list.Add("T1");
            list.Add(h < 6 ? "To1" : h < 12 ? "To2" : h < 18 ? "To3" : "To4");
            list.Add(DialHour(h));
            list.Add("H");
            if (with_minutes) {
                AddMinuteWords(minute, list);
                list.Add("M");
            } else if (half_chime_ && minute == 30) {
                list.Add(30);
                list.Add("M");
            }
            break;
        }
        case kChimeSingleBell:
        case kChimeStrikes:
            if (minute == 30) {
                list.Add("Z1");
            } else if (chime_type == kChimeSingleBell) {
                list.Add("Z2");
            } else {
                const int strikes = DialHour(hour) < 1 ? 1 : DialHour(hour);
                for (int i = 0; i < strikes; ++i) list.Add("Z1");
            }
            break;
        default:
            break;
    }
    return list.Take();
}

}  // namespace kalvoro
