// Drop-down list combo: picks from the popup, keys, silent program selection.
#include "platform/ui/ComboBox.h"
#include "platform/ui/ListBox.h"
#include "support/LogWnd.h"
#include "support/RenderToPng.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

namespace {

TEST(ComboBoxTest, PickFromTheListKeysAndProgramSelection) {
    r9test::LogWnd parent;
    ASSERT_TRUE(parent.CreateTop());
    CComboBox combo;
    ASSERT_TRUE(
        combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 130, 32), &parent, 6001));
    for (const char* s : {"USB", "Network", "COM1"})
        combo.AddString(s);
    combo.SetCurSel(0);
    EXPECT_TRUE(parent.Codes(6001).empty());

    r9test::Click(combo.Widget(), {5, 5});
    ASSERT_TRUE(combo.GetDroppedState());
    CListBox* list = combo.DropList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetCount(), 3);
    CRect item;
    list->GetItemRect(2, &item);
    parent.Clear();
    r9test::Click(list->Widget(), {item.left + 3, item.top + 3});
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(parent.Codes(6001), (std::vector<UINT>{CBN_SELCHANGE, CBN_CLOSEUP}));
    r9test::Pump();

    parent.Clear();
    combo.SetFocus();
    r9test::Key(combo.Widget(), Qt::Key_Up);
    EXPECT_EQ(combo.GetCurSel(), 1);
    r9test::Key(combo.Widget(), Qt::Key_Home);
    r9test::Key(combo.Widget(), Qt::Key_Home); // no change: silent
    std::vector<UINT> changes;
    for (UINT c : parent.Codes(6001))
        if (c == CBN_SELCHANGE)
            changes.push_back(c);
    EXPECT_EQ(changes.size(), 2u);
    CString text;
    combo.GetLBText(combo.GetCurSel(), text);
    EXPECT_EQ(text, CString("USB"));
    EXPECT_EQ(combo.FindStringExact(-1, "com1"), 2);
    r9test::RenderToPng(combo.Widget(), "platform_ui_combo");
}

} // namespace
