#include "model/KTV_MicRoute.h"

#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CKTV_MicRoute, CObArray, 1)

CKTV_MicRoute::CKTV_MicRoute() {
    auto* mic = new CMIC_InData;
    mic->SetHandleColor(g_clrMicCurve1.ToColorRef());
    mic->SetCurveColor(g_clrMicCurve1);
    mic->SetName(CString("Mic 1"));
    mic->SetIndex(0);
    mic->BuildBands(8, 10, 20000);
    Add(mic);
}

CKTV_MicRoute::~CKTV_MicRoute() {
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

void CKTV_MicRoute::LoadChannel(const MicRecord* rec, int i) {
    if (CMIC_InData* mic = GetAt(i))
        mic->LoadFromRecord(rec);
}

void CKTV_MicRoute::SetAllChanged(BOOL flag) {
    for (INT_PTR i = 0; i < GetSize(); ++i)
        GetAt(i)->SetAllChanged(flag);
}

void CKTV_MicRoute::Serialize(CArchive& ar) {
    for (INT_PTR i = 0; i < GetSize(); ++i)
        GetAt(i)->Serialize(ar);
}
