// Archive loads of each channel and of a band set fed arbitrary bytes. The first byte picks the
// reader; the rest is the archive. A load either fails with CArchiveException or leaves a channel
// that can be drawn, stored into the image and archived again.
#include "ArchiveFuzz.h"
#include "model/DataDefine.h"
#include "model/Effect_Data.h"
#include "model/Filter.h"
#include "model/KTVEQ.h"
#include "model/KTV_OutData.h"
#include "model/MIC_InData.h"
#include "model/Music_InData.h"

#include <cstdint>
#include <iterator>
#include <memory>

namespace {

// An object behind its class record. Only classes that own what they load are asked for: a plain
// CObArray leaves its elements to the caller.
void LoadObject(const uint8_t* data, size_t size) {
    if (size < 1)
        return;
    static const CRuntimeClass* const kClasses[] = {
        RUNTIME_CLASS(CEffect_Data), RUNTIME_CLASS(CMIC_InData), RUNTIME_CLASS(CMusic_InData),
        RUNTIME_CLASS(CKTV_OutData), RUNTIME_CLASS(CFilter),
    };
    const CRuntimeClass* requested = kClasses[data[0] % std::size(kClasses)];
    CMemFile file(data + 1, static_cast<UINT>(size - 1));
    CArchive ar(&file, CArchive::load);
    try {
        std::unique_ptr<CObject> obj(ar.ReadObject(requested));
        if (obj)
            fuzz::StoreAgain(*obj);
    } catch (const CArchiveException&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = [] {
        InitData();
        return true;
    }();
    (void)ready;
    if (size < 1)
        return 0;
    const uint8_t which = data[0] % 6;
    ++data;
    --size;
    g_bOnline = 0;
    switch (which) {
    case 0: {
        CEffect_Data fx;
        if (fuzz::Load(fx, data, size)) {
            fx.UpdateCurve();
            fx.StoreToImage();
            fuzz::StoreAgain(fx);
        }
        break;
    }
    case 1: {
        CMIC_InData mic;
        mic.BuildBands(8, 10, 20000);
        if (fuzz::Load(mic, data, size))
            fuzz::Use(mic);
        break;
    }
    case 2: {
        CMusic_InData in;
        in.BuildBands(30, 32, 20000);
        if (fuzz::Load(in, data, size))
            fuzz::Use(in);
        break;
    }
    case 3: {
        CKTV_OutData out;
        out.SetIndex(3);
        out.BuildBands(30, 32, 11, 20, 20000);
        if (fuzz::Load(out, data, size))
            fuzz::Use(out);
        break;
    }
    case 4: {
        CKTVEQ eq;
        eq.BuildInputBands(30, 32, 20000);
        if (fuzz::Load(eq, data, size)) {
            eq.UpdateSumCurve();
            fuzz::StoreAgain(eq);
        }
        break;
    }
    default:
        LoadObject(data, size);
        break;
    }
    return 0;
}
