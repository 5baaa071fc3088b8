#pragma once
// The hour chime: on the full and half hour it strikes by spoken words, bells or a popup message,
// and the hot key speaks the time to the minute. Sounds are lists of files in the chime folder
// ("Sound\" beside the program) joined by "*", played by the sound player.

#include <string>

#include "base/date_time.h"
#include "base/popup_protocol.h"
#include "tasks/sound_player.h"

namespace kalvoro {

// CLOCK/AlarmType, in the order the settings dialog offers them.
inline constexpr int kChimeVoice = 0;       // 语音报时
inline constexpr int kChimeSingleBell = 1;  // 钟声报时(单音)
inline constexpr int kChimeStrikes = 2;     // 钟声报时(多音)
inline constexpr int kChimeMessage = 3;     // 消息报时

inline constexpr char kChimeMessagePrefix[] = "时钟报时：";

class ClockAlarm {
public:
    // sound_dir is the chime folder (AppDir + "Sound\"); the player and the popup sender outlive
    // the alarm. The locale gives the long time format of the message chime.
    ClockAlarm(ISoundPlayer& player, IPopupSender& popup, std::string sound_dir,
               const DateLocale& locale = ChineseDateLocale());

    // CLOCK/Alarm, CLOCK/HalfAlarm and CLOCK/AlarmType: at start-up and after the settings dialog.
    void SetOptions(bool hour_chime, bool half_chime, int chime_type);

    // Once per tick, after the scheduler, with the tick's local time. At second 0 of minute 0 (hour
    // chime on) or of minute 30 (half chime on) it plays the chime, or for the message type shows
    // "时钟报时：" and the long time through the popup program, and returns true. Other seconds
    // return false without allocating.
    bool CheckChime(DateTime now);

    // The scheduler's sound actions share the chime's player.
    void PlayFiles(std::string_view star_joined_paths) { player_.PlayFiles(star_joined_paths); }

    // The hot key: speaks hour and minute whatever the chime options are.
    void SayTime(DateTime now);

    // The file list of a chime, empty when nothing is to sound (an unknown type, the message type,
    // no chime folder).
    std::string ComposeChime(int hour, int minute, int chime_type, bool with_minutes) const;

    bool hour_chime() const { return hour_chime_; }
    bool half_chime() const { return half_chime_; }
    int chime_type() const { return chime_type_; }
    const std::string& sound_dir() const { return sound_dir_; }

private:
    ISoundPlayer& player_;
    IPopupSender& popup_;
    std::string sound_dir_;
    const DateLocale& locale_;
    bool hour_chime_ = false;
    bool half_chime_ = false;
    int chime_type_ = kChimeVoice;
};

}  // namespace kalvoro
