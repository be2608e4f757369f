// The document's eight outputs, owned by the route. Each output takes the speaker position that
// g_posState holds for it when the route is built.
#pragma once

#include "model/DataDefine.h"
#include "model/KTV_OutData.h"
#include "platform/core/ObArray.h"

class CArchive;

class CKTV_OutRoute : public CObArray {
    DECLARE_SERIAL(CKTV_OutRoute)
public:
    static constexpr int kCount = NUM_OUTPUTS;

    CKTV_OutRoute();
    ~CKTV_OutRoute() override;

    // Output i, or null outside the route.
    CKTV_OutData* GetAt(INT_PTR i) const { return static_cast<CKTV_OutData*>(CObArray::GetAt(i)); }
    int GetCount() const { return static_cast<int>(GetSize()); }

    // Loads output i from the record without marking anything.
    void LoadChannel(const OutputRecord* rec, int i);
    void SetAllChanged(BOOL flag);

    // The outputs in order, no count.
    void Serialize(CArchive& ar) override;
};
