// Reads and writes the same small settings files with IniFile and with the Win32 profile functions
// (GetPrivateProfileStringW, GetPrivateProfileIntW, WritePrivateProfileStringW) and compares them.
//
// Where Win32 differs by design, the table of differences states both answers and our own rule
// holds:
// - Win32 strips one pair of matching quotes ("..." or '...') around a value; the settings file
//   keeps text unchanged.
// - GetPrivateProfileInt reads the leading digits of "12abc" and gives 0 for text that is no number
//   at all; our integers give the default for anything that is not wholly a number.
// - GetPrivateProfileInt wraps numbers that overflow; ours give the default.
// - GetPrivateProfileInt does not read "$" hexadecimal; ours does ("0x" both do).
// The profile functions read the file in the ANSI code page, so the Chinese cases need code page
// 936 as the system code page (the Wine harness sets a Chinese locale); without it every test here
// fails rather than leaving those cases out.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "base/file_store.h"
#include "base/gbk.h"
#include "base/ini_file.h"
#include "base/win32/text.h"

namespace kalvoro {
namespace {

namespace fs = std::filesystem;

constexpr char kDefault[] = "<default>";
constexpr int kDefaultInteger = -777;

class IniDifferentialTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 936u) << "the system code page must be 936 (GBK) for the Chinese cases";
        folder_ = fs::temp_directory_path() / ("kalvoro-ini-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    // Every file gets a fresh name: the profile functions cache the files they have read.
    std::string NewPath() {
        static std::atomic<int> counter{0};
        const std::u8string text = (folder_ / ("case" + std::to_string(++counter) + ".ini")).u8string();
        return std::string(text.begin(), text.end());
    }

    std::string NewFile(const std::string& gbk_bytes) {
        const std::string path = NewPath();
        EXPECT_TRUE(DiskFileStore().WriteAtomic(path, gbk_bytes));
        return path;
    }

    static std::string Win32String(const std::string& path, const std::string& section, const std::string& key) {
        wchar_t buffer[2048] = {};
        GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(kDefault).c_str(), buffer,
                                 static_cast<DWORD>(std::size(buffer)), Widen(path).c_str());
        return Narrow(buffer);
    }

    static int Win32Integer(const std::string& path, const std::string& section, const std::string& key) {
        return static_cast<int>(
            GetPrivateProfileIntW(Widen(section).c_str(), Widen(key).c_str(), kDefaultInteger, Widen(path).c_str()));
    }

    static bool Win32Write(const std::string& path, const std::string& section, const std::string& key,
                           const std::string& value) {
        return WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(value).c_str(),
                                          Widen(path).c_str()) != FALSE;
    }

    static std::string OurString(const std::string& path, const std::string& section, const std::string& key) {
        return IniFile(DiskFileStore(), path).ReadString(section, key, kDefault);
    }

    static int OurInteger(const std::string& path, const std::string& section, const std::string& key) {
        return IniFile(DiskFileStore(), path).ReadInteger(section, key, kDefaultInteger);
    }

private:
    fs::path folder_;
};

struct ReadCase {
    std::string content;  // UTF-8, stored as GBK
    const char* section;
    const char* key;
};

std::string Shown(std::string text) {
    for (char& c : text) {
        if (c == '\r') c = '|';
        if (c == '\n') c = '/';
    }
    return text;
}

TEST_F(IniDifferentialTest, BothReadTheSameStrings) {
    const ReadCase cases[] = {
        {"[BAR]\r\nOnTop=1\r\n", "bar", "ONTOP"},
        {"[BAR]\r\n  Tr  =  180  \r\n", "BAR", "Tr"},
        {"[ BAR ]\r\nTr=180\r\n", "BAR", "Tr"},
        {"[BAR]\r\nDefWin=2\r\nDefWin=0\r\n", "BAR", "DefWin"},
        {"[BAR]\r\nOnTop=1\r\n", "Missing", "OnTop"},
        {"[BAR]\r\nOnTop=1\r\n", "BAR", "Missing"},
        {"", "BAR", "OnTop"},
        {"OnTop=1\r\n[BAR]\r\n", "BAR", "OnTop"},
        {"[SKIN]\r\nWinFile=a=b=c\r\n", "SKIN", "WinFile"},
        {"[SKIN]\r\nSkinFile=\r\n", "SKIN", "SkinFile"},
        {"[SKIN]\r\nSkinFile=   \r\n", "SKIN", "SkinFile"},
        {"[SKIN]\r\nSkinFile=Blue Sky.sk\r\n", "SKIN", "SkinFile"},
        {"[LED]\nFontName=Tahoma\n", "LED", "FontName"},
        {"[LED]\r\n; FontName=Arial\r\nFontName=Tahoma\r\n", "LED", "FontName"},
        {"[LED]\r\nFontName=Tahoma\r\n[led]\r\nFontSize=9\r\n", "LED", "FontSize"},
        {"[LED]\r\nFontSize=9\r\n\r\n[CHILD]\r\nLeft=3", "child", "left"},
        {"[LED]\r\nFontColor=0x1F\r\n", "LED", "FontColor"},
        {"[LED]\r\nFontColor=$FF\r\n", "LED", "FontColor"},
        {"[SKIN]\r\nSkinFile=" + std::string(3000, 'x') + "\r\n", "SKIN", "SkinFile"},
        {"[日历]\r\n节日=春节 元宵\r\n", "日历", "节日"},
        {"[MSG]\r\n提示=星期日 周日\r\n", "msg", "提示"},
        {"[SKIN]\r\nSkinFile=蓝色天空.sk\r\n", "SKIN", "SkinFile"},
    };
    for (const ReadCase& c : cases) {
        const std::string path = NewFile(Utf8ToGbk(c.content));
        EXPECT_EQ(OurString(path, c.section, c.key), Win32String(path, c.section, c.key))
            << Shown(c.content) << " " << c.section << "/" << c.key;
    }
}

TEST_F(IniDifferentialTest, BothReadTheSameIntegers) {
    const ReadCase cases[] = {
        {"[BAR]\r\nTr=180\r\n", "BAR", "Tr"},
        {"[BAR]\r\n Tr = -5 \r\n", "bar", "tr"},
        {"[BAR]\r\nTr=0\r\n", "BAR", "Tr"},
        {"[BAR]\r\nTr=2147483647\r\n", "BAR", "Tr"},
        {"[LED]\r\nFontColor=0x1F\r\n", "LED", "FontColor"},
        {"[BAR]\r\nTr=\r\n", "BAR", "Tr"},
        {"[BAR]\r\nTr=1\r\n", "BAR", "Missing"},
        {"[BAR]\r\nTr=1\r\n", "Missing", "Tr"},
    };
    for (const ReadCase& c : cases) {
        const std::string path = NewFile(Utf8ToGbk(c.content));
        EXPECT_EQ(OurInteger(path, c.section, c.key), Win32Integer(path, c.section, c.key))
            << Shown(c.content) << " " << c.section << "/" << c.key;
    }
}

TEST_F(IniDifferentialTest, AByteOrderMarkDoesNotHideTheFirstSection) {
    const std::string path = NewFile("\xEF\xBB\xBF[BAR]\r\nOnTop=1\r\n");
    EXPECT_EQ(OurString(path, "BAR", "OnTop"), "1");
    EXPECT_EQ(Win32String(path, "BAR", "OnTop"), "1");
}

TEST_F(IniDifferentialTest, DifferencesByDesign) {
    struct DifferingCase {
        const char* content;
        const char* key;
        const char* win32_string;
        const char* our_string;
        int win32_integer;
        int our_integer;
    };
    const DifferingCase cases[] = {
        {"[S]\r\nk=\"Blue Sky.sk\"\r\n", "k", "Blue Sky.sk", "\"Blue Sky.sk\"", 0, kDefaultInteger},
        {"[S]\r\nk='Blue'\r\n", "k", "Blue", "'Blue'", 0, kDefaultInteger},
        {"[S]\r\nk=Tahoma\r\n", "k", "Tahoma", "Tahoma", 0, kDefaultInteger},
        {"[S]\r\nk=12abc\r\n", "k", "12abc", "12abc", 12, kDefaultInteger},
        {"[S]\r\nk=99999999999\r\n", "k", "99999999999", "99999999999", 1215752191, kDefaultInteger},
        {"[S]\r\nk=$FF\r\n", "k", "$FF", "$FF", 0, 255},
        {"[S]\r\nk=$FFFFFFFF\r\n", "k", "$FFFFFFFF", "$FFFFFFFF", 0, -1},
    };
    for (const DifferingCase& c : cases) {
        const std::string path = NewFile(c.content);
        EXPECT_EQ(Win32String(path, "S", c.key), c.win32_string) << Shown(c.content);
        EXPECT_EQ(OurString(path, "S", c.key), c.our_string) << Shown(c.content);
        EXPECT_EQ(Win32Integer(path, "S", c.key), c.win32_integer) << Shown(c.content);
        EXPECT_EQ(OurInteger(path, "S", c.key), c.our_integer) << Shown(c.content);
    }
}

// The same writes through both writers give two files that both readers read alike.
TEST_F(IniDifferentialTest, WrittenFilesReadBackAlike) {
    struct Write {
        const char* section;
        const char* key;
        const char* value;
    };
    const std::vector<Write> writes = {
        {"BAR", "OnTop", "1"},  {"BAR", "Tr", "200"},          {"SKIN", "WinFile", "Win\\a=b.sk"},
        {"bar", "ONTOP", "0"},  {"CLOCK", "HotKey2", "  T  "}, {"LED", "FontName", "Tahoma"},
        {"BAR", "Left", "-12"}, {"CHILD", "Index", ""},        {"LED", "FontName", "Arial Black"},
    };
    const std::vector<Write> chinese_writes = {
        {"SKIN", "SkinFile", "蓝色天空.sk"}, {"日历", "节日", "春节 元宵"}, {"日历", "节日", "中秋"}};
    const char* initial_contents[] = {
        nullptr,  // no file yet
        "; Kalvoro\r\n[BAR]\r\nOnTop=1\r\n\r\n[LED]\r\nFontSize=18\r\n\r\n[CHILD]\r\nLeft=5\r\n",
    };
    for (const char* initial : initial_contents) {
        const std::string by_win32 = initial ? NewFile(initial) : NewPath();
        const std::string by_us = initial ? NewFile(initial) : NewPath();
        std::vector<Write> all = writes;
        all.insert(all.end(), chinese_writes.begin(), chinese_writes.end());
        IniFile ours(DiskFileStore(), by_us);
        for (const Write& w : all) {
            ASSERT_TRUE(Win32Write(by_win32, w.section, w.key, w.value));
            ASSERT_TRUE(ours.WriteString(w.section, w.key, w.value));
        }
        std::vector<Write> probes = all;
        probes.push_back({"LED", "FontSize", ""});
        probes.push_back({"CHILD", "Left", ""});
        probes.push_back({"BAR", "Missing", ""});
        for (const Write& probe : probes) {
            const std::string expected = OurString(by_us, probe.section, probe.key);
            EXPECT_EQ(OurString(by_win32, probe.section, probe.key), expected) << probe.section << "/" << probe.key;
            EXPECT_EQ(Win32String(by_win32, probe.section, probe.key), expected) << probe.section << "/" << probe.key;
            EXPECT_EQ(Win32String(by_us, probe.section, probe.key), expected) << probe.section << "/" << probe.key;
        }
        EXPECT_EQ(OurString(by_us, "BAR", "OnTop"), "0");
        EXPECT_EQ(OurString(by_us, "CLOCK", "HotKey2"), "T");
        EXPECT_EQ(OurString(by_us, "LED", "FontName"), "Arial Black");
    }
}

}  // namespace
}  // namespace kalvoro
