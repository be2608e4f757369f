#include "platform/core/Encoding.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

std::string bytes(const void* p, std::size_t n) {
    return std::string(static_cast<const char*>(p), n);
}

} // namespace

TEST(Encoding, GbkRoundTrips) {
    struct Case {
        const char* utf8;
        std::string gbk;
    } cases[] = {
        {"", ""},
        {"Custom 1", "Custom 1"},
        {"中文", "\xD6\xD0\xCE\xC4"},
        {"预设A1", "\xD4\xA4\xC9\xE8"
                   "A1"},
        {"字符长度错误!", "\xD7\xD6\xB7\xFB\xB3\xA4\xB6\xC8\xB4\xED\xCE\xF3!"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk) << c.utf8;
        EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8) << c.utf8;
        EXPECT_EQ(GbkByteLength(c.utf8), static_cast<int>(c.gbk.size())) << c.utf8;
    }
    // NULs inside a block survive.
    EXPECT_EQ(GbkToUtf8(std::string("a\0b", 3)).str(), std::string("a\0b", 3));
}

TEST(Encoding, InvalidInputIsReplacedNotFatal) {
    struct Case {
        std::string gbk;
        const char* utf8;
    } fromGbk[] = {
        {"\xFF", "\xEF\xBF\xBD"},                     // never a GBK byte
        {"A\xD6", "A\xEF\xBF\xBD"},                   // lead byte cut off by the end
        {"\xD6\xD0\xFF\xCE\xC4", "中\xEF\xBF\xBD文"}, // resumes after the bad byte
    };
    for (const auto& c : fromGbk)
        EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8);

    struct Back {
        const char* utf8;
        std::string gbk;
    } toGbk[] = {
        {"a\xC3", "a?"},                        // truncated UTF-8
        {"\xFF\xFE", "??"},                     // not UTF-8 at all
        {"x\xF0\x9F\x98\x80y", "x\xA3\xBFy"},   // a character GBK cannot hold: full-width '?'
        {"\xE4\xB8\xAD\xC0\xAF", "\xD6\xD0??"}, // overlong encoding after a good character
    };
    for (const auto& c : toGbk)
        EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk);
}

TEST(Encoding, FieldWriterCountsGbkBytesAndKeepsCharactersWhole) {
    struct Case {
        const char* text;
        int width;
        FieldOverflow overflow;
        int capacity;
        bool fit;
        std::string field; // expected bytes, starting from a field of 'x'
        char pad = '\0';
    } cases[] = {
        // 15 bytes + NUL fit a preset name field; 16 do not and the field is left alone.
        {"ABCDEFGHIJKLMNO", 16, FieldOverflow::Refuse, -1, true, std::string("ABCDEFGHIJKLMNO\0", 16)},
        {"ABCDEFGHIJKLMNOP", 16, FieldOverflow::Refuse, -1, false, std::string(16, 'x')},
        // Seven Chinese characters = 14 bytes fit; eight = 16 bytes do not.
        {"一二三四五六七", 16, FieldOverflow::Refuse, -1, true,
         std::string("\xD2\xBB\xB6\xFE\xC8\xFD\xCB\xC4\xCE\xE5\xC1\xF9\xC6\xDF\0\0", 16)},
        {"一二三四五六七八", 16, FieldOverflow::Refuse, -1, false, std::string(16, 'x')},
        // Truncating never leaves half a character: "A" + 4 Chinese = 9 bytes, room for 7.
        {"A中文预设", 8, FieldOverflow::Truncate, -1, false, std::string("A\xD6\xD0\xCE\xC4\xD4\xA4\0", 8)},
        {"AB中文预设", 8, FieldOverflow::Truncate, -1, false, std::string("AB\xD6\xD0\xCE\xC4\0\0", 8)},
        // An 8-byte name field may be full when the caller allows it, padded with spaces otherwise.
        {"Music 12", 8, FieldOverflow::Refuse, 8, true, "Music 12"},
        {"Mic", 8, FieldOverflow::Refuse, 8, true, "Mic     ", ' '},
    };
    for (const auto& c : cases) {
        std::array<char, 16> buf;
        buf.fill('x');
        EXPECT_EQ(WriteGbkField(buf.data(), c.width, c.text, c.overflow, c.capacity, c.pad), c.fit) << c.text;
        EXPECT_EQ(bytes(buf.data(), static_cast<std::size_t>(c.width)), c.field) << c.text;
    }
    EXPECT_FALSE(WriteGbkField(nullptr, 16, "A"));
}

TEST(Encoding, FieldReaderStopsAtNulOrWidth) {
    struct Case {
        std::string field;
        int maxBytes;
        const char* text;
    } cases[] = {
        {std::string("Custom\0\0garbage!", 16), 15, "Custom"},
        {"ABCDEFGHIJKLMNOP", 15, "ABCDEFGHIJKLMNO"}, // 16 non-NUL bytes read as 15
        {"Music 12", 8, "Music 12"},                 // full field without NUL
        {"\xD6\xD0\xCE\xC4 X", 6, "中文 X"},
        {"ABCDEFGHIJKLMN\xD6\xD0", 15, "ABCDEFGHIJKLMN"}, // character cut by the width is left out
        {"\x80\xFF", 2, "€\xEF\xBF\xBD"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadGbkField(c.field.data(), c.maxBytes), c.text) << c.text;
    EXPECT_EQ(ReadGbkField(nullptr, 8), "");
}
