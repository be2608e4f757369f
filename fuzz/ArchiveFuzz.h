// Shared steps of the archive fuzz targets: load an object from arbitrary bytes, and use what was
// loaded the way the program does next.
#pragma once

#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"
#include "platform/core/Rect.h"

#include <cstddef>
#include <cstdint>

namespace fuzz {

inline const CRect kCurveRect(0, 0, 480, 240);

// True when the load finished; a damaged archive fails with CArchiveException and nothing else.
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

} // namespace fuzz
