#include "pages/output/OutputMap.h"

#include "model/Filter.h"
#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/SpeakerPos.h"
#include "pages/output/OutputDlg.h"
#include "pages/output/OutputPageHost.h"
#include "res/OutputPageArt.h"

#include <mutex>

namespace {

namespace art = res::outpage;
using namespace outpage;

constexpr int kIconOfCode[27] = {0,    4605, 4604, 4603, 4606, 4607, 4608, 4611, 4610,
                                 4609, 4612, 4613, 4614, 4616, 4615, 4619, 4618, 4617,
                                 4620, 4601, 4600, 4602, 4621, 4622, 4623, 4624, 4623};
constexpr int kCentreWoofer = 4600;
constexpr int kCentreTweeter = 4601;

bool ValidOutput(int n) {
    return n >= 0 && n < NUM_OUTPUTS;
}

int CodeOf(int n) {
    return g_posState[POS_STATE_OUTPUTS + n];
}

} // namespace

int COutputMap::IconOf(int code) {
    return code >= 0 && code <= SPEAKER_CODE_MAX ? kIconOfCode[code] : 0;
}

int COutputMap::DelayFieldOf(int code) {
    return CDelayLevelHelper::DelayFieldOf(code);
}

COutputMap::Xover COutputMap::AssignXover(int code) {
    constexpr int B = XOVER_BUTTERWORTH;
    switch (code) {
    case 1:
    case 7:
    case 13:
    case 16:
    case 19:
        return {5300, 1, B, 20000, 1, B};
    case 2:
    case 8:
        return {600, 1, B, 2900, 1, B};
    case 3:
    case 9:
    case 14:
    case 17:
    case 20:
        return {70, 1, B, 360, 1, B};
    case 4:
    case 10:
        return {600, 1, B, 20000, 1, B};
    case 5:
    case 11:
        return {70, 1, B, 2900, 1, B};
    case 6:
    case 12:
        return {70, 1, B, 20000, 1, B};
    case 15:
    case 18:
        return {80, 1, B, 20000, 1, B};
    case 22:
    case 23:
    case 24:
    case 25:
    case 26:
        return {27, 1, B, 55, 1, B};
    default:
        return {0, -1, B, 0, -1, B}; // 0 and 21: only the family
    }
}

COutputMap::Xover COutputMap::ResetXover(int code, int output) {
    constexpr int B = XOVER_BUTTERWORTH;
    constexpr int S = XOVER_BESSEL;
    switch (code) {
    case 1:
    case 7:
    case 13:
    case 16:
    case 19:
        return {3400, 1, 0, 20000, 1, 0};
    case 2:
    case 8:
        return {600, 1, 0, 1900, 1, 0};
    case 3:
    case 9:
    case 14:
    case 17:
    case 20:
        return {70, 1, 0, 320, 1, 0};
    case 4:
    case 10:
        return {600, 1, 0, 20000, 1, 0};
    case 5:
    case 11:
        return {70, 1, 0, 1900, 1, 0};
    case 6:
    case 12:
        return {70, 1, S, 20000, 1, S};
    case 15:
    case 18:
        return {80, 1, S, 20000, 1, S};
    case 22:
    case 23:
    case 24:
        return {27, output == 4 || output == 5 ? 3 : 1, B, 55, 1, B};
    default:
        return {0, -1, 0, 0, -1, 0};
    }
}

void COutputMap::DefaultCodes(int codes[8]) {
    static constexpr int kType3[8] = {6, 12, 15, 18, 22, 23, 0, 0};
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        codes[i] = g_nDeviceType.load() == 3 ? kType3[i] : g_posStateInit[POS_STATE_OUTPUTS + i];
}

void COutputMap::Init() {
    for (int k = 0; k < kPositionIconCount; ++k) {
        const int control = kPositionIcon + k;
        CBtnPng& icon = m_page.m_btnIcon[k];
        icon.SetPngImages(art::PositionIconLook(control, 0), art::PositionIconLook(control, 1),
                          art::PositionIconLook(control, 2));
        icon.SetCheckedPngImages(art::PositionIconLook(control, 3), art::PositionIconLook(control, 4),
                                 art::PositionIconLook(control, 5));
        icon.SetChannel(-1);
    }
    if (m_bmpLink.LoadBitmap(art::kLinkIndicator))
        for (CStatic& pic : m_page.m_picLink)
            pic.SetBitmap(static_cast<HBITMAP>(m_bmpLink.GetSafeHandle()));
}

CBtnPng* COutputMap::Icon(int code) const {
    const int id = IconOf(code);
    return id ? &m_page.m_btnIcon[id - kPositionIcon] : nullptr;
}

void COutputMap::MoveIcon(int control, int x, int y) {
    const int h = art::kIconSize / 2;
    m_page.m_btnIcon[control - kPositionIcon].MoveWindow(x - h, y - h, art::kIconSize, art::kIconSize);
}

// The centre tweeter and woofer share the centre: side by side when both show, else alone.
void COutputMap::CentreIcons() {
    CBtnPng& woofer = m_page.m_btnIcon[kCentreWoofer - kPositionIcon];
    CBtnPng& tweeter = m_page.m_btnIcon[kCentreTweeter - kPositionIcon];
    const bool w = (woofer.GetStyle() & WS_VISIBLE) != 0;
    const bool t = (tweeter.GetStyle() & WS_VISIBLE) != 0;
    if (w && t) {
        MoveIcon(kCentreWoofer, art::kCentrePairLeft.x, art::kCentrePairLeft.y);
        MoveIcon(kCentreTweeter, art::kCentrePairRight.x, art::kCentrePairRight.y);
    } else {
        MoveIcon(kCentreWoofer, art::kCentreLone.x, art::kCentreLone.y);
        MoveIcon(kCentreTweeter, art::kCentreLone.x, art::kCentreLone.y);
    }
}

void COutputMap::PlacePositionIcon(int code, BOOL current, int output) {
    if (code < 0 || code > SPEAKER_CODE_MAX || !ValidOutput(output))
        return;
    if (code == 0) {
        m_icons[output] = nullptr;
        m_page.BindOutputDelay(output, -1);
        return;
    }
    CBtnPng* icon = Icon(code);
    icon->SetCheck(current ? 1 : 0);
    icon->SetChannel(output);
    icon->ShowWindow(g_bDataLocked.load() ? SW_HIDE : SW_SHOW);
    CentreIcons();
    // FL-Subwoofer has no delay field: no field is driven for it rather than a stale one.
    m_icons[output] = icon;
    m_page.BindOutputDelay(output, DelayFieldOf(code));
}

void COutputMap::HidePositionIcon(int code) {
    if (CBtnPng* icon = Icon(code)) {
        icon->ShowWindow(SW_HIDE);
        CentreIcons();
    }
}

void COutputMap::ShowPositionIcon(int code, BOOL show) {
    if (CBtnPng* icon = Icon(code)) {
        icon->ShowWindow(show ? SW_SHOW : SW_HIDE);
        CentreIcons();
    }
}

void COutputMap::CheckPositionIcon(int code, BOOL on) {
    if (CBtnPng* icon = Icon(code))
        icon->SetCheck(on ? 1 : 0);
}

void COutputMap::ClearPositionIcons() {
    for (int i = 0; i < NUM_OUTPUTS; ++i) {
        const int code = CodeOf(i);
        ReleaseSpeakerPos(code, i);
        HidePositionIcon(code);
    }
}

void COutputMap::RefreshSpeakerMap() {
    for (CBtnPng& icon : m_page.m_btnIcon) {
        icon.SetCheck(0);
        icon.ShowWindow(SW_HIDE);
    }
    CentreIcons();
    const int cur = g_nCurOut.load();
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        PlacePositionIcon(CodeOf(i), i == cur, i);
    if (!m_page.m_pData)
        return;
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        if (CKTV_OutData* out = m_page.m_pData->GetOut(i); out && m_page.m_delays.Binding(i).spin)
            m_page.m_delays.Binding(i).spin->SetPos(out->GetDelay());
}

void COutputMap::SetGroupDelayReadOnly(const int outputs[8], BOOL readOnly) {
    for (int k = 0; k < NUM_OUTPUTS; ++k)
        if (CNumEdit* field = ValidOutput(outputs[k]) ? m_page.m_delays.Binding(outputs[k]).field : nullptr)
            field->SetReadOnly(readOnly);
}

void COutputMap::SetCode(int output, int code) {
    g_posState[POS_STATE_OUTPUTS + output] = static_cast<BYTE>(code);
    PlacePositionIcon(code, output == g_nCurOut.load(), output);
    SelectSpeakerPos(code, 0);
    if (COutRoute_Dlg* strip = m_page.GetStrip(output))
        strip->ShowPositionName();
    g_speakerMap[output] = static_cast<BYTE>(code);
}

void COutputMap::ApplyXover(int output, const Xover& x) {
    CKTV_OutData* out = m_page.m_pData ? m_page.m_pData->GetOut(output) : nullptr;
    if (!out)
        return;
    auto apply = [](CFilter* f, int freq, int slope, int family) {
        if (!f)
            return;
        if (freq > 0)
            f->SetFreq(freq, TRUE);
        if (slope >= 0)
            f->SetSlope(slope, TRUE);
        if (family > 0)
            f->SetFamily(family, TRUE);
    };
    apply(out->GetHPF(), x.hpFreq, x.hpSlope, x.hpFamily);
    apply(out->GetLPF(), x.lpFreq, x.lpSlope, x.lpFamily);
}

void COutputMap::OnOutputSetPosition(int output, int code) {
    if (!ValidOutput(output) || code < 0 || code > SPEAKER_CODE_MAX)
        return;
    COutputPageHost* host = m_page.m_pHost;
    if (host)
        host->HoldMasterForChange(FALSE);
    const int old = CodeOf(output);
    ReleaseSpeakerPos(old, output);
    HidePositionIcon(old);
    SetCode(output, code);
    if (host) {
        host->SendSpeakerMap(output, 0);
        host->SetOutputMixDefaults(output, code, TRUE);
    }
    ApplyXover(output, AssignXover(code));
    if (output == g_nCurOut.load())
        m_page.ReloadCrossover();
    // A strip that gains or loses its position under a locked map takes the matching state.
    if (g_bOutMapLocked.load())
        if (COutRoute_Dlg* strip = m_page.GetStrip(output))
            strip->EnableWindow(FALSE);
    g_spkGroups.Rebuild();
    m_page.m_graph.RefreshCurve(-1);
    if (host)
        host->HoldMasterForChange(TRUE);
}

void COutputMap::SelectFromIcon(int output) {
    if (!ValidOutput(output))
        return;
    const int cur = g_nCurOut.load();
    if (output != cur)
        m_page.LeaveCurrentOutput();
    CheckPositionIcon(CodeOf(cur), FALSE);
    UnmarkLinkedOutputs(cur);
    g_nCurOut = output;
    CheckPositionIcon(CodeOf(output), TRUE);
    m_page.RefreshPage();
    m_page.m_graph.Invalidate(FALSE);
}

void COutputMap::OnPositionIcon(int control) {
    if (control < kPositionIcon || control >= kPositionIcon + kPositionIconCount)
        return;
    CBtnPng& icon = m_page.m_btnIcon[control - kPositionIcon];
    const int output = icon.GetChannel();
    if (!ValidOutput(output))
        return;
    if (icon.GetCheck() && output == g_nCurOut.load())
        return;
    m_nLastIconOutput = output;
    SelectFromIcon(output);
}

void COutputMap::OnSubPositionMenu(int id) {
    if (id == kSubPositionFirst || id == kSubPositionFirst + 1)
        SelectFromIcon(id - kSubPositionFirst + 4);
    else
        m_page.RefreshPage();
}

int COutputMap::Ask(const char* en, const char* cn, UINT type) const {
    if (!m_page.m_pHost)
        return type == MB_YESNO ? IDNO : IDOK;
    const bool chinese = g_bChinese.load() != 0;
    return m_page.m_pHost->AskPage(chinese ? cn : en, chinese ? g_strPromptCn : g_strPrompt, type,
                                   chinese ? -2 : -3);
}

void COutputMap::SetMapLocked(BOOL locked) {
    g_bOutMapLocked = locked ? 1 : 0;
    m_page.m_btnMap[0].SetCheck(locked ? 1 : 0);
    ApplyMapLock();
}

void COutputMap::OnMapLock() {
    const BOOL locked = g_bOutMapLocked.load() != 0;
    int answer = IDNO;
    if (locked) {
        answer = Ask("Whether unlocked output map?", "是否解锁输出配置?", MB_YESNO);
    } else if (!IsAnyOutputMapped()) {
        Ask("All output map is empty, the output map could not be locked.",
            "所有输出配置为空，输出配置不能锁定。", MB_OK);
        return;
    } else {
        answer = Ask("Whether locking output map?", "是否锁定输出配置?", MB_YESNO);
    }
    if (answer == IDNO)
        return;
    if (!locked && !IsAnyOutputMapped()) {
        Ask("All output map is null!", "所有输出配置为空!", MB_OK);
        return;
    }
    SetMapLocked(!locked);
}

void COutputMap::ApplyMapLock() {
    if (!m_page.GetSafeHwnd())
        return;
    const BOOL locked = g_bOutMapLocked.load() != 0;
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        if (COutRoute_Dlg* strip = m_page.GetStrip(i))
            strip->EnableWindow(!locked);
    if (!locked) {
        if (m_page.m_pHost)
            m_page.m_pHost->ClearOutputLinks();
        return;
    }
    // Without its model the page cannot show another output yet.
    if (!m_page.m_pData || CodeOf(g_nCurOut.load()) != 0)
        return;
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        if (CodeOf(i) != 0) {
            m_page.OnOutputSelect(i);
            return;
        }
}

void COutputMap::ValidateMapLock() {
    if (!g_bOutMapLocked.load())
        return;
    if (!IsAnyOutputMapped()) {
        SetMapLocked(FALSE);
        return;
    }
    if (CodeOf(g_nCurOut.load()) == 0)
        for (int i = 0; i < NUM_OUTPUTS; ++i)
            if (CodeOf(i) != 0) {
                m_page.OnOutputSelect(i);
                return;
            }
}

void COutputMap::OnResetMap() {
    COutputPageHost* host = m_page.m_pHost;
    const int result = host ? host->AskMapReset() : 0;
    if (result != 1 && result != 2)
        return;
    ClearPositionIcons();
    if (result == 1) {
        for (int i = 0; i < NUM_OUTPUTS; ++i) {
            SetCode(i, 0);
            if (CKTV_OutData* out = m_page.m_pData ? m_page.m_pData->GetOut(i) : nullptr)
                out->SetPosition(0);
            if (i == g_nCurOut.load())
                m_page.ReloadCrossover();
            if (host)
                host->SetOutputMixDefaults(i, 0, FALSE);
        }
        g_spkGroups.Rebuild();
    } else {
        int codes[8];
        DefaultCodes(codes);
        bool sub = false;
        for (int i = 0; i < NUM_OUTPUTS; ++i) {
            SetCode(i, codes[i]);
            if (CKTV_OutData* out = m_page.m_pData ? m_page.m_pData->GetOut(i) : nullptr)
                out->SetPosition(codes[i]);
            ApplyXover(i, ResetXover(codes[i], i));
            if (host)
                host->SetOutputMixDefaults(i, codes[i], FALSE);
            sub = sub || codes[i] > 21;
        }
        if (sub) {
            const int level = m_page.GetLowestSubLevel();
            m_page.ShowSubLevel(level < 0 ? 600 : level);
        }
        m_page.ReloadCrossover();
        g_spkGroups.Rebuild();
        m_page.RefreshPage();
    }
    if (host)
        host->SendSpeakerMap(0, 1);
    if (g_bOutMapLocked.load())
        SetMapLocked(FALSE);
    RefreshSpeakerMap();
}

void COutputMap::RestoreDefaultMap() {
    ClearPositionIcons();
    for (int i = 0; i < NUM_OUTPUTS; ++i) {
        const int code = g_posStateInit[POS_STATE_OUTPUTS + i];
        SetCode(i, code);
        if (CKTV_OutData* out = m_page.m_pData ? m_page.m_pData->GetOut(i) : nullptr)
            out->SetPosition(code);
    }
    m_page.ReloadCrossover();
    g_spkGroups.Rebuild();
}

void COutputMap::OnReadMapFile() {
    COutputPageHost* host = m_page.m_pHost;
    if (!host || !host->ReadOutputMapFile())
        return;
    {
        // One hold until the crossover blocks are queued: the worker never sends a position's default
        // crossover or a half-stepped frequency in between, so each output's chunk goes out once.
        std::lock_guard lock(g_linkLock);
        ClearPositionIcons();
        for (int i = 0; i < NUM_OUTPUTS; ++i) {
            const int code = g_speakerMap[i] <= SPEAKER_CODE_MAX ? g_speakerMap[i] : 0;
            SetCode(i, code);
            if (CKTV_OutData* out = m_page.m_pData ? m_page.m_pData->GetOut(i) : nullptr) {
                out->SetPosition(code);
                out->SetPositionXover(code, g_xoverTable[i]); // the file's crossover
            }
            if (i == g_nCurOut.load())
                m_page.ReloadCrossover();
            g_spkGroups.Rebuild();
        }
        host->SendSpeakerMap(0, 1);
    }
    if (g_bOutMapLocked.load())
        SetMapLocked(FALSE);
}

void COutputMap::OnSaveMapFile() {
    if (m_page.m_pHost)
        m_page.m_pHost->SaveOutputMapFile();
}

void COutputMap::OnLRLink() {
    COutputPageHost* host = m_page.m_pHost;
    if (g_bLRLinked.load()) {
        m_page.m_btnMap[1].SetCheck(0);
        g_bLRLinked = 0;
        if (host)
            host->ClearOutputLinks();
        return;
    }
    if (!FindLRPairs()) {
        Ask("No link L&R output !", "没有左右通道可以联调!", MB_OK);
        return;
    }
    const int direction = host ? host->AskLinkDirection() : -1;
    if (direction != 0 && direction != 1)
        return;
    if (!g_bOutMapLocked.load())
        SetMapLocked(TRUE);
    if (BuildLRLinkPairs() && host && host->ApplyChannelLinks(direction))
        m_page.RefreshPage();
    g_bLRLinked = 1;
    m_page.m_btnMap[1].SetCheck(1);
    MarkLinkedOutputs(g_nCurOut.load());
}

void COutputMap::OnOutputPaste(int from, int to) {
    if (!ValidOutput(from) || !ValidOutput(to) || from == to)
        return;
    if (m_page.m_pHost)
        m_page.m_pHost->PasteOutput(from, to);
    m_page.RefreshPage();
}

void COutputMap::MarkLinked(int output, BOOL on) {
    if (!ValidOutput(output))
        return;
    const int group = g_nOutLinkGroup[output].load();
    for (int i = 0; i < NUM_OUTPUTS; ++i) {
        if (i == output || g_nOutLinkGroup[i].load() != group)
            continue;
        if (COutRoute_Dlg* strip = m_page.GetStrip(i))
            strip->SetMarked(on);
        ShowLinkIndicators(on);
        m_page.m_graph.RefreshCurve(-1);
        CheckPositionIcon(CodeOf(i), on);
    }
}

void COutputMap::MarkLinkedOutputs(int output) {
    MarkLinked(output, TRUE);
}

void COutputMap::UnmarkLinkedOutputs(int output) {
    MarkLinked(output, FALSE);
}

void COutputMap::ShowLinkIndicators(BOOL show) {
    for (CStatic& pic : m_page.m_picLink)
        pic.ShowWindow(show ? SW_SHOW : SW_HIDE);
}

COutputMap::Binding COutputMap::BindingOf(int output) const {
    if (!ValidOutput(output))
        return {};
    const DelayBinding& d = m_page.m_delays.Binding(output);
    return {d.field, d.spin, m_icons[output]};
}
