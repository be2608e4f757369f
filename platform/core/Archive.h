// CArchive: the Windows archive byte format over a CFile, byte for byte, as the preset files
// store it. Numbers are little-endian; strings are stored as GBK bytes behind a
// length prefix (converted from and to UTF-8 here); objects are stored behind class records and
// object tags. Reading past the end, damaged tags and unknown classes throw CArchiveException.
#pragma once

#include "platform/core/File.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <exception>
#include <unordered_map>
#include <vector>

class CArchiveException : public std::exception {
public:
    enum Cause { none = 0, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };
    explicit CArchiveException(int cause, CString fileName = CString())
        : m_cause(cause), m_strFileName(std::move(fileName)) {}
    const char* what() const noexcept override;

    int m_cause;
    CString m_strFileName;
};

class CArchive {
public:
    enum Mode : UINT { store = 0, load = 1, bNoFlushOnDelete = 2 };

    // The file must stay open while the archive lives; the archive does not close it.
    CArchive(CFile* file, UINT mode, int bufSize = 4096, void* buf = nullptr);
    // Flushes a storing archive (a failure there is lost: call Close to see it).
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsLoading() const { return (m_mode & load) != 0; }
    bool IsStoring() const { return !IsLoading(); }
    CFile* GetFile() const { return m_file; }

    // Writes out what is buffered; throws when the file refuses it.
    void Flush();
    // Flushes and detaches from the file.
    void Close();
    // Detaches without writing anything more.
    void Abort();

    // Raw blocks. Read returns how many bytes it got (short only at the end of the file).
    UINT Read(void* buf, UINT count);
    void Write(const void* buf, UINT count);

    CArchive& operator<<(char v) { return WriteLe(static_cast<BYTE>(v), 1); }
    CArchive& operator<<(signed char v) { return WriteLe(static_cast<BYTE>(v), 1); }
    CArchive& operator<<(BYTE v) { return WriteLe(v, 1); }
    CArchive& operator<<(SHORT v) { return WriteLe(static_cast<WORD>(v), 2); }
    CArchive& operator<<(WORD v) { return WriteLe(v, 2); }
    CArchive& operator<<(int v) { return WriteLe(static_cast<UINT>(v), 4); }
    CArchive& operator<<(UINT v) { return WriteLe(v, 4); }
    CArchive& operator<<(LONGLONG v) { return WriteLe(static_cast<ULONGLONG>(v), 8); }
    CArchive& operator<<(ULONGLONG v) { return WriteLe(v, 8); }
    CArchive& operator<<(float v);
    CArchive& operator<<(double v);
    CArchive& operator<<(const CString& s);
    CArchive& operator<<(const char* s) { return *this << CString(s); }
    CArchive& operator<<(const CObject* p) {
        WriteObject(p);
        return *this;
    }
    // bool has no size of its own in the format: write BOOL (int) or BYTE explicitly.
    CArchive& operator<<(bool) = delete;

    CArchive& operator>>(char& v);
    CArchive& operator>>(signed char& v);
    CArchive& operator>>(BYTE& v);
    CArchive& operator>>(SHORT& v);
    CArchive& operator>>(WORD& v);
    CArchive& operator>>(int& v);
    CArchive& operator>>(UINT& v);
    CArchive& operator>>(LONGLONG& v);
    CArchive& operator>>(ULONGLONG& v);
    CArchive& operator>>(float& v);
    CArchive& operator>>(double& v);
    CArchive& operator>>(CString& s);
    CArchive& operator>>(CObject*& p) {
        p = ReadObject(nullptr);
        return *this;
    }
    CArchive& operator>>(bool&) = delete;

    // Objects with their class records. ReadObject returns null for a stored null pointer; with a
    // class given, an object of another class throws badClass.
    void WriteObject(const CObject* p);
    CObject* ReadObject(const CRuntimeClass* requested);

    // Element counts of collections: WORD, escaped to DWORD from 0xFFFF on.
    void WriteCount(DWORD_PTR count);
    DWORD_PTR ReadCount();

    // The schema of the class record of the object being loaded (read once; then (UINT)-1).
    UINT GetObjectSchema();
    void SetObjectSchema(UINT schema) { m_objectSchema = schema; }

private:
    CArchive& WriteLe(ULONGLONG v, int bytes);
    ULONGLONG ReadLe(int bytes);
    void ReadExact(void* buf, UINT count);
    void WriteClass(const CRuntimeClass* cls);
    const CRuntimeClass* ReadClass(const CRuntimeClass* requested, UINT* schema, DWORD* objTag);
    void NextMapIndex();
    [[noreturn]] void Fail(int cause) const;

    CFile* m_file;
    UINT m_mode;
    size_t m_bufSize;
    std::vector<BYTE> m_buf; // storing: bytes not yet written; loading: bytes read ahead
    size_t m_readPos = 0;
    UINT m_objectSchema = static_cast<UINT>(-1);

    // Objects and classes share one index sequence; index 0 is the null pointer.
    DWORD m_mapCount = 1;
    std::unordered_map<const void*, DWORD> m_storeMap;
    struct LoadEntry {
        const CRuntimeClass* cls; // set for a class record
        CObject* obj;             // set for an object
    };
    std::vector<LoadEntry> m_loadArray;
};
