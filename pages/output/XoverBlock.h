// CXoverBlock: the crossover controls of the output page, a high-pass and a low-pass column of a
// family list, a slope list and a frequency field with its spin. Side 0 is the high-pass, side 1
// the low-pass.
#pragma once

#include "controls/ComBoxBtn.h"
#include "controls/NumEdit.h"
#include "controls/NumSpin.h"

class CDataExchange;
class CFilter;
class CFont;
class CWnd;

class CXoverBlock {
public:
    enum Side { HPF = 0, LPF = 1 };

    void Bind(CDataExchange* dx);
    // Looks, drop lists (their notifications go to owner), ranges and fonts.
    void Init(CWnd* owner, CFont* font);

    // The family names of the UI language; every list keeps its selection.
    void FillFamilyLists();
    // Empties a slope list and adds the four slopes in order.
    void FillSlopeList(int side);
    // The family list is disabled (it then shows "NULL") at slope index 0.
    void EnableFamilyList(int slope, int side);
    // The side's lists and frequency show the filter.
    void ShowFilter(int side, const CFilter& filter);
    void ShowFreq(int side, int hz);
    void ShowAll(bool shown);

    CComBoxBtn& Family(int side) { return m_family[side]; }
    CComBoxBtn& Slope(int side) { return m_slope[side]; }
    CNumEdit& Freq(int side) { return m_freq[side]; }
    CNumSpin& Spin(int side) { return m_spin[side]; }

    static const char* FamilyText(int family, bool chinese);

private:
    CComBoxBtn m_family[2];
    CComBoxBtn m_slope[2];
    CNumEdit m_freq[2];
    CNumSpin m_spin[2];
};
