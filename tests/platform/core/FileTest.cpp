#include "ArchiveFixture.h"

#include "platform/core/File.h"
#include "platform/core/MemFile.h"

#include <cstdio>

TEST(CFile, OpenModesAndFailures) {
    const std::string path = ArchiveTempPath("file.bin");
    std::remove(path.c_str());

    CFile f;
    CFileException err;
    EXPECT_FALSE(f.Open(path.c_str(), CFile::modeRead, &err));
    EXPECT_EQ(err.m_cause, CFileException::fileNotFound);
    EXPECT_FALSE(f.Open(testing::TempDir().c_str(), CFile::modeRead, &err)); // a folder is no file
    EXPECT_EQ(err.m_cause, CFileException::accessDenied);
    EXPECT_FALSE(f.Open("", CFile::modeRead));
    EXPECT_EQ(f.Read(&err, 1), 0u); // not open: nothing read, nothing thrown
    EXPECT_FALSE(f.Write("x", 1));

    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    EXPECT_TRUE(f.Write("abcdef", 6));
    EXPECT_EQ(f.GetLength(), 6u);
    EXPECT_EQ(f.GetFileName(), "r9_core_file.bin");
    EXPECT_TRUE(f.Close());

    // modeNoTruncate keeps the content; plain modeCreate empties the file.
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite));
    EXPECT_EQ(f.GetLength(), 6u);
    EXPECT_EQ(f.Seek(-2, CFile::end), 4u);
    char buf[8] = {};
    EXPECT_EQ(f.Read(buf, sizeof buf), 2u); // short read at the end
    EXPECT_STREQ(buf, "ef");
    EXPECT_EQ(f.Seek(-1, CFile::begin), CFile::kSeekFailed);
    EXPECT_EQ(f.LastError().m_cause, CFileException::badSeek);
    EXPECT_EQ(f.SeekToBegin(), 0u);
    EXPECT_EQ(f.Read(buf, 3), 3u);
    EXPECT_EQ(f.GetPosition(), 3u);
    f.Close();

    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeRead));
    EXPECT_FALSE(f.Write("x", 1)); // opened for reading only
    f.Close();

    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    EXPECT_EQ(f.GetLength(), 0u);
}

TEST(CMemFile, BacksAnArchiveInMemory) {
    CMemFile mem;
    {
        CArchive ar(&mem, CArchive::store);
        ar << 7 << CString("预设");
        ar.Close();
    }
    const std::vector<BYTE> want = {7, 0, 0, 0, 4, 0xD4, 0xA4, 0xC9, 0xE8};
    EXPECT_EQ(mem.GetBytes(), want);

    CMemFile in(want.data(), static_cast<UINT>(want.size()));
    CArchive ar(&in, CArchive::load);
    int n;
    CString s;
    ar >> n >> s;
    EXPECT_EQ(n, 7);
    EXPECT_EQ(s, "预设");
    EXPECT_THROW(ar >> n, CArchiveException);

    EXPECT_EQ(in.Seek(2, CFile::begin), 2u);
    EXPECT_EQ(in.Seek(-3, CFile::current), CFile::kSeekFailed);
    EXPECT_TRUE(in.Write("\x01\x02", 2));
    EXPECT_EQ(in.GetBytes()[3], 2);
}
