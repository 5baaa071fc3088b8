#include "base/guard.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace kalvoro {
namespace {

void SetLogVariable(const char* value) {
#ifdef _WIN32
    ::_putenv_s("KALVORO_LOG", value);
#else
    if (*value) {
        ::setenv("KALVORO_LOG", value, 1);
    } else {
        ::unsetenv("KALVORO_LOG");
    }
#endif
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(GuardTest, SwallowedErrorLeavesOneLineInTheLog) {
    const std::string path = ::testing::TempDir() + "kalvoro_guard_test.log";
    std::remove(path.c_str());
    SetLogVariable(path.c_str());

    bool after = false;
    EXPECT_FALSE(GuardedCall("tick", [] { throw std::runtime_error("bad record"); }));
    EXPECT_FALSE(GuardedCall("paint", [] { throw 42; }));
    EXPECT_TRUE(GuardedCall("menu", [&] { after = true; }));
    SetLogVariable("");

    EXPECT_TRUE(after);
    EXPECT_EQ(ReadWhole(path), "Kalvoro: tick: bad record\nKalvoro: paint: unknown error\n");
    std::remove(path.c_str());
}

}  // namespace
}  // namespace kalvoro
