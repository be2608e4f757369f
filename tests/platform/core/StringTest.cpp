#include "platform/core/String.h"

#include <gtest/gtest.h>

TEST(CString, FormatsWithPrintfFormats) {
    CString s;
    s.Format("%0.1fdB", -12.25);
    EXPECT_EQ(s, "-12.2dB");
    s.Format("%s-%03d-%X", "A", 7, 255);
    EXPECT_EQ(s, "A-007-FF");
    std::string big(5000, 'x');
    s.Format("%s|", big.c_str());
    EXPECT_EQ(s.GetLength(), 5001);
    s.AppendFormat("%d", 42);
    EXPECT_EQ(s.Right(3), "|42");
}

TEST(CString, SlicesClampLikeWindows) {
    CString s("Hello World");
    struct Case {
        CString got;
        const char* want;
    } cases[] = {
        {s.Mid(6), "World"},   {s.Mid(6, 2), "Wo"},          {s.Mid(-3, 2), "He"},        {s.Mid(20), ""},
        {s.Mid(3, -1), ""},    {s.Left(5), "Hello"},         {s.Left(99), "Hello World"}, {s.Left(-1), ""},
        {s.Right(5), "World"}, {s.Right(99), "Hello World"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.want);
}

TEST(CString, FindReplaceTrimCase) {
    CString s("  a.b.c  ");
    EXPECT_EQ(s.Find('.'), 3);
    EXPECT_EQ(s.Find('.', 4), 5);
    EXPECT_EQ(s.Find("c "), 6);
    EXPECT_EQ(s.Find('z'), -1);
    EXPECT_EQ(s.Find('.', 100), -1);
    EXPECT_EQ(s.ReverseFind('.'), 5);
    EXPECT_EQ(s.Replace(".", "::"), 2);
    EXPECT_EQ(s, "  a::b::c  ");
    s.Trim();
    EXPECT_EQ(s, "a::b::c");
    s.MakeUpper();
    EXPECT_EQ(s, "A::B::C");
    EXPECT_EQ(s.CompareNoCase("a::b::c"), 0);
    EXPECT_LT(CString("abc").Compare("abd"), 0);
    EXPECT_EQ(s.Replace("", "x"), 0);
    CString t("x");
    EXPECT_EQ(t.Replace("x", "xx"), 1) << "replacement must not be searched again";
    EXPECT_EQ(t, "xx");
}

TEST(CString, KeepsMultiByteTextWhole) {
    CString s("音量Vol");
    EXPECT_EQ(s.GetLength(), 9); // bytes of UTF-8
    s.MakeUpper();
    EXPECT_EQ(s, "音量VOL");
    EXPECT_EQ(s.Mid(6), "VOL");
}
