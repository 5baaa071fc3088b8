// The recordings shipped in resources/sounds/Sound: every file a chime or the hot key can name is
// there, as 16-bit PCM WAV, and nothing else is.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "tasks/chime_clock_alarm.h"

namespace kalvoro {
namespace {

namespace fs = std::filesystem;

fs::path SoundFolder() {
#ifdef _WIN32
    return fs::path(std::string("Z:") + KALVORO_SOURCE_DIR + "/resources/sounds/Sound");
#else
    return fs::path(std::string(KALVORO_SOURCE_DIR) + "/resources/sounds/Sound");
#endif
}

class NullPlayer final : public ISoundPlayer {
public:
    void PlayFiles(std::string_view) override {}
};
class NullPopup final : public IPopupSender {
public:
    bool ShowText(std::string_view) override { return false; }
};

// The file names of every list: each type, hour and minute, with and without the minutes.
std::set<std::string> NamedFiles() {
    NullPlayer player;
    NullPopup popup;
    ClockAlarm alarm(player, popup, "S\\");
    alarm.SetOptions(true, true, kChimeVoice);
    std::set<std::string> names;
    for (int type = 0; type <= 3; ++type) {
        for (int hour = 0; hour < 24; ++hour) {
            for (int minute = 0; minute < 60; ++minute) {
                for (bool with_minutes : {false, true}) {
                    std::string list = alarm.ComposeChime(hour, minute, type, with_minutes);
                    std::size_t start = 0;
                    while (start < list.size()) {
                        std::size_t end = list.find('*', start);
                        if (end == std::string::npos) end = list.size();
                        names.insert(list.substr(start + 2, end - start - 2));
                        start = end + 1;
                    }
                }
            }
        }
    }
    return names;
}

TEST(ChimeSounds, EveryNamedRecordingIsShippedAsPcmWav) {
    const std::set<std::string> expected{"T1.wav", "To1.wav", "To2.wav", "To3.wav", "To4.wav", "0.wav",
                                         "1.wav",  "2.wav",   "3.wav",   "4.wav",   "5.wav",   "6.wav",
                                         "7.wav",  "8.wav",   "9.wav",   "10.wav",  "11.wav",  "12.wav",
                                         "2A.wav", "30.wav",  "H.wav",   "M.wav",   "Z1.wav",  "Z2.wav"};
    EXPECT_EQ(NamedFiles(), expected);

    std::set<std::string> shipped;
    for (const auto& entry : fs::directory_iterator(SoundFolder())) shipped.insert(entry.path().filename().string());
    EXPECT_EQ(shipped, expected);

    for (const std::string& name : expected) {
        SCOPED_TRACE(name);
        std::ifstream in(SoundFolder() / name, std::ios::binary);
        char header[44] = {};
        ASSERT_TRUE(in.read(header, sizeof header));
        EXPECT_EQ(std::string(header, 4), "RIFF");
        EXPECT_EQ(std::string(header + 8, 8), "WAVEfmt ");
        std::uint16_t format = 0, channels = 0, bits = 0;
        std::memcpy(&format, header + 20, 2);
        std::memcpy(&channels, header + 22, 2);
        std::memcpy(&bits, header + 34, 2);
        EXPECT_EQ(format, 1);  // PCM
        EXPECT_EQ(channels, 1);
        EXPECT_EQ(bits, 16);
        EXPECT_GT(fs::file_size(SoundFolder() / name), 44u + 22050u * 2 / 4);  // at least a quarter second
    }
}

}  // namespace
}  // namespace kalvoro
