#include "calendar/sorted_string_list.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace kalvoro {
namespace {

std::vector<std::string> Texts(const SortedStringList& list) {
    std::vector<std::string> texts;
    for (const StringEntry& entry : list) texts.push_back(entry.text);
    return texts;
}

TEST(SortedStringList, KeepsOrderAndIgnoresDuplicatesRegardlessOfCase) {
    SortedStringList list;
    list.Add("0505=b", 1);
    list.Add("0101=a", 2);
    list.Add("abc", 3);
    EXPECT_EQ(list.Add("ABC", 4), 2u);  // already there: index of the present entry
    list.Add("0505=b", 5);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"0101=a", "0505=b", "abc"}));
    EXPECT_EQ(list[2].value, 3);  // the duplicate did not change the value
    EXPECT_EQ(list[1].value, 1);
    EXPECT_EQ(list.IndexOf("AbC"), 2u);
    EXPECT_FALSE(list.IndexOf("ab").has_value());
}

TEST(SortedStringList, IndexOfNameFindsTheFirstEntryOfThatName) {
    // Copied-in content may hold several entries of one name; "05" sorts among "050=" and "05a=".
    const StringEntry entries[] = {{"05=zeta", 1}, {"050=x", 2}, {"05=alpha", 3}, {"05a=y", 4}, {"0=w", 5}, {"05", 6}};
    const SortedStringList list(entries);
    ASSERT_TRUE(list.IndexOfName("05").has_value());
    EXPECT_EQ(list[*list.IndexOfName("05")].text, "05=alpha");
    EXPECT_EQ(list[*list.IndexOfName("050")].text, "050=x");
    EXPECT_EQ(list[*list.IndexOfName("05A")].text, "05a=y");
    EXPECT_EQ(list[*list.IndexOfName("0")].text, "0=w");
    EXPECT_FALSE(list.IndexOfName("5").has_value());
    EXPECT_FALSE(list.IndexOfName("05=alpha").has_value());  // names never hold "="
    const std::string long_name(100, '7');
    SortedStringList long_list;
    long_list.Add(long_name + "=long", 9);
    EXPECT_EQ(long_list.IndexOfName(long_name), 0u);
}

// Four-digit keys are answered from an index by number; it must agree with a scan of the strings.
std::optional<std::size_t> ScanForName(const SortedStringList& list, std::string_view name) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string_view text = list[i].text;
        const std::size_t equals = text.find('=');
        if (equals != std::string_view::npos && text.substr(0, equals) == name) return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> ScanForText(const SortedStringList& list, std::string_view text) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].text == text) return i;
    }
    return std::nullopt;
}

TEST(SortedStringList, FourDigitLookupsAgreeWithAScanThroughAddsAndDeletes) {
    SortedStringList list;
    const char* texts[] = {"0505=a",  "0505", "0505x=b", "050=c",  "1231=d", "1231=e", "0000",   "9999=f",
                           "12310=g", "=h",   "0101",    "0101=i", "abcd=j", "0202=",  "0303 =k"};
    for (const char* text : texts) list.Add(text, 1);
    auto check_all = [&list] {
        for (int number = 0; number <= 9999; ++number) {
            char key[5];
            std::snprintf(key, sizeof key, "%04d", number);
            ASSERT_EQ(list.IndexOfName(key), ScanForName(list, key)) << key;
            ASSERT_EQ(list.IndexOf(key), ScanForText(list, key)) << key;
        }
    };
    check_all();
    EXPECT_EQ(list[*list.IndexOfName("1231")].text, "1231=d");
    list.Delete(*list.IndexOfName("1231"));
    check_all();
    EXPECT_EQ(list[*list.IndexOfName("1231")].text, "1231=e");
    list.Delete(*list.IndexOf("0505"));
    check_all();
    list.Clear();
    check_all();
}

TEST(SortedStringList, DeleteOutOfRangeChangesNothing) {
    SortedStringList list;
    list.Add("a", 1);
    list.Delete(5);
    EXPECT_EQ(list.size(), 1u);
    list.Delete(0);
    EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace kalvoro
