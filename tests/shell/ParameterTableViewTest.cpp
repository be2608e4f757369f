// The view opens the parameter table over its document, modally, with the folder it started in.
#include "grid/DataViewDlg.h"
#include "model/KTV_Data.h"
#include "model/LinkDocument.h"
#include "platform/ui/ListCtrl.h"
#include "shell/MessageBoxDlg.h"
#include "shell/TRV410View.h"
#include "support/ResetLinkGlobals.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(ParameterTableView, OpensTheEmptyTableModallyOverTheDocument) {
    r9test::ResetLinkGlobals();
    auto doc = std::make_unique<CKTV_Data>();
    doc->InitLinkTable();
    SetLinkDocument(doc.get());
    SetMessageBoxAnswer([](const CString&, UINT, int) { return IDOK; });
    {
        CTRV410View view;
        ASSERT_TRUE(view.CreateView());
        int shown = 0;
        CDialog::SetModalHook([&](CDialog& d) {
            auto* table = dynamic_cast<CDataViewDlg*>(&d);
            ASSERT_NE(table, nullptr);
            ++shown;
            CString caption;
            d.GetWindowText(caption);
            EXPECT_EQ(caption, CString("Report"));
            EXPECT_EQ(d.GetParent(), &view);
            // As ever, nothing fills it when it opens; the labels match the document's rows.
            EXPECT_EQ(table->GetList().GetItemCount(), 0);
            EXPECT_EQ(table->GetRowKeys().size(), 31u * 6 + 19);
            d.EndDialog(IDOK);
        });
        view.OpenParameterTable();
        EXPECT_EQ(shown, 1);
        CDialog::SetModalHook(nullptr);
    }
    SetMessageBoxAnswer(nullptr);
    SetLinkDocument(nullptr);
    doc.reset();
    r9test::ResetLinkGlobals();
}

} // namespace
