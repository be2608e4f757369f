// Text edits: double-byte alignment of the preset-name box and the letters-and-digits filter.
#include "controls/ChEnEdit.h"
#include "controls/PassWordEdit.h"
#include "support/LogWnd.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

namespace {

struct TextEditFixture : ::testing::Test {
    r9test::LogWnd host;
    CEdit other;
    void SetUp() override {
        ASSERT_TRUE(host.CreateTop(300, 100));
        ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 60, 130, 80), &host, 1601));
    }
    static void Type(CWnd& w, const char* utf8) {
        const QString s = QString::fromUtf8(utf8);
        for (const QChar c : s)
            r9test::Key(w.Widget(), Qt::Key_unknown, Qt::NoModifier, QString(c));
    }
    static CString Text(CWnd& w) {
        CString t;
        w.GetWindowText(t);
        return t;
    }
};

TEST(ChEnEditAlign, SpaceBeforeDoubleByteCharactersOnOddPositions) {
    struct Row {
        const char* in;
        int limit;
        const char* out;
    };
    const Row rows[] = {
        {"a中", 0, "a 中"},
        {"ab中", 0, "ab中"},
        {"中文", 0, "中文"},
        {"a中文b中", 0, "a 中文b 中"},
        {"abc中d中", 0, "abc 中d 中"},
        {"", 0, ""},
        // Never past the box's limit: with 7 bytes allowed only the first gap gets a space.
        {"a中b中", 0, "a 中b 中"},
        {"a中b中", 7, "a 中b中"},
        {"a中", 3, "a中"},
    };
    for (const Row& r : rows)
        EXPECT_STREQ(CChEnEdit::AlignText(r.in, r.limit), r.out) << r.in;
    EXPECT_EQ(CChEnEdit::ByteLength("a中b"), 4);
}

TEST_F(TextEditFixture, ChEnEditTypingAndFocusLoss) {
    CChEnEdit box;
    ASSERT_TRUE(box.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 200, 30), &host, 1600));
    box.SetFocus();
    Type(box, "a中");
    EXPECT_STREQ(Text(box), "a 中");
    box.SetWindowText("");
    Type(box, "ab中");
    EXPECT_STREQ(Text(box), "ab中");
    box.SetWindowText("a中");
    other.SetFocus();
    EXPECT_STREQ(Text(box), "a 中");

    // Refused: the preset-name dialog's setting; only single-byte text gets in.
    box.EnableChinese(0);
    box.SetWindowText("");
    box.SetFocus();
    Type(box, "x中y");
    EXPECT_STREQ(Text(box), "xy");
    box.SetWindowText("a中");
    other.SetFocus();
    EXPECT_STREQ(Text(box), "a中");
}

TEST(PassWordEditFilter, LettersDigitsAndBackspaceOnly) {
    for (UINT ch = 0; ch < 0x300; ++ch) {
        const bool expect =
            ch == 8 || (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
        EXPECT_EQ(CPassWordEdit::IsAccepted(ch), expect) << ch;
    }
}

TEST_F(TextEditFixture, PassWordEditDropsEverythingElse) {
    CPassWordEdit box;
    ASSERT_TRUE(box.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 200, 30), &host, 1602));
    box.SetFocus();
    Type(box, "a1 -Z!é中9");
    EXPECT_STREQ(Text(box), "a1Z9");
    r9test::Key(box.Widget(), Qt::Key_Backspace, Qt::NoModifier, "\b");
    EXPECT_STREQ(Text(box), "a1Z");
}

} // namespace
