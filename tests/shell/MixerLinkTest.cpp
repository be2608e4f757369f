// The mixer popup inside the real main view, online against the emulator over TCP: opened by the
// view's mixer command, a knob typed into a pane reaches the device as exactly its mix byte.
#include "OutputPageLinkFixture.h"

#include "pages/input/MixKnobMap.h"
#include "pages/input/PopuMixInput.h"
#include "shell/ViewMenus.h"
#include "support/RenderToPng.h"
#include "support/UiEvents.h"

#include <mutex>
#include <string>

namespace {

using MixerLink = OnlineOutputPageTest;

} // namespace

TEST_F(MixerLink, AKnobSetInThePopupReachesTheDeviceAsExactlyItsMixByte) {
    constexpr int kOutput = 2;
    constexpr int kKnob = 1;
    int type = 0;
    {
        std::lock_guard lock(g_linkLock);
        type = g_pcSourceSet.inputType;
    }
    const int at = CMixKnobMap::KnobByte(kKnob, type, g_nDeviceType.load());
    ASSERT_GE(at, 264) << "input type " << type << " has a byte for knob 1";
    const int old = CMixKnobMap::ReadMixByte(*m_doc->GetOut(kOutput), at);
    const int value = old == 37 ? 38 : 37;
    const PresetImage before = m_dev.GetState().live;

    bool acted = false;
    CDialog::SetModalHook([&](CDialog& d) {
        ASSERT_EQ(g_pMixPopup, &d) << "the command opened the popup";
        CRouteMixCom* pane = g_pMixPopup->Pane(kOutput);
        ASSERT_NE(pane, nullptr);
        EXPECT_EQ(pane->Spin(kKnob).GetPos(), old);
        // Typed and confirmed with Enter, as a user does.
        r9test::TypeInto(pane->Edit(kKnob), std::to_string(value).c_str());
        EXPECT_EQ(pane->Fader(kKnob).GetPos(), value);
        r9test::RenderToPng(d.Widget(), "mixer_popup_online_en");
        acted = true;
        d.EndDialog(IDOK);
    });
    m_view->SendMessage(WM_COMMAND, MAKEWPARAM(ID_MIXER_MENU, 0), 0);
    CDialog::SetModalHook(nullptr);
    ASSERT_TRUE(acted);
    EXPECT_EQ(g_pMixPopup, nullptr);
    EXPECT_EQ(CMixKnobMap::ReadMixByte(*m_doc->GetOut(kOutput), at), value);

    const size_t byteAt =
        offsetof(PresetImage, outputs) + kOutput * sizeof(OutputRecord) + static_cast<size_t>(at);
    ExpectDeviceChangedOnly(before, {ImageSpan{byteAt, 1}});
    const PresetImage after = m_dev.GetState().live;
    EXPECT_EQ(reinterpret_cast<const BYTE*>(&after)[byteAt], value);
}
