// The document's mic channels: one "Mic 1", owned by the route.
#pragma once

#include "model/DataDefine.h"
#include "model/MIC_InData.h"
#include "platform/core/ObArray.h"

class CArchive;

class CKTV_MicRoute : public CObArray {
    DECLARE_SERIAL(CKTV_MicRoute)
public:
    static constexpr int kCount = 1;

    CKTV_MicRoute();
    ~CKTV_MicRoute() override;

    // Channel i, or null outside the route.
    CMIC_InData* GetAt(INT_PTR i) const { return static_cast<CMIC_InData*>(CObArray::GetAt(i)); }
    int GetCount() const { return static_cast<int>(GetSize()); }

    // Loads channel i from the record without marking anything.
    void LoadChannel(const MicRecord* rec, int i);
    void SetAllChanged(BOOL flag);

    // The channels in order, no count.
    void Serialize(CArchive& ar) override;
};
