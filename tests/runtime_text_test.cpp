// SPDX-License-Identifier: MIT
#include "runtime/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using runtime::Variant;

namespace {

struct CompareCase {
    std::string a;
    std::string b;
    int sign;
};

TEST(StrCmp, ByteWiseAndCaseSensitive)
{
    using namespace std::string_literals;
    const std::vector<CompareCase> cases = {
        {"", "", 0},
        {"abc", "abc", 0},
        {"a", "b", -1},
        {"b", "a", 1},
        {"a", "A", 1},
        {"ab", "abc", -1},
        {"abc", "ab", 1},
        {"", "a", -1},
        {"\xc3\xa9", "z", 1}, // bytes above 0x7F sort after ASCII
        {"\xc3\xa9", "\xc3\xa8", 1},
        {"a\0b"s, "a\0c"s, -1}, // the whole text counts, not up to a NUL
        {"a\0"s, "a"s, 1},
    };
    for (const CompareCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.a) + " vs " + testing::PrintToString(c.b));
        const int got = runtime::StrCmp(c.a, c.b);
        EXPECT_EQ((got > 0) - (got < 0), c.sign);
    }
}

TEST(StrCat, KeepsEveryByte)
{
    using namespace std::string_literals;
    EXPECT_EQ(runtime::StrCat("", ""), "");
    EXPECT_EQ(runtime::StrCat("4.7", " k\xce\xa9"), "4.7 k\xce\xa9");
    EXPECT_EQ(runtime::StrCat("a\0"s, "\0b"s), "a\0\0b"s);
}

struct VariantCase {
    Variant a;
    Variant b;
    std::string text; // of a alone
    std::string joined;
};

TEST(Variant, TextAndConcatenation)
{
    const std::vector<VariantCase> cases = {
        {Variant{}, Variant{}, "", ""},
        {Variant{std::int16_t{0}}, Variant{}, "0", "0"},
        {Variant{std::int16_t{-32768}}, Variant{std::string{"V"}}, "-32768", "-32768V"},
        {Variant{std::int16_t{32767}}, Variant{std::int16_t{-1}}, "32767", "32767-1"},
        {Variant{std::string{"4,7 k"}}, Variant{std::int16_t{5}}, "4,7 k", "4,7 k5"},
        {Variant{std::string{}}, Variant{std::string{"x"}}, "", "x"},
    };
    for (const VariantCase& c : cases) {
        SCOPED_TRACE(c.joined);
        EXPECT_EQ(runtime::StrVarVal(c.a), c.text);
        const Variant joined = runtime::VarCat(c.a, c.b);
        ASSERT_TRUE(std::holds_alternative<std::string>(joined)); // even from two empties
        EXPECT_EQ(std::get<std::string>(joined), c.joined);
    }
}

} // namespace
