#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "base/file_store.h"
#include "skin/bmp_encoder.h"
#include "skin/skin_package_format.h"
#include "skin/testing/skin_test_support.h"
#include "skinpack.h"

namespace kalvoro::skinpack {
namespace {

const std::string kBarDescription = "[VER]\r\nSkinVer=1.0\r\n[BAR]\r\nLEDBkColor=$102030\r\n";
const std::string kClockDescription =
    "[VER]\r\nClockVer=1.0\r\n[Clock]\r\nClockWidth=20\r\nClockHeight=20\r\nHourHandLeft=20\r\nHourHandWidth=3\r\n"
    "HourHandHeight=9\r\n";

class SkinpackTest : public ::testing::Test {
protected:
    SkinpackTest() {
        files.Put("bar.ini", kBarDescription);
        files.Put("bar.bmp", EncodeBmp24(testing::CoordinateImage(332, 610)));
        files.Put("clock.ini", kClockDescription);
        files.Put("clock.bmp", EncodeBmp24(testing::CoordinateImage(30, 20)));
    }

    int Run(std::vector<std::string> arguments) {
        out.str("");
        err.str("");
        Environment environment{files, out, err, [this](const std::string& folder) {
                                    created_folders.push_back(folder);
                                    return folder_creation_works;
                                }};
        return skinpack::Run(arguments, environment);
    }

    MemoryFileStore files;
    std::ostringstream out;
    std::ostringstream err;
    std::vector<std::string> created_folders;
    bool folder_creation_works = true;
};

TEST_F(SkinpackTest, PackInfoAndUnpackRoundTrip) {
    ASSERT_EQ(Run({"pack", "bar.ini", "bar.bmp", "Default.sk"}), kExitOk) << err.str();
    EXPECT_EQ(files.ReadAll("Default.sk"), BuildSkinPackage(kBarDescription, *files.ReadAll("bar.bmp")));
    EXPECT_NE(out.str().find("bar skin"), std::string::npos) << out.str();

    ASSERT_EQ(Run({"info", "Default.sk"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("bitmap: 332x610"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("SkinVer=1.0 (accepted)"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("CALENDAR/CalendarBk   0,34 332x390        inside"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("BAR/LEDBkColor              0x102030\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("BAR/LEDFontColor            0x00FFFF  (default)"), std::string::npos) << out.str();

    ASSERT_EQ(Run({"unpack", "Default.sk", "out"}), kExitOk) << err.str();
    EXPECT_EQ(created_folders, std::vector<std::string>{"out"});
    EXPECT_EQ(files.ReadAll("out/Default.ini"), kBarDescription);
    EXPECT_EQ(files.ReadAll("out/Default.bmp"), files.ReadAll("bar.bmp"));

    ASSERT_EQ(Run({"unpack", "Default.sk", "C:\\skins\\out"}), kExitOk) << err.str();
    EXPECT_EQ(files.ReadAll("C:\\skins\\out\\Default.ini"), kBarDescription);
}

TEST_F(SkinpackTest, ClockPackagesAreCheckedAgainstClockKeys) {
    ASSERT_EQ(Run({"pack", "clock.ini", "clock.bmp", "Round.CL"}), kExitOk) << err.str();
    ASSERT_EQ(Run({"info", "Round.CL"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("kind: clock skin"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("centre: 10,10 (middle of the face)"), std::string::npos) << out.str();

    // The same description under a bar skin's version key is refused for a clock package.
    files.Put("wrong.ini", "[VER]\r\nSkinVer=1.0\r\n");
    EXPECT_EQ(Run({"pack", "wrong.ini", "clock.bmp", "Wrong.cl"}), kExitFailed);
    EXPECT_NE(err.str().find("[VER] ClockVer=1.0"), std::string::npos) << err.str();
}

TEST_F(SkinpackTest, PackRefusesWhatTheProgramWouldIgnore) {
    files.Put("no-version.ini", "[BAR]\r\nLEDBkColor=0\r\n");
    files.Put("old-version.ini", "[VER]\r\nSkinVer=1.00\r\n");
    files.Put("outside.ini", "[VER]\r\nSkinVer=1.0\r\n[BAR]\r\nBarBkLeft=400\r\n");
    files.Put("picture.gif", "GIF89a");
    struct Case {
        std::vector<std::string> arguments;
        const char* message;
    };
    const Case cases[] = {
        {{"pack", "missing.ini", "bar.bmp", "x.sk"}, "cannot read missing.ini"},
        {{"pack", "bar.ini", "missing.bmp", "x.sk"}, "cannot read missing.bmp"},
        {{"pack", "bar.ini", "picture.gif", "x.sk"}, "is not a BMP file"},
        {{"pack", "no-version.ini", "bar.bmp", "x.sk"}, "lacks [VER] SkinVer=1.0"},
        {{"pack", "old-version.ini", "bar.bmp", "x.sk"}, "lacks [VER] SkinVer=1.0"},
        {{"pack", "outside.ini", "bar.bmp", "x.sk"}, "BAR/BarBk             400,0 332x34"},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(Run(test.arguments), kExitFailed) << test.message;
        EXPECT_NE(err.str().find(test.message), std::string::npos) << err.str();
        EXPECT_FALSE(files.Exists("x.sk")) << test.message;
    }
}

TEST_F(SkinpackTest, PiecesPartlyOutsideAreWarnedAbout) {
    files.Put("partly.ini", "[VER]\r\nSkinVer=1.0\r\n[BAR]\r\nBarBkLeft=300\r\n");
    EXPECT_EQ(Run({"pack", "partly.ini", "bar.bmp", "x.sk"}), kExitOk);
    EXPECT_NE(err.str().find("warning: piece BAR/BarBk"), std::string::npos) << err.str();
    EXPECT_TRUE(files.Exists("x.sk"));
}

TEST_F(SkinpackTest, RepeatedSectionHeadersAreWarnedAbout) {
    files.Put("repeat.ini", kClockDescription + "[CLOCK]\r\nCenterX=3\r\n [clock] \r\n");
    EXPECT_EQ(Run({"pack", "repeat.ini", "clock.bmp", "x.cl"}), kExitOk);
    EXPECT_NE(err.str().find("section [CLOCK] repeats [Clock]"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("section [clock] repeats [Clock]"), std::string::npos) << err.str();
    EXPECT_EQ(Run({"info", "x.cl"}), kExitOk);
    EXPECT_NE(err.str().find("repeats"), std::string::npos) << err.str();
    EXPECT_NE(out.str().find("centre: 10,10"), std::string::npos) << out.str();
}

TEST_F(SkinpackTest, DamagedPackagesAndFailedWrites) {
    files.Put("damaged.sk", "SKIN\x05");
    files.Put("old.sk", BuildSkinPackage("[VER]\r\nSkinVer=0.9\r\n", *files.ReadAll("bar.bmp")));
    files.Put("not-bmp.sk", BuildSkinPackage(kBarDescription, "not a bitmap"));
    EXPECT_EQ(Run({"info", "damaged.sk"}), kExitFailed);
    EXPECT_NE(err.str().find("not a skin package"), std::string::npos) << err.str();
    EXPECT_EQ(Run({"info", "old.sk"}), kExitFailed);
    EXPECT_NE(out.str().find("SkinVer=0.9 (NOT 1.0"), std::string::npos) << out.str();
    EXPECT_EQ(Run({"info", "not-bmp.sk"}), kExitFailed);
    EXPECT_NE(out.str().find("not a BMP file"), std::string::npos) << out.str();
    EXPECT_EQ(Run({"info", "missing.sk"}), kExitFailed);
    EXPECT_EQ(Run({"unpack", "damaged.sk", "out"}), kExitFailed);
    EXPECT_NE(err.str().find("not a skin package"), std::string::npos) << err.str();

    // A package whose bitmap cannot be read is still taken apart, so it can be repaired.
    EXPECT_EQ(Run({"unpack", "not-bmp.sk", "out"}), kExitOk);
    EXPECT_EQ(files.ReadAll("out/not-bmp.bmp"), "not a bitmap");
    EXPECT_NE(err.str().find("warning"), std::string::npos);

    folder_creation_works = false;
    EXPECT_EQ(Run({"unpack", "old.sk", "locked"}), kExitFailed);
    EXPECT_NE(err.str().find("cannot create the folder locked"), std::string::npos) << err.str();

    files.fail_writes = true;
    EXPECT_EQ(Run({"pack", "bar.ini", "bar.bmp", "y.sk"}), kExitFailed);
    EXPECT_NE(err.str().find("cannot write y.sk"), std::string::npos) << err.str();
}

TEST_F(SkinpackTest, WrongCommandLinesPrintTheUsage) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, {"pack", "bar.ini", "bar.bmp"}, {"info"}, {"unpack", "a.sk"}, {"explode", "x"}}) {
        EXPECT_EQ(Run(arguments), kExitUsage);
        EXPECT_NE(err.str().find("usage: skinpack pack"), std::string::npos);
    }
    EXPECT_EQ(Run({"--help"}), kExitOk);
    EXPECT_NE(out.str().find("skinpack info <package>"), std::string::npos);
}

}  // namespace
}  // namespace kalvoro::skinpack
