// The boot default source dialog opened from the main view's Settings menu, online against the
// emulator: its list button shows the stored source over its skin in either language, a pick made
// through the list's popup shows at once and reaches the device, and the next opening shows it.
#include "OutputPageLinkFixture.h"

#include "controls/DropListBox.h"
#include "controls/DropWnd.h"
#include "platform/ui/ResourceLoader.h"
#include "shell/DefSourceDlg.h"
#include "shell/ViewMenus.h"
#include "support/RenderToPng.h"

#include <QImage>

#include <cstdlib>
#include <string>

namespace {

class BootSourceLink : public OnlineOutputPageTest {
protected:
    void TearDown() override {
        CDialog::SetModalHook(nullptr);
        OnlineOutputPageTest::TearDown();
    }

    static BYTE ProgramCode() {
        std::lock_guard lock(g_linkLock);
        return g_bootSource.bootDefault;
    }

    // The button as painted: its state's skin, with its caption in its state's colour over it.
    static void ExpectCaptionOverSkin(CComBoxBtn& button, const std::string& name) {
        const QImage shown = r9test::RenderToPng(button.Widget(), QString::fromStdString(name))
                                 .convertToFormat(QImage::Format_RGB32);
        const QImage skin =
            ResourceLoader::LoadBitmapImage(button.StateBitmap(FALSE)).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(shown.size(), skin.size()) << name;
        const COLORREF text = button.StateTextColor(FALSE);
        const auto near = [](QRgb a, int r, int g, int b, int tolerance) {
            return std::abs(qRed(a) - r) <= tolerance && std::abs(qGreen(a) - g) <= tolerance &&
                   std::abs(qBlue(a) - b) <= tolerance;
        };
        // Inside the keyboard focus ring, which the focused button draws along its edge.
        constexpr int kRing = 3;
        int asSkin = 0, caption = 0;
        for (int y = kRing; y < shown.height() - kRing; ++y)
            for (int x = kRing; x < shown.width() - kRing; ++x) {
                const QRgb s = skin.pixel(x, y), p = shown.pixel(x, y);
                if (near(p, qRed(s), qGreen(s), qBlue(s), 8))
                    ++asSkin;
                else if (near(p, GetRValue(text), GetGValue(text), GetBValue(text), 60))
                    ++caption;
            }
        const int all = (shown.width() - 2 * kRing) * (shown.height() - 2 * kRing);
        EXPECT_GT(asSkin, all * 2 / 3) << name << ": the skin is painted";
        EXPECT_GT(caption, 20) << name << ": the caption is painted over it";
        // And reads on it: far from the skin's mean brightness.
        qint64 sum = 0;
        for (int y = 0; y < skin.height(); ++y)
            for (int x = 0; x < skin.width(); ++x)
                sum += qGray(skin.pixel(x, y));
        const int skinGray = static_cast<int>(sum / (skin.width() * skin.height()));
        EXPECT_GT(std::abs(qGray(GetRValue(text), GetGValue(text), GetBValue(text)) - skinGray), 96)
            << name << ": caption colour on the skin";
    }
};

} // namespace

TEST_F(BootSourceLink, TheListShowsTheStoredSourceAndAPickReachesTheDevice) {
    ASSERT_EQ(ProgramCode(), m_dev.GetState().bootSource.bootDefault) << "the connect read it";
    const char* const kEn[] = {"Hi_Level", "AUX", "Optical", "Player"};
    const char* const kZh[] = {"高电平", "AUX", "光纤", "播放器"};
    // Each opening shows what the one before stored: every item and code, in both languages.
    const struct {
        bool chinese;
        int pick;
        BYTE code;
    } cases[] = {{false, 3, 5}, {true, 2, 0}, {false, 1, 3}, {true, 0, 1}};
    for (const auto& c : cases) {
        if ((g_bChinese.load() != 0) != c.chinese)
            m_view->ToggleLanguage(TRUE);
        const char* const* texts = c.chinese ? kZh : kEn;
        const int stored = CDefSourceDlg::ItemForCode(ProgramCode());
        ASSERT_GE(stored, 0);
        const std::string tag = std::string(c.chinese ? "zh_" : "en_") + kEn[c.pick];
        SCOPED_TRACE(tag);
        bool ran = false;
        CDialog::SetModalHook([&](CDialog& d) {
            ran = true;
            auto& dlg = dynamic_cast<CDefSourceDlg&>(d);
            // However the checks end, the dialog does.
            struct Ending {
                CDialog& d;
                ~Ending() {
                    if (d.GetSafeHwnd() && d.IsWindowVisible())
                        d.EndDialog(IDCANCEL);
                }
            } ending{d};
            CComBoxBtn& list = dlg.m_list;
            CString caption;
            list.GetWindowText(caption);
            EXPECT_STREQ(caption.GetString(), texts[stored]);
            ExpectCaptionOverSkin(list, "boot_source_stored_" + tag);

            // The user's click lands in the dialog that has the keyboard: an activation still on
            // its way would close the list it opens.
            ASSERT_TRUE(Pump(
                [&] { return QGuiApplication::focusWindow() == dlg.Widget()->window()->windowHandle(); }));
            r9test::WindowClick(list.Widget(), QPoint(10, 10));
            ASSERT_TRUE(Pump([&] { return list.GetDropWnd()->IsWindowVisible() != FALSE; }));
            EXPECT_EQ(list.GetCurSel(), stored) << "the list opens on the shown item";
            CRect item;
            list.GetListBox()->GetItemRect(c.pick, &item);
            r9test::WindowClick(list.GetListBox()->Widget(),
                                QPoint(item.CenterPoint().x, item.CenterPoint().y));
            ASSERT_TRUE(Pump([&] { return m_dev.GetState().bootSource.bootDefault == c.code; }))
                << "the pick never reached the device";
            EXPECT_EQ(ProgramCode(), c.code);
            list.GetWindowText(caption);
            EXPECT_STREQ(caption.GetString(), texts[c.pick]);
            ExpectCaptionOverSkin(list, "boot_source_picked_" + tag);
            r9test::RenderToPng(dlg.Widget(), QString::fromStdString("boot_source_dialog_picked_" + tag));
            r9test::WindowKey(dlg.Widget(), Qt::Key_Escape);
        });
        m_view->SendMessage(WM_COMMAND, MAKEWPARAM(ID_BOOT_SOURCE_MENU, 0), 0);
        EXPECT_TRUE(ran);
    }
}
