#include "popup/popup_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "base/file_store.h"

namespace kalvoro::popup {
namespace {

class PopupSettingsTest : public ::testing::Test {
protected:
    PopupSettings ReadFrom(const std::string& content) {
        files.Put("skin.ini", content);
        return ReadPopupSettings(IniFile(files, "skin.ini"));
    }
    MemoryFileStore files;
};

TEST_F(PopupSettingsTest, MissingFileGivesTheDefaults) {
    EXPECT_EQ(ReadPopupSettings(IniFile(files, "skin.ini")), (PopupSettings{true, 5, 200}));
}

TEST_F(PopupSettingsTest, ReadsTheMsgKeys) {
    EXPECT_EQ(ReadFrom("[BAR]\r\nTr=100\r\n[msg]\r\nauto=0\r\nAutoSec=30\r\nTRAN=0x80\r\n"),
              (PopupSettings{false, 30, 128}));
}

TEST_F(PopupSettingsTest, BringsValuesOutsideTheirRangesToTheNearestEnd) {
    struct Case {
        std::string auto_seconds, alpha;
        int expected_seconds, expected_alpha;
    };
    const Case cases[] = {
        {"4", "54", 5, 55},         {"5", "55", 5, 55},  {"3600", "255", 3600, 255},
        {"3601", "256", 3600, 255}, {"-1", "-1", 5, 55}, {"99999999", "1000", 3600, 255},
        {"soon", "", 5, 200},  // not numbers: the defaults
    };
    for (const Case& c : cases) {
        const PopupSettings settings = ReadFrom("[MSG]\r\nAutoSec=" + c.auto_seconds + "\r\nTran=" + c.alpha + "\r\n");
        EXPECT_EQ(settings.auto_close_seconds, c.expected_seconds) << c.auto_seconds;
        EXPECT_EQ(settings.alpha, c.expected_alpha) << c.alpha;
    }
}

}  // namespace
}  // namespace kalvoro::popup
