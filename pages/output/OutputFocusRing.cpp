#include "pages/output/OutputFocusRing.h"

#include "pages/output/OutRoute_Dlg.h"
#include "pages/output/OutputPageLayout.h"
#include "platform/ui/WinUser.h"

using namespace outpage;

namespace {

enum { ROW_FREQ, ROW_Q, ROW_GAIN };
constexpr int kRowBase[3] = {kFreqEdit, kQEdit, kGainEdit};
constexpr int kLastStrip = 7;

// Row and band of a band field id within the shown bands, false for other ids.
bool BandField(const COutputFocusRing::State& st, int id, int& row, int& band) {
    for (int r = 0; r < 3; ++r)
        if (id >= kRowBase[r] && id < kRowBase[r] + st.bandCount) {
            row = r;
            band = id - kRowBase[r];
            return true;
        }
    return false;
}

bool Visible(const COutputFocusRing::State& st, int id) {
    return !st.visible || st.visible(id);
}

FocusMove Field(int id, int select = -1) {
    FocusMove m;
    m.kind = FocusMove::FIELD;
    m.id = id;
    m.select = select;
    return m;
}

FocusMove Strip(FocusMove::Kind kind, int strip) {
    FocusMove m;
    m.kind = kind;
    m.strip = strip;
    return m;
}

} // namespace

int COutputFocusRing::ShownLevelEdit(const State& st) {
    return st.subShown ? kSubEdit : kSourceEdit;
}

FocusMove COutputFocusRing::Navigate(const State& st, int id, UINT key) {
    if (id >= kDelayField && id < kDelayField + kDelayFieldCount && (key == VK_LEFT || key == VK_RIGHT))
        return DelayMove(st, id - kDelayField, key == VK_RIGHT);
    if (key == VK_LEFT)
        return Left(st, id);
    if (key == VK_RIGHT)
        return Right(st, id);
    return {};
}

FocusMove COutputFocusRing::Left(const State& st, int id) {
    const int last = st.bandCount - 1;
    if (id == kSourceEdit || id == kSubEdit)
        return Field(kGainEdit + last, last);
    if (id == kHpfFreq)
        return Strip(FocusMove::STRIP_DELAY, kLastStrip);
    if (id == kLpfFreq)
        return Field(kHpfFreq);
    if (id == kFreqEdit) {
        FocusMove m = Field(kLpfFreq);
        m.clearSelection = true;
        return m;
    }
    if (id == kQEdit)
        return Field(kFreqEdit + last, last);
    if (id == kGainEdit) {
        const int band = Visible(st, kQEdit + last) ? last : last - 1;
        return Field(kQEdit + band, band);
    }
    int row = 0;
    int band = 0;
    if (BandField(st, id, row, band) && band > 0)
        return Field(kRowBase[row] + band - 1, band - 1);
    return {};
}

FocusMove COutputFocusRing::Right(const State& st, int id) {
    const int last = st.bandCount - 1;
    if (id == kSourceEdit || id == kSubEdit)
        return Strip(FocusMove::STRIP_LEVEL, 0);
    if (id == kHpfFreq)
        return Field(kLpfFreq);
    if (id == kLpfFreq)
        return Field(kFreqEdit);
    if (id == kHpfFamily) {
        FocusMove m;
        m.kind = FocusMove::LPF_LIST;
        m.id = kLpfFamily;
        return m;
    }
    if (id == COutRoute_Dlg::IDC_LEVEL)
        return Strip(FocusMove::NEXT_STRIP, 0);
    int row = 0;
    int band = 0;
    if (!BandField(st, id, row, band))
        return {};
    if (row == ROW_FREQ && band == last)
        return Visible(st, kQEdit) ? Field(kQEdit, 0) : Field(kQEdit + 1, 1);
    if (row == ROW_Q && (band == last || (band + 1 == last && !Visible(st, kQEdit + last))))
        return Field(kGainEdit, 0);
    if (row == ROW_GAIN && band == last)
        return Field(ShownLevelEdit(st));
    return Field(kRowBase[row] + band + 1, band + 1);
}

FocusMove COutputFocusRing::DelayMove(const State& st, int k, bool right) {
    if (right) {
        for (int i = k + 1; i < kDelayFieldCount; ++i)
            if (Visible(st, kDelayField + i))
                return Field(kDelayField + i);
        return Field(kFreqEdit);
    }
    for (int i = k - 1; i >= 0; --i)
        if (Visible(st, kDelayField + i))
            return Field(kDelayField + i);
    return Field(ShownLevelEdit(st));
}

FocusMove COutputFocusRing::Enter(const State& st, int id) {
    int row = 0;
    int band = 0;
    if (BandField(st, id, row, band)) {
        if (row == ROW_FREQ)
            return Visible(st, kQEdit + band) ? Field(kQEdit + band, band) : Field(kGainEdit + band, band);
        if (row == ROW_Q)
            return Field(kGainEdit + band, band);
        if (band < st.bandCount - 1) {
            // GEQ rows show only the gain edit.
            const int next = band + 1;
            return Visible(st, kFreqEdit + next) ? Field(kFreqEdit + next, next)
                                                 : Field(kGainEdit + next, next);
        }
    }
    return Navigate(st, id, VK_RIGHT);
}
