// Shared set-up of the channel tests: the globals the channels read, reset, an error
// hook that counts reports, and helpers to compare record bytes and archive objects in memory.
#pragma once

#include "model/Conversions.h"
#include "model/DataDefine.h"
#include "model/Globals.h"
#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"
#include "wire/LinkFrame.h"
#include "support/ResetGlobals.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

class ChannelTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetModelGlobals();
        for (auto& p : g_pOutData)
            p = nullptr;
        s_errors = 0;
        SetModelErrorHook(&CountError);
    }
    void TearDown() override {
        SetModelErrorHook(nullptr);
        for (auto& p : g_pOutData)
            p = nullptr;
        r9test::ResetModelGlobals();
    }

    static void CountError(const char*, const char*) { ++s_errors; }
    static inline int s_errors = 0;
};

// Byte offsets in [first, last] where the two records differ.
template <class R>
std::vector<int> DiffBytes(const R& a, const R& b, int first = 0, int last = sizeof(R) - 1) {
    std::vector<int> diff;
    const BYTE* pa = RecordBytes(a);
    const BYTE* pb = RecordBytes(b);
    for (int i = first; i <= last; ++i)
        if (pa[i] != pb[i])
            diff.push_back(i);
    return diff;
}

// Stores the object into a memory archive and returns the bytes.
template <class T> std::vector<BYTE> ArchiveBytes(T& obj) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        obj.Serialize(ar);
        ar.Close();
    }
    return file.GetBytes();
}

// Loads the object from archive bytes.
template <class T> void LoadArchive(T& obj, const std::vector<BYTE>& bytes) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    obj.Serialize(ar);
}
