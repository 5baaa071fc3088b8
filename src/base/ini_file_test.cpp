#include "base/ini_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <random>

#include "base/gbk.h"

namespace kalvoro {
namespace {

TEST(ParseIniIntegerTest, ReadsDecimalAndHexadecimal) {
    struct Case {
        const char* text;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {"0", 0},
        {"200", 200},
        {"-5", -5},
        {"+7", 7},
        {"007", 7},
        {" 42 ", 42},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"0x10", 16},
        {"0XfF", 255},
        {"$FF", 255},
        {"$FFFFFFFF", -1},
        {"0x80000000", INT_MIN},
        {"-$10", -16},
        {"$000000010", 16},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"$100000000", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"0x", std::nullopt},
        {"$", std::nullopt},
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
        {"1.5", std::nullopt},
        {"$G", std::nullopt},
        {"--1", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseIniInteger(c.text), c.expected) << c.text;
}

const char kSample[] =
    "orphan=before any section\r\n"
    "[BAR]\r\n"
    "OnTop=1\r\n"
    "  Tr  =  180  \r\n"
    "; DefWin=3\r\n"
    "DefWin=2\r\n"
    "DefWin=0\r\n"
    "Formula=a=b=c\r\n"
    "Empty=\r\n"
    "NoEquals\r\n"
    "Hex=$FF\r\n"
    "Junk=12abc\r\n"
    "\r\n"
    "[ skin ]\r\n"
    "SkinFile=\"Blue Sky.sk\"\r\n";

TEST(IniDocumentTest, LooksUpValuesAsTheSettingsFileDoes) {
    const IniDocument ini = IniDocument::Parse(kSample);
    EXPECT_EQ(ini.ReadInteger("bar", "ONTOP", 0), 1);
    EXPECT_EQ(ini.ReadInteger("BAR", "Tr", 200), 180);
    EXPECT_EQ(ini.ReadInteger("BAR", "DefWin", 1), 2);  // the first of duplicate keys, comments skipped
    EXPECT_EQ(ini.ReadString("BAR", "Formula", ""), "a=b=c");
    EXPECT_EQ(ini.ReadString("BAR", "Empty", "default"), "");
    EXPECT_EQ(ini.ReadInteger("BAR", "Empty", 9), 9);
    EXPECT_EQ(ini.ReadInteger("BAR", "Hex", 0), 255);
    EXPECT_EQ(ini.ReadInteger("BAR", "Junk", 5), 5);
    EXPECT_EQ(ini.ReadString("SKIN", "SkinFile", ""), "\"Blue Sky.sk\"");  // quotes stay
    EXPECT_FALSE(ini.HasKey("BAR", "NoEquals"));
    EXPECT_FALSE(ini.HasKey("BAR", "orphan"));
    EXPECT_FALSE(ini.HasKey("BAR", "SkinFile"));
    EXPECT_EQ(ini.ReadString("MISSING", "OnTop", "d"), "d");
    EXPECT_EQ(ini.ReadString("BAR", "Missing", "d"), "d");
    EXPECT_TRUE(ini.HasSection("Skin"));
    EXPECT_FALSE(ini.HasSection("Missing"));
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"BAR", "skin"}));
    EXPECT_EQ(ini.KeyNames("bar"),
              (std::vector<std::string>{"OnTop", "Tr", "DefWin", "Formula", "Empty", "Hex", "Junk"}));
}

TEST(IniDocumentTest, ReadsBooleansAsIntegers) {
    const IniDocument ini = IniDocument::Parse("[LED]\nA=1\nB=0\nC=-3\nD=yes\nE=\n");
    EXPECT_TRUE(ini.ReadBool("LED", "A", false));
    EXPECT_FALSE(ini.ReadBool("LED", "B", true));
    EXPECT_TRUE(ini.ReadBool("LED", "C", false));
    EXPECT_TRUE(ini.ReadBool("LED", "D", true));
    EXPECT_FALSE(ini.ReadBool("LED", "D", false));
    EXPECT_TRUE(ini.ReadBool("LED", "E", true));
    EXPECT_TRUE(ini.ReadBool("LED", "Missing", true));
}

TEST(IniDocumentTest, AcceptsLfLineEndsAndAByteOrderMark) {
    const IniDocument ini = IniDocument::Parse("\xEF\xBB\xBF[CLOCK]\nAlarm=1\n[MSG]\r\nAuto=0");
    EXPECT_EQ(ini.ReadInteger("CLOCK", "Alarm", 0), 1);
    EXPECT_EQ(ini.ReadInteger("MSG", "Auto", 1), 0);
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"CLOCK", "MSG"}));
}

TEST(IniDocumentTest, ValuesAreGbkOnDiskAndUtf8Here) {
    const std::string gbk = Utf8ToGbk("[日历]\r\n节日=春节 元宵\r\n");
    IniDocument ini = IniDocument::Parse(gbk);
    EXPECT_EQ(ini.ReadString("日历", "节日", ""), "春节 元宵");
    ini.Write("日历", "备注", "中秋");
    EXPECT_EQ(ini.Serialize(), gbk + Utf8ToGbk("备注=中秋\r\n"));
}

// "丄" and "乤" differ only in a trail byte that looks like "A" and "a".
TEST(IniDocumentTest, CaseFoldingLeavesTwoByteCharactersAlone) {
    const IniDocument ini = IniDocument::Parse(Utf8ToGbk("[S]\r\n丄=first\r\n乤=second\r\n"));
    EXPECT_EQ(ini.ReadString("S", "丄", ""), "first");
    EXPECT_EQ(ini.ReadString("S", "乤", ""), "second");
}

TEST(IniDocumentTest, CutsLongValuesAt2047BytesWithoutSplittingACharacter) {
    const std::string ascii(3000, 'x');
    IniDocument ini = IniDocument::Parse("[S]\r\nA=" + ascii + "\r\n");
    EXPECT_EQ(ini.ReadString("S", "A", "").size(), 2047u);

    std::string text;
    for (int i = 0; i < 1100; ++i) text += "中";
    ini.Write("S", "B", text);
    const std::string value = ini.ReadString("S", "B", "");
    EXPECT_EQ(GbkLength(value), 2046u);
    EXPECT_EQ(value, text.substr(0, 1023 * 3));
}

TEST(IniDocumentTest, WritesKeepEveryOtherLine) {
    const std::string original =
        "; settings\r\n"
        "[BAR]\r\n"
        "  OnTop = 0 \r\n"
        "Tr=200\r\n"
        "\r\n"
        "[LED]\n"
        "FontName=Tahoma\r\n";
    IniDocument ini = IniDocument::Parse(original);
    ini.Write("bar", "ontop", "1");
    ini.Write("BAR", "DefWin", "2");
    ini.Write("LED", "FontSize", "18");
    ini.Write("CLOCK", "Alarm", "1");
    EXPECT_EQ(ini.Serialize(),
              "; settings\r\n"
              "[BAR]\r\n"
              "OnTop=1\r\n"
              "Tr=200\r\n"
              "DefWin=2\r\n"
              "\r\n"
              "[LED]\r\n"
              "FontName=Tahoma\r\n"
              "FontSize=18\r\n"
              "\r\n"
              "[CLOCK]\r\n"
              "Alarm=1\r\n");
}

TEST(IniDocumentTest, OnlyTheFirstSectionOfANameCounts) {
    IniDocument ini = IniDocument::Parse("[A]\r\nx=1\r\n[B]\r\n[a]\r\ny=2\r\n");
    EXPECT_EQ(ini.ReadString("A", "y", "none"), "none");
    EXPECT_EQ(ini.KeyNames("A"), std::vector<std::string>{"x"});
    ini.Write("A", "y", "9");
    ini.Write("A", "x", "5");
    EXPECT_EQ(ini.ReadString("A", "y", ""), "9");
    EXPECT_EQ(ini.Serialize(), "[A]\r\nx=5\r\ny=9\r\n[B]\r\n[a]\r\ny=2\r\n");
}

TEST(IniDocumentTest, RefusesWritesThatWouldBreakTheFile) {
    IniDocument ini = IniDocument::Parse("[S]\r\nk=v\r\n");
    ini.Write("S", "k", "one\r\n[Evil]\r\nx=1");
    EXPECT_EQ(ini.ReadString("S", "k", ""), "one  [Evil]  x=1");
    EXPECT_FALSE(ini.HasSection("Evil"));
    ini.Write("S", "a=b", "1");
    ini.Write("S", "", "1");
    ini.Write("S", "[T]", "1");
    ini.Write("S]", "k", "1");
    EXPECT_EQ(ini.Serialize(), "[S]\r\nk=one  [Evil]  x=1\r\n");
}

TEST(IniDocumentTest, ErasesKeysAndSections) {
    IniDocument ini = IniDocument::Parse("[A]\r\nx=1\r\ny=2\r\n[B]\r\nx=3\r\n[A]\r\nx=4\r\n");
    ini.EraseKey("a", "X");
    EXPECT_EQ(ini.Serialize(), "[A]\r\ny=2\r\n[B]\r\nx=3\r\n[A]\r\n");
    ini.EraseSection("A");
    EXPECT_EQ(ini.Serialize(), "[B]\r\nx=3\r\n");
}

TEST(IniDocumentTest, SerializesAnEmptyDocumentAsNothing) {
    EXPECT_EQ(IniDocument().Serialize(), "");
    EXPECT_EQ(IniDocument::Parse("").Serialize(), "");
}

// Junk, however large, is read in one linear pass and still accepts a write.
TEST(IniDocumentTest, HugeAndBinaryFilesNeitherCrashNorHang) {
    std::mt19937 random(7);
    std::string junk(50 * 1024 * 1024, '\0');
    const char alphabet[] =
        "[]=;\r\n \t\xD6\xD0\x80\xFF"
        "ab";
    for (char& c : junk)
        c = random() % 4 == 0 ? alphabet[random() % (sizeof alphabet - 1)] : static_cast<char>(random());
    const std::string one_line = "[S]\r\nk=" + std::string(20 * 1024 * 1024, '[') + "\r\n";

    const auto start = std::chrono::steady_clock::now();
    for (const std::string* text : std::vector<const std::string*>{&junk, &one_line}) {
        IniDocument ini = IniDocument::Parse(*text);
        EXPECT_EQ(ini.ReadInteger("NoSuchSection", "k", 42), 42);
        ini.Write("BAR", "Tr", "200");
        EXPECT_EQ(ini.ReadInteger("BAR", "Tr", 0), 200);
        EXPECT_GT(ini.Serialize().size(), text->size() / 2);
    }
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 60.0);
    std::printf("70 MB of junk parsed, read and rewritten in %.2f s\n", seconds);
}

// A store whose file exists but cannot be read, as when another program holds it locked.
class LockedFileStore final : public IFileStore {
public:
    std::optional<std::string> ReadAll(const std::string&) override { return std::nullopt; }
    bool WriteAtomic(const std::string&, std::string_view) override {
        ++writes;
        return true;
    }
    bool Exists(const std::string&) override { return true; }
    bool Remove(const std::string&) override { return false; }
    std::vector<std::string> ListFiles(const std::string&, std::string_view) override { return {}; }
    int writes = 0;
};

TEST(IniFileTest, ReadsAndWritesSingleValuesThroughTheStore) {
    MemoryFileStore files;
    IniFile ini(files, "C:\\Kalvoro\\skin.ini");
    EXPECT_EQ(ini.ReadInteger("BAR", "Tr", 200), 200);
    EXPECT_FALSE(files.Exists(ini.path()));

    EXPECT_TRUE(ini.WriteInteger("BAR", "Tr", 180));
    EXPECT_TRUE(ini.WriteBool("BAR", "OnTop", true));
    EXPECT_TRUE(ini.WriteBool("BAR", "DateLoop", false));
    EXPECT_TRUE(ini.WriteString("SKIN", "SkinFile", "蓝色.sk"));
    EXPECT_EQ(files.write_count, 4);
    EXPECT_EQ(files.ReadAll(ini.path()),
              Utf8ToGbk("[BAR]\r\nTr=180\r\nOnTop=1\r\nDateLoop=0\r\n\r\n[SKIN]\r\nSkinFile=蓝色.sk\r\n"));

    EXPECT_EQ(ini.ReadInteger("bar", "tr", 0), 180);
    EXPECT_TRUE(ini.ReadBool("BAR", "OnTop", false));
    EXPECT_FALSE(ini.ReadBool("BAR", "DateLoop", true));
    EXPECT_EQ(ini.ReadString("SKIN", "SkinFile", ""), "蓝色.sk");
    EXPECT_EQ(ini.Load().SectionNames(), (std::vector<std::string>{"BAR", "SKIN"}));
}

TEST(IniFileTest, ReportsFailedWritesAndKeepsUnreadableFiles) {
    MemoryFileStore files;
    files.Put("skin.ini", "[BAR]\r\nTr=100\r\n");
    files.fail_writes = true;
    IniFile ini(files, "skin.ini");
    EXPECT_FALSE(ini.WriteInteger("BAR", "Tr", 5));
    EXPECT_EQ(ini.ReadInteger("BAR", "Tr", 0), 100);
    EXPECT_FALSE(ini.WriteInteger("BAR", "a=b", 5));

    LockedFileStore locked;
    IniFile locked_ini(locked, "skin.ini");
    EXPECT_FALSE(locked_ini.WriteInteger("BAR", "Tr", 5));
    EXPECT_EQ(locked.writes, 0);
    EXPECT_EQ(locked_ini.ReadInteger("BAR", "Tr", 7), 7);
}

}  // namespace
}  // namespace kalvoro
