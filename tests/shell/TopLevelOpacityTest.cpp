// The program's dialogs, message boxes and popup menus are opaque windows that paint their whole
// rect themselves: on an X server without a compositor nothing of theirs may depend on an alpha
// channel or on a background the window system fills in.
#include "model/Globals.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WinUser.h"
#include "shell/All_Link_Dlg.h"
#include "shell/DataLock.h"
#include "shell/LockDataDlg.h"
#include "shell/MessageBoxDlg.h"
#include "shell/PasswordDlg.h"
#include "shell/UnlockDlg.h"
#include "shell/VersionDlg.h"
#include "support/ResetLinkGlobals.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QSurfaceFormat>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <functional>
#include <memory>
#include <string>

namespace {

// Why `w`, shown on screen, would not paint its whole rect opaquely; empty when it does.
std::string OpacityFault(QWidget* w) {
    if (!w || !w->isWindow() || !w->isVisible())
        return "not a visible top-level window";
    if (w->testAttribute(Qt::WA_TranslucentBackground))
        return "translucent background";
    if (w->testAttribute(Qt::WA_NoSystemBackground) || w->testAttribute(Qt::WA_PaintOnScreen))
        return "leaves its background to the window system";
    if (!w->windowHandle())
        return "no native window";
    if (w->windowHandle()->format().hasAlpha())
        return "native window with an alpha channel";
    // Without the toolkit's window background: what the window paints itself must cover every pixel.
    QImage img(w->size(), QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    w->render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) != 255)
                return "pixel " + std::to_string(x) + "," + std::to_string(y) + " not painted";
    return {};
}

class TopLevelOpacityTest : public ::testing::Test {
protected:
    void SetUp() override { r9test::ResetLinkGlobals(); }
    void TearDown() override {
        CDialog::SetModalHook(nullptr);
        r9test::ResetLinkGlobals();
    }
};

TEST_F(TopLevelOpacityTest, DialogsAndMessageBoxesPaintTheirWholeRect) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<CDialog>()> make;
    } cases[] = {
        {"link question", [] { return std::make_unique<CAll_Link_Dlg>(); }},
        {"file data error box",
         [] {
             return std::make_unique<CMessageBoxDlg>(g_strDataRangeError, MB_YESNO, "", static_cast<int>(-4));
         }},
        {"timed prompt box",
         [] { return std::make_unique<CMessageBoxDlg>("Not find help file!", MB_OK, "", 2000); }},
        {"version", [] { return std::make_unique<CVersionDlg>(); }},
        {"password", [] { return std::make_unique<CPasswordDlg>(); }},
        {"unlock", [] { return std::make_unique<CUnlockDlg>(0); }},
        {"lock data", [] { return std::make_unique<CLockDataDlg>(); }},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CDialog> dlg = c.make();
        std::string fault = "never shown";
        CDialog::SetModalHook([&](CDialog& d) {
            fault = OpacityFault(d.Widget());
            d.EndDialog(IDCANCEL);
        });
        dlg->DoModal();
        EXPECT_EQ(fault, "") << c.name;
    }
}

TEST_F(TopLevelOpacityTest, PopupMenusPaintTheirWholeRect) {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 101, "Chinese");
    menu.AppendMenu(MF_SEPARATOR, 0, nullptr);
    menu.AppendMenu(MF_STRING | MF_GRAYED, 102, "Firmware Update");
    QWidget owner;
    owner.resize(200, 100);
    owner.show();
    std::string fault = "never shown";
    QTimer::singleShot(0, [&] {
        QPointer<QWidget> popup = QApplication::activePopupWidget();
        fault = OpacityFault(popup);
        if (popup)
            popup->close();
    });
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 10, 10, nullptr), 0);
    EXPECT_EQ(fault, "");
}

} // namespace
