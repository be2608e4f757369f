#include "model/KTV_OutRoute.h"

#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CKTV_OutRoute, CObArray, 1)

namespace {

struct OutputBuild {
    const char* name; // null: the output keeps an empty name
    int hpRange;
};

constexpr OutputBuild kOutputs[NUM_OUTPUTS] = {
    {"FL", 11}, {"FR", 10}, {"SL", 9}, {"SR", 11}, {"Center", 10}, {"ULF", 9}, {nullptr, 9}, {nullptr, 9},
};

} // namespace

CKTV_OutRoute::CKTV_OutRoute() {
    for (int i = 0; i < kCount; ++i) {
        auto* out = new CKTV_OutData;
        out->SetIndex(i);
        out->SetHandleColor(g_clrOutCurve[i].ToColorRef());
        out->SetCurveColor(g_clrOutCurve[i]);
        if (kOutputs[i].name)
            out->SetName(CString(kOutputs[i].name));
        out->BuildBands(30, 32, kOutputs[i].hpRange, 20, 20000);
        out->SetPosition(g_posState[POS_STATE_OUTPUTS + i]);
        Add(out);
    }
}

CKTV_OutRoute::~CKTV_OutRoute() {
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

void CKTV_OutRoute::LoadChannel(const OutputRecord* rec, int i) {
    if (CKTV_OutData* out = GetAt(i))
        out->LoadFromRecord(rec);
}

void CKTV_OutRoute::SetAllChanged(BOOL flag) {
    for (INT_PTR i = 0; i < GetSize(); ++i)
        GetAt(i)->SetAllChanged(flag);
}

void CKTV_OutRoute::Serialize(CArchive& ar) {
    for (INT_PTR i = 0; i < GetSize(); ++i)
        GetAt(i)->Serialize(ar);
}
