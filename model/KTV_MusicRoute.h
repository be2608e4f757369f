// The document's six music inputs ("Music 1" .. "Music 6"), owned by the route.
#pragma once

#include "model/DataDefine.h"
#include "model/Music_InData.h"
#include "platform/core/ObArray.h"

class CArchive;

class CKTV_MusicRoute : public CObArray {
    DECLARE_SERIAL(CKTV_MusicRoute)
public:
    static constexpr int kCount = NUM_INPUTS;

    CKTV_MusicRoute();
    ~CKTV_MusicRoute() override;

    // Input i, or null outside the route.
    CMusic_InData* GetAt(INT_PTR i) const { return static_cast<CMusic_InData*>(CObArray::GetAt(i)); }
    int GetCount() const { return static_cast<int>(GetSize()); }

    // Loads input i from the record without marking anything.
    void LoadChannel(const InputRecord* rec, int i);
    void SetAllChanged(BOOL flag);

    // The inputs in order, no count.
    void Serialize(CArchive& ar) override;
};
