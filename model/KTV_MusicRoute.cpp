#include "model/KTV_MusicRoute.h"

#include "platform/core/Archive.h"

#include <string>

IMPLEMENT_SERIAL(CKTV_MusicRoute, CObArray, 1)

CKTV_MusicRoute::CKTV_MusicRoute() {
    for (int i = 0; i < kCount; ++i) {
        auto* in = new CMusic_InData;
        in->SetHandleColor(g_clrMusicCurve[i].ToColorRef());
        in->SetCurveColor(g_clrMusicCurve[i]);
        in->SetName(CString(("Music " + std::to_string(i + 1)).c_str()));
        if (i == 0)
            in->SetLevel(450);
        in->SetIndex(i);
        in->BuildBands(30, 32, 20000);
        if (i > 0)
            in->SetFirst(0);
        Add(in);
    }
}

CKTV_MusicRoute::~CKTV_MusicRoute() {
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

void CKTV_MusicRoute::LoadChannel(const InputRecord* rec, int i) {
    if (CMusic_InData* in = GetAt(i))
        in->LoadFromRecord(rec);
}

void CKTV_MusicRoute::SetAllChanged(BOOL flag) {
    for (int i = 0; i < kCount; ++i)
        if (CMusic_InData* in = GetAt(i))
            in->SetAllChanged(flag);
}

void CKTV_MusicRoute::Serialize(CArchive& ar) {
    for (INT_PTR i = 0; i < GetSize(); ++i)
        GetAt(i)->Serialize(ar);
}
