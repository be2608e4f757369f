// The document's archive load fed arbitrary bytes: with the first byte even the document reads
// itself, odd it is read as an object behind its class record. A load either fails with
// CArchiveException or leaves a document that can be drawn, stored into the image and archived again.
#include "ArchiveFuzz.h"
#include "model/DataDefine.h"
#include "model/KTV_Data.h"

#include <cstdint>
#include <memory>

namespace {

void UseDocument(CKTV_Data& doc) {
    doc.SetCurveRects(fuzz::kCurveRect);
    doc.StoreToImage();
    doc.StoreCrossovers();
    fuzz::StoreAgain(doc);
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
    g_bOnline = 0;
    if (!(data[0] & 1)) {
        CKTV_Data doc;
        if (fuzz::Load(doc, data + 1, size - 1))
            UseDocument(doc);
        return 0;
    }
    CMemFile file(data + 1, static_cast<UINT>(size - 1));
    CArchive ar(&file, CArchive::load);
    try {
        std::unique_ptr<CObject> obj(ar.ReadObject(RUNTIME_CLASS(CKTV_Data)));
        if (obj)
            UseDocument(static_cast<CKTV_Data&>(*obj));
    } catch (const CArchiveException&) {
    }
    return 0;
}
