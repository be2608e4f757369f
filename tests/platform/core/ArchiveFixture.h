// Helpers for archive tests: store into bytes and load from bytes through a real file.
#pragma once

#include "platform/core/Archive.h"
#include "platform/core/File.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

inline std::string ArchiveTempPath(const char* name) {
    return testing::TempDir() + "r9_core_" + name;
}

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::string StoreToBytes(const std::function<void(CArchive&)>& body) {
    const std::string path = ArchiveTempPath("store.bin");
    CFile file;
    EXPECT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    {
        CArchive ar(&file, CArchive::store);
        body(ar);
        ar.Close();
    }
    file.Close();
    return ReadWholeFile(path);
}

inline void LoadFromBytes(const std::string& bytes, const std::function<void(CArchive&)>& body) {
    const std::string path = ArchiveTempPath("load.bin");
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
    CArchive ar(&file, CArchive::load);
    body(ar);
}
