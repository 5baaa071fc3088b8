#include <gtest/gtest.h>

#include <string>

#include "skin/bmp_encoder.h"
#include "skin/skin_package.h"
#include "skin/skin_package_format.h"
#include "skin/testing/skin_test_support.h"

namespace kalvoro {
namespace {

const SkinImage kBitmap = testing::CoordinateImage(5, 3);

std::string LengthBytes(std::int64_t length) {
    std::string out;
    testing::PutLE(out, static_cast<std::uint32_t>(length), 4);
    testing::PutLE(out, static_cast<std::uint32_t>(static_cast<std::uint64_t>(length) >> 32), 4);
    return out;
}

TEST(SkinPackageFormat, ReadsBothBlocksWhateverTheFirstFourBytesHold) {
    const std::string description = "[VER]\r\nSkinVer=1.0\r\n";
    const std::string bmp = EncodeBmp24(kBitmap);
    for (const std::string& lead : {std::string(4, '\0'), std::string("\xFF\xFF\xFF\xFF"), std::string("SKIN")}) {
        const std::string package =
            lead + LengthBytes(description.size()) + description + LengthBytes(bmp.size()) + bmp;
        EXPECT_EQ(ReadSkinText(package), description);
        EXPECT_EQ(ReadSkinBitmap(package), kBitmap);
    }
}

TEST(SkinPackageFormat, BuiltPackagesReadBackAndTrailingBytesAreIgnored) {
    const std::string package = BuildSkinPackage("[VER]\nSkinVer=1.0", EncodeBmp24(kBitmap));
    EXPECT_EQ(ReadSkinText(package + "trailing"), "[VER]\nSkinVer=1.0");
    EXPECT_EQ(ReadSkinBitmap(package + "trailing"), kBitmap);
}

TEST(SkinPackageFormat, RefusesTruncatedPackagesAndImpossibleLengths) {
    const std::string description = "[VER]\r\nSkinVer=1.0\r\n";
    const std::string bmp = EncodeBmp24(kBitmap);
    const std::string package = BuildSkinPackage(description, bmp);
    for (std::size_t length = 0; length < package.size(); ++length) {
        EXPECT_FALSE(SplitSkinPackage(package.substr(0, length))) << "cut at " << length;
    }
    const auto with_lengths = [&](std::int64_t n1, std::int64_t n2) {
        return std::string(4, '\0') + LengthBytes(n1) + description + LengthBytes(n2) + bmp;
    };
    EXPECT_TRUE(SplitSkinPackage(with_lengths(description.size(), bmp.size())));
    EXPECT_FALSE(SplitSkinPackage(with_lengths(-1, bmp.size())));
    EXPECT_FALSE(SplitSkinPackage(with_lengths(description.size(), -1)));
    EXPECT_FALSE(SplitSkinPackage(with_lengths(INT64_MIN, bmp.size())));
    // Only the low 32 bits would point at the right place; the full length runs past the end.
    EXPECT_FALSE(SplitSkinPackage(with_lengths((std::int64_t{1} << 32) + description.size(), bmp.size())));
    EXPECT_FALSE(SplitSkinPackage(with_lengths(description.size(), bmp.size() + 1)));
}

TEST(SkinPackage, BitmapBlockMustBeABmp) {
    EXPECT_FALSE(SkinPackage::Read(BuildSkinPackage("[VER]\nSkinVer=1.0", "GIF89a not a bitmap")));
    EXPECT_FALSE(SkinPackage::Read(BuildSkinPackage("[VER]\nSkinVer=1.0", "")));
    EXPECT_EQ(DiagnoseSkinPackage(BuildSkinPackage("[VER]\nSkinVer=1.0", "BM"), skin_keys::kSkinVersion),
              SkinPackageProblem::kDamaged);
}

TEST(SkinPackage, VersionMustBeExactly1Point0) {
    struct Case {
        const char* description;
        bool accepted;
    };
    const Case cases[] = {
        {"[VER]\r\nSkinVer=1.0\r\n", true},
        {"[ver]\r\nskinver=1.0\r\n", true},
        {"[Ver]\r\nSKINVER = 1.0 \r\n", true},
        {"[VER]\rSkinVer=1.0\r", true},  // lone CR ends lines too
        {"[VER]\nSkinVer=1.0", true},
        {"[VER]\r\nSkinVer=1.00\r\n", false},
        {"[VER]\r\nSkinVer=1\r\n", false},
        {"[VER]\r\nSkinVer=v1.0\r\n", false},
        {"[VER]\r\nClockVer=1.0\r\n", false},
        {"[BAR]\r\nSkinVer=1.0\r\n", false},
        {"", false},
    };
    for (const auto& test : cases) {
        const std::string package = testing::PackageWith(test.description, kBitmap);
        auto read = SkinPackage::Read(package);
        ASSERT_TRUE(read) << test.description;
        EXPECT_EQ(read->HasSupportedVersion(skin_keys::kSkinVersion), test.accepted) << test.description;
        EXPECT_EQ(DiagnoseSkinPackage(package, skin_keys::kSkinVersion),
                  test.accepted ? SkinPackageProblem::kNone : SkinPackageProblem::kWrongVersion)
            << test.description;
    }
}

TEST(SkinPackage, ColoursInHexadecimalEqualDecimalAndBadValuesFallBack) {
    const SkinColorKey key{"BAR", "LEDBorderColor", 0xD08130};
    struct Case {
        const char* value_line;
        Colour expected;
    };
    const Case cases[] = {
        {"LEDBorderColor=1193046", 0x123456},
        {"LEDBorderColor=0x123456", 0x123456},
        {"LEDBorderColor=0X123456", 0x123456},
        {"LEDBorderColor=$123456", 0x123456},
        {"ledbordercolor=$123456", 0x123456},
        {"LEDBorderColor=-16777201", 0xFF00000F},
        {"LEDBorderColor=blue", 0xD08130},
        {"LEDBorderColor=", 0xD08130},
        {"OtherKey=5", 0xD08130},
    };
    for (const auto& test : cases) {
        auto package = SkinPackage::Read(
            testing::PackageWith(std::string("[VER]\nSkinVer=1.0\n[bar]\n") + test.value_line, kBitmap));
        ASSERT_TRUE(package);
        EXPECT_EQ(package->Color(key), test.expected) << test.value_line;
    }
}

TEST(SkinPackage, PieceRectReadsFourKeysEachWithItsDefault) {
    auto package = SkinPackage::Read(
        testing::PackageWith("[BUTTON]\nMenuBtnUpLeft=7\nmenubtnupheight=$10\nMenuBtnUpTop=x", kBitmap));
    ASSERT_TRUE(package);
    EXPECT_EQ(package->PieceRect(skin_keys::kMenuButtonUp), (SkinRect{7, 584, 43, 16}));
    EXPECT_EQ(package->PieceRect(skin_keys::kMenuButtonHot), skin_keys::kMenuButtonHot.default_rect);
}

}  // namespace
}  // namespace kalvoro
