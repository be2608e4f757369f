// Numeric field interaction: clicks, focus, keys, characters, visibility and the companion.
#include "model/Globals.h"

#include "controls/BitmapSlider.h"
#include "controls/NumEdit.h"
#include "controls/NumSpin.h"
#include "NumFieldHost.h"
#include "support/ResetGlobals.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

namespace {

constexpr int kId = 1300;
constexpr int kOtherId = 1301;

struct NumEditInput : ::testing::Test {
    NumFieldHost host;
    CNumEdit edit;
    CEdit other;
    void SetUp() override {
        r9test::ResetModelGlobals();
        ASSERT_TRUE(host.CreateTop(300, 120));
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, CRect(10, 10, 130, 32),
                                &host, kId));
        ASSERT_TRUE(
            other.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 50, 130, 72), &host, kOtherId));
        edit.SetRange(20, 20000);
        edit.SetType(NUMTYPE_FREQ, "");
        edit.SetValue(1000);
        other.SetFocus();
        host.Flush();
        host.Clear();
    }
    QWidget* W() { return edit.Widget(); }
    CString Text() {
        CString t;
        edit.GetWindowText(t);
        return t;
    }
    int Commits() const { return host.Commands(kId); }
    std::vector<r9test::LoggedMessage> Navigations() const { return host.Of(WM_NUMEDIT_NAVIGATE); }
};

TEST_F(NumEditInput, FirstClickNotifiesFocusesAndSelectsAll) {
    r9test::Press(W(), {30, 8});
    r9test::Release(W(), {30, 8});
    EXPECT_EQ(CWnd::GetFocus(), &edit);
    ASSERT_EQ(Commits(), 1);
    EXPECT_EQ(host.Of(WM_COMMAND)[0].lParam, reinterpret_cast<LPARAM>(edit.m_hWnd));
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 6);
    EXPECT_EQ(edit.GetHighlight(), 1);
    // The second click places the caret (the toolkit's default) and notifies again.
    r9test::Press(W(), {5, 8});
    r9test::Release(W(), {5, 8});
    EXPECT_EQ(Commits(), 2);
    edit.GetSel(start, end);
    EXPECT_EQ(start, end);
}

TEST_F(NumEditInput, FocusLossCommitsOncePerLossUntilTheValueIsRead) {
    edit.SetFocus();
    edit.SetSel(0, -1);
    for (const char* c : {"5", "0", "0", "0"})
        r9test::Key(W(), Qt::Key_0 + (c[0] - '0'), Qt::NoModifier, c);
    EXPECT_EQ(edit.IsModified(), 1);
    host.Clear();
    other.SetFocus();
    EXPECT_EQ(Commits(), 1);
    EXPECT_STREQ(Text(), "5000Hz");
    EXPECT_EQ(edit.GetHighlight(), 0);
    // Without GetValue the mark stays: the next loss commits again; after it, no more.
    edit.SetFocus();
    other.SetFocus();
    EXPECT_EQ(Commits(), 2);
    (void)edit.GetValue();
    edit.SetFocus();
    other.SetFocus();
    EXPECT_EQ(Commits(), 2);
}

TEST_F(NumEditInput, KeysPostNavigationOnlyWithoutCtrlAndShift) {
    edit.SetFocus();
    host.Clear();
    r9test::Key(W(), Qt::Key_Right);
    r9test::Key(W(), Qt::Key_Up, Qt::ShiftModifier);
    r9test::Key(W(), Qt::Key_C, Qt::ControlModifier, "\x03");
    r9test::Key(W(), Qt::Key_Left);
    host.Flush();
    const auto nav = Navigations();
    ASSERT_EQ(nav.size(), 2u);
    EXPECT_EQ(nav[0].wParam, static_cast<WPARAM>(kId));
    EXPECT_EQ(nav[0].lParam, static_cast<LPARAM>(VK_RIGHT));
    EXPECT_EQ(nav[1].lParam, static_cast<LPARAM>(VK_LEFT));
}

TEST_F(NumEditInput, ReadOnlyFieldDropsShiftKeysEntirely) {
    edit.CEdit::SetReadOnly(TRUE);
    edit.SetFocus();
    edit.SetSel(2, 2);
    host.Clear();
    r9test::Key(W(), Qt::Key_Right, Qt::ShiftModifier);
    host.Flush();
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, end); // no selection grew: the default handling did not run
    EXPECT_TRUE(Navigations().empty());
}

TEST_F(NumEditInput, ChineseCharactersAreRefused) {
    edit.SetFocus();
    edit.SetSel(-1, 0);
    r9test::Key(W(), Qt::Key_End);
    r9test::Key(W(), Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("中"));
    r9test::Key(W(), Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("é"));
    EXPECT_STREQ(Text(), "1000Hz");
    EXPECT_EQ(edit.IsModified(), 0);
    r9test::Key(W(), Qt::Key_7, Qt::NoModifier, "7");
    EXPECT_STREQ(Text(), "1000Hz7");
}

TEST_F(NumEditInput, ClickOnANonEditableFieldEndsInItsFocusLoss) {
    edit.EnableEdit(0);
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
    edit.SetWindowText("3000");
    edit.SetModified(1);
    r9test::Press(W(), {30, 8});
    r9test::Release(W(), {30, 8});
    // No notification for the click itself; the posted focus loss commits the modified text.
    EXPECT_EQ(Commits(), 0);
    host.Flush();
    EXPECT_EQ(Commits(), 1);
    EXPECT_EQ(edit.GetHighlight(), 0);
    EXPECT_STREQ(Text(), "3000Hz");
}

TEST_F(NumEditInput, ShowWindowRecordsRealChangesOnly) {
    EXPECT_EQ(edit.ShowWindow(SW_SHOWNA), 1);
    EXPECT_EQ(edit.IsShowChanged(), 0);
    edit.ShowWindow(SW_HIDE);
    EXPECT_EQ(edit.IsShowChanged(), 1);
    EXPECT_FALSE(edit.IsWindowVisible());
    EXPECT_EQ(edit.ShowWindow(SW_HIDE), 0);
    EXPECT_EQ(edit.IsShowChanged(), 0);
    // Shown behind the field's back: a hide puts it right and is recorded.
    edit.CEdit::ShowWindow(SW_SHOW);
    edit.ShowWindow(SW_HIDE);
    EXPECT_EQ(edit.IsShowChanged(), 1);
    EXPECT_FALSE(edit.IsWindowVisible());
    edit.ShowWindow(SW_SHOW);
    EXPECT_EQ(edit.IsShowChanged(), 1);
    EXPECT_TRUE(edit.IsWindowVisible());
}

TEST_F(NumEditInput, CompanionFollowsTextAndReadOnlyState) {
    edit.CreateSpinButton(1310);
    CSpinBtn& btn = edit.SpinButton();
    ASSERT_TRUE(btn.m_hWnd);
    EXPECT_FALSE(btn.IsWindowVisible());
    CRect rc, client;
    btn.GetClientRect(&rc);
    edit.GetClientRect(&client);
    EXPECT_EQ(rc, client);
    EXPECT_EQ(btn.GetDlgCtrlID(), 1310);
    edit.SetValue(2000);
    CString t;
    btn.GetWindowText(t);
    EXPECT_STREQ(t, "2000Hz");
    edit.SetReadOnly(TRUE);
    EXPECT_TRUE(btn.IsWindowVisible());
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
    // Focus on a read-only, non-editable field switches the zones on (middle lit); loss turns them off.
    edit.EnableEdit(0);
    edit.SetFocus();
    EXPECT_EQ(btn.IsActive(), 1);
    EXPECT_EQ(btn.GetHotZone(), 2);
    other.SetFocus();
    EXPECT_EQ(btn.IsActive(), 0);
    edit.SetReadOnly(FALSE);
    EXPECT_FALSE(btn.IsWindowVisible());
}

TEST_F(NumEditInput, BoundFaderFollowsTheFocusWithoutAnyTyping) {
    CBitmapSlider fader;
    ASSERT_TRUE(fader.Create("", WS_CHILD | WS_VISIBLE, CRect(200, 10, 220, 100), &host, 1320));
    edit.SetBuddySlider(&fader);
    edit.SetFocus();
    EXPECT_TRUE(fader.IsActive());
    EXPECT_EQ(edit.GetHighlight(), 1);
    host.Clear();
    other.SetFocus();
    EXPECT_FALSE(fader.IsActive());
    EXPECT_EQ(edit.GetHighlight(), 0);
    EXPECT_EQ(Commits(), 0);
    // The fader lights the field while it has the focus itself; the same look, no commit.
    edit.SetHighlight(1);
    EXPECT_EQ(edit.GetHighlight(), 1);
    EXPECT_EQ(edit.TextColor(), RGB(0, 0, 0));
    edit.SetHighlight(0);
    EXPECT_EQ(edit.TextColor(), RGB(255, 255, 255));
    edit.EnableEdit(0);
    EXPECT_EQ(edit.TextColor(), RGB(200, 200, 200));
}

TEST_F(NumEditInput, ClickOnTheCompanionRunsTheFieldsOwnFocusSteps) {
    // The companion takes the focus (the field loses it: tracking off), forwards a button-down to
    // the field, whose edit takes the focus back (tracking on) and then runs its posted focus loss.
    CNumSpin spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, CRect(132, 10, 148, 32), &host, 1311));
    spin.SetBuddy(&edit);
    spin.SetRange32(20, 20000);
    spin.SetPos(1000);
    edit.CreateSpinButton(1310);
    edit.BindSpinButton(1311, &spin);
    edit.SetReadOnly(TRUE);
    edit.EnableEdit(0);
    CSpinBtn& btn = edit.SpinButton();
    edit.SetFocus();
    EXPECT_EQ(btn.IsActive(), 1);
    host.Clear();
    r9test::Press(btn.Widget(), {100, 8});
    EXPECT_EQ(btn.IsActive(), 0);
    host.Flush();
    r9test::Release(btn.Widget(), {100, 8});
    host.Flush();
    EXPECT_EQ(CWnd::GetFocus(), &edit);
    EXPECT_EQ(btn.IsActive(), 0);
    EXPECT_EQ(edit.GetHighlight(), 0);
    EXPECT_EQ(spin.GetPos(), 1000);
    EXPECT_EQ(Commits(), 0); // no click notification from a field that is not editable
}

TEST_F(NumEditInput, DoubleClickEndsWithTheWholeTextSelected) {
    edit.SetFocus();
    edit.SetSel(1, 1);
    r9test::DoubleClick(W(), {30, 8});
    r9test::Release(W(), {30, 8});
    host.Flush();
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 6);
    EXPECT_EQ(edit.GetHighlight(), 1);
}

} // namespace
