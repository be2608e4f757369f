#include "pages/output/XoverBlock.h"

#include "model/Filter.h"
#include "model/Globals.h"
#include "model/RecordRanges.h"
#include "pages/output/OutputPageLayout.h"
#include "platform/ui/DataExchange.h"

using namespace outpage;

namespace {

constexpr int kFamilyIds[2] = {kHpfFamily, kLpfFamily};
constexpr int kSlopeIds[2] = {kHpfSlope, kLpfSlope};
constexpr int kFreqIds[2] = {kHpfFreq, kLpfFreq};
constexpr int kSpinIds[2] = {kHpfSpin, kLpfSpin};
constexpr UINT kFamilyNotify[2] = {kHpfFamilyNotify, kLpfFamilyNotify};
constexpr UINT kSlopeNotify[2] = {kHpfSlopeNotify, kLpfSlopeNotify};
constexpr int kFamilyCount = 3;
constexpr const char* kFamilyEn[kFamilyCount] = {"Link_Ril", "Bessel", "Butter_W"};
constexpr const char* kFamilyCn[kFamilyCount] = {"宁克", "贝塞尔", "巴特沃斯"};
constexpr const char* kSlopes[4] = {"6dB/Oct", "12dB/Oct", "18dB/Oct", "24dB/Oct"};

} // namespace

const char* CXoverBlock::FamilyText(int family, bool chinese) {
    if (family < 0 || family >= kFamilyCount)
        return "";
    return chinese ? kFamilyCn[family] : kFamilyEn[family];
}

void CXoverBlock::Bind(CDataExchange* dx) {
    for (int s = 0; s < 2; ++s) {
        DDX_Control(dx, kFamilyIds[s], m_family[s]);
        DDX_Control(dx, kSlopeIds[s], m_slope[s]);
        DDX_Control(dx, kFreqIds[s], m_freq[s]);
        DDX_Control(dx, kSpinIds[s], m_spin[s]);
    }
}

void CXoverBlock::Init(CWnd* owner, CFont* font) {
    for (int s = 0; s < 2; ++s) {
        m_family[s].SetBitmaps(697, 698);
        m_family[s].SetDisabledBitmap(699);
        m_family[s].SetNullWhenDisabled(TRUE);
        m_family[s].CreateDropList(owner, kFamilyNotify[s]);
        m_family[s].EnableMoveNotify(TRUE);
        m_slope[s].SetBitmaps(697, 698);
        m_slope[s].CreateDropList(owner, kSlopeNotify[s]);
        m_slope[s].EnableMoveNotify(TRUE);
        m_family[s].SetFont(font);
        m_slope[s].SetFont(font);
        FillSlopeList(s);
        m_spin[s].SetBuddy(&m_freq[s]);
        m_freq[s].SetType(NUMTYPE_FREQ, CString());
        m_spin[s].SetRange32(range::kFreq.lo, range::kFreq.hi);
        m_freq[s].SetFont(font);
        m_freq[s].SetLimitText(7);
    }
    FillFamilyLists();
}

void CXoverBlock::FillFamilyLists() {
    const bool chinese = g_bChinese.load() != 0;
    for (int s = 0; s < 2; ++s) {
        const int sel = m_family[s].GetCurSel();
        m_family[s].ResetContent();
        for (int f = 0; f < kFamilyCount; ++f)
            m_family[s].AddString(FamilyText(f, chinese));
        m_family[s].SetCurSel(sel);
    }
}

void CXoverBlock::FillSlopeList(int side) {
    const int sel = m_slope[side].GetCurSel();
    m_slope[side].ResetContent();
    for (const char* text : kSlopes)
        m_slope[side].AddString(text);
    m_slope[side].SetCurSel(sel);
}

void CXoverBlock::EnableFamilyList(int slope, int side) {
    m_family[side].EnableWindow(slope != 0);
}

void CXoverBlock::ShowFilter(int side, const CFilter& filter) {
    ShowFreq(side, filter.GetFreq());
    m_family[side].SetCurSel(filter.GetFamily());
    // The lists offer four slopes; a stored slope beyond them shows no item.
    const int slope = filter.GetSlope();
    m_slope[side].SetCurSel(slope >= 0 && slope < 4 ? slope : -1);
    EnableFamilyList(slope, side);
}

void CXoverBlock::ShowFreq(int side, int hz) {
    m_spin[side].SetPos(hz);
}

void CXoverBlock::ShowAll(bool shown) {
    const int cmd = shown ? SW_SHOW : SW_HIDE;
    // The high-pass slope list follows the lock layout's other group; see the page.
    m_family[HPF].ShowWindow(cmd);
    m_family[LPF].ShowWindow(cmd);
    m_slope[LPF].ShowWindow(cmd);
    for (int s = 0; s < 2; ++s) {
        m_freq[s].ShowWindow(cmd);
        m_spin[s].ShowWindow(cmd);
    }
}
