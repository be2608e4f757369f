// The output page inside the real main view, online against the emulator over TCP: a gain typed
// into a band field and confirmed with Enter reaches the device as exactly that band's bytes.
#include "OutputPageLinkFixture.h"

#include "support/RenderToPng.h"

#include <cstring>

namespace {

using OutputPageLink = OnlineOutputPageTest;

} // namespace

TEST_F(OutputPageLink, ATypedGainReachesTheDeviceAsThatBandsBytes) {
    EXPECT_EQ(&OutputPageServices(), static_cast<COutputPageServices*>(m_page));
    m_view->ShowSubPage(PAGE_OUTPUT, TRUE);
    const PresetImage before = m_dev.GetState().live;
    constexpr int kBand = 3;
    CNumEdit& gain = m_page->Rows().Gain(kBand);
    gain.SetWindowText("4.5");
    gain.SetModified(1);
    m_page->SendMessage(WM_NUMEDIT_ENTER, static_cast<WPARAM>(outpage::kGainEdit + kBand), 0);
    EXPECT_EQ(m_doc->GetOut(0)->GetBand(kBand)->GetGainPos(), 245);

    const size_t bandAt = offsetof(PresetImage, outputs) + kBand * sizeof(EQBandRecord);
    ASSERT_TRUE(Pump([&] {
        const PresetImage now = m_dev.GetState().live;
        return std::memcmp(reinterpret_cast<const BYTE*>(&now) + bandAt,
                           reinterpret_cast<const BYTE*>(&before) + bandAt, sizeof(EQBandRecord)) != 0;
    }));
    EXPECT_TRUE(WaitLinkIdle());
    const PresetImage after = m_dev.GetState().live;
    // A live change renames the preset "Custom"; that is the only other write.
    EXPECT_STREQ(after.system.name, g_strCustom);
    PresetImage expected = before;
    std::memcpy(expected.system.name, after.system.name, sizeof expected.system.name);
    const auto* a = reinterpret_cast<const BYTE*>(&after);
    const auto* b = reinterpret_cast<const BYTE*>(&expected);
    for (size_t i = 0; i < sizeof(PresetImage); ++i) {
        if (i < bandAt || i >= bandAt + sizeof(EQBandRecord)) {
            ASSERT_EQ(a[i], b[i]) << "byte " << i << " outside the band changed";
        }
    }
    PresetImage mine;
    {
        std::lock_guard lock(g_linkLock);
        mine = g_curImage;
    }
    EXPECT_EQ(std::memcmp(a + bandAt, reinterpret_cast<const BYTE*>(&mine) + bandAt, sizeof(EQBandRecord)), 0)
        << "the device holds the band as the program packed it";
    r9test::RenderToPng(m_view->Widget(), "output_page_online_en");
    g_bChinese = 1;
    m_view->ApplyLanguage();
    m_page->OnOutputSelect(6);
    EXPECT_TRUE(WaitLinkIdle());
    r9test::RenderToPng(m_view->Widget(), "output_page_online_out7_zh");
    g_bChinese = 0;
}

TEST_F(OutputPageLink, NewDataRefreshTheWholePage) {
    m_doc->GetOut(0)->GetHPF()->SetFreq(150, FALSE);
    m_doc->GetOut(0)->GetLPF()->SetFreq(9000, FALSE);
    m_doc->GetOut(0)->GetBand(2)->SetFreq(77, FALSE);
    m_view->RefreshPages();
    EXPECT_EQ(m_page->Xover().Spin(CXoverBlock::HPF).GetPos(), 150);
    EXPECT_EQ(m_page->Xover().Spin(CXoverBlock::LPF).GetPos(), 9000);
    EXPECT_EQ(m_page->Rows().FreqSpin(2).GetPos(), 77);
}

TEST_F(OutputPageLink, OutOfRangeDataAskOnceAfterTheRefreshAndYesResets) {
    std::vector<std::string> boxes;
    bool insideRefresh = false;
    SetMessageBoxAnswer([&](const CString& text, UINT, int) {
        EXPECT_FALSE(insideRefresh) << "the question runs after the refresh returned";
        boxes.push_back(text.GetString());
        return IDYES;
    });
    m_doc->GetOut(0)->GetBand(0)->SetFreq(30000, FALSE);
    m_doc->GetOut(0)->GetBand(1)->SetFreq(5, FALSE);
    m_doc->GetOut(0)->GetHPF()->SetFreq(40000, FALSE);
    insideRefresh = true;
    m_view->RefreshPages();
    insideRefresh = false;
    EXPECT_TRUE(boxes.empty());
    Pump([&] { return !boxes.empty(); }, 2000);
    EXPECT_TRUE(WaitLinkIdle());
    SetMessageBoxAnswer(nullptr);
    ASSERT_EQ(boxes.size(), 1u) << "one question for every clamp of the refresh";
    const bool dataError =
        boxes[0].rfind("File Data Error!", 0) == 0 || boxes[0].rfind("文件数据错误!", 0) == 0;
    EXPECT_TRUE(dataError) << boxes[0];
    // Yes put the outputs back to their defaults, and the page shows them.
    EXPECT_EQ(m_doc->GetOut(0)->GetBand(0)->GetFreq(), m_page->Rows().FreqSpin(0).GetPos());
    EXPECT_LE(m_doc->GetOut(0)->GetBand(0)->GetFreq(), 20000);
}
