// Archive loads of the document and of each channel fed arbitrary bytes. The first byte picks the
// reader; the rest is the archive. A load either fails with CArchiveException or leaves a channel
// that can be drawn, stored into the image and archived again.
#include "model/Effect_Data.h"
#include "model/Filter.h"
#include "model/KTVEQ.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/MIC_InData.h"
#include "model/Music_InData.h"
#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"
#include "platform/core/Rect.h"

#include <cstdint>
#include <iterator>
#include <memory>

namespace {

const CRect kCurveRect(0, 0, 480, 240);

template <class T> bool Load(T& obj, const uint8_t* data, size_t size) {
    CMemFile file(data, static_cast<UINT>(size));
    CArchive ar(&file, CArchive::load);
    try {
        obj.Serialize(ar);
    } catch (const CArchiveException&) {
        return false;
    }
    return true;
}

template <class T> void StoreAgain(T& obj) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    obj.Serialize(ar);
    ar.Close();
}

// What a loaded channel is used for next: its curve, its record in the image, its archive.
template <class T> void Use(T& ch) {
    ch.SetCurveRect(kCurveRect);
    ch.UpdateCurve();
    ch.StoreToImage();
    StoreAgain(ch);
}

// An object behind its class record. Only classes that own what they load are asked for: a plain
// CObArray leaves its elements to the caller.
void LoadObject(const uint8_t* data, size_t size) {
    if (size < 1)
        return;
    static const CRuntimeClass* const kClasses[] = {
        RUNTIME_CLASS(CKTV_Data),     RUNTIME_CLASS(CEffect_Data), RUNTIME_CLASS(CMIC_InData),
        RUNTIME_CLASS(CMusic_InData), RUNTIME_CLASS(CKTV_OutData), RUNTIME_CLASS(CFilter),
    };
    const CRuntimeClass* requested = kClasses[data[0] % std::size(kClasses)];
    CMemFile file(data + 1, static_cast<UINT>(size - 1));
    CArchive ar(&file, CArchive::load);
    try {
        std::unique_ptr<CObject> obj(ar.ReadObject(requested));
        if (obj)
            StoreAgain(*obj);
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
    const uint8_t which = data[0] % 7;
    ++data;
    --size;
    g_bOnline = 0;
    switch (which) {
    case 0: {
        CKTV_Data doc;
        doc.InitLinkTable();
        if (Load(doc, data, size)) {
            doc.SetCurveRects(kCurveRect);
            doc.StoreToImage();
            doc.StoreCrossovers();
            StoreAgain(doc);
        }
        for (auto*& p : g_pOutData)
            p = nullptr;
        break;
    }
    case 1: {
        CEffect_Data fx;
        if (Load(fx, data, size)) {
            fx.UpdateCurve();
            fx.StoreToImage();
            StoreAgain(fx);
        }
        break;
    }
    case 2: {
        CMIC_InData mic;
        mic.BuildBands(8, 10, 20000);
        if (Load(mic, data, size))
            Use(mic);
        break;
    }
    case 3: {
        CMusic_InData in;
        in.BuildBands(30, 32, 20000);
        if (Load(in, data, size))
            Use(in);
        break;
    }
    case 4: {
        CKTV_OutData out;
        out.SetIndex(3);
        out.BuildBands(30, 32, 11, 20, 20000);
        if (Load(out, data, size))
            Use(out);
        break;
    }
    case 5: {
        CKTVEQ eq;
        eq.BuildInputBands(30, 32, 20000);
        if (Load(eq, data, size)) {
            eq.UpdateSumCurve();
            StoreAgain(eq);
        }
        break;
    }
    default:
        LoadObject(data, size);
        break;
    }
    return 0;
}
