#include "platform/core/Archive.h"

#include "platform/core/Encoding.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

namespace {

constexpr WORD kNullTag = 0;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kBigClassTag = 0x80000000;
constexpr DWORD kMaxMapCount = 0x3FFFFFFE;
// Longest class name a class record may carry.
constexpr WORD kMaxClassName = 64;
// Strings are read in pieces so a damaged length meets the end of the file before memory runs out.
constexpr size_t kStringChunk = 64 * 1024;

void appendUtf8(std::string& out, DWORD cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// UTF-16LE units to UTF-8; unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(const std::vector<WORD>& units) {
    std::string out;
    out.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        DWORD u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            appendUtf8(out, 0xFFFD);
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

} // namespace

const char* CArchiveException::what() const noexcept {
    switch (m_cause) {
    case readOnly:
        return "archive: write to a loading archive";
    case endOfFile:
        return "archive: unexpected end of file";
    case writeOnly:
        return "archive: read from a storing archive";
    case badIndex:
        return "archive: bad object or class index";
    case badClass:
        return "archive: unknown or unexpected class";
    case badSchema:
        return "archive: class schema does not match";
    default:
        return "archive: error";
    }
}

CObject* ReadArchiveObject(CArchive& ar, const CRuntimeClass* cls) {
    return ar.ReadObject(cls);
}

CArchive::CArchive(CFile* file, UINT mode, int bufSize, void*)
    : m_file(file), m_mode(mode), m_bufSize(static_cast<size_t>(std::max(bufSize, 128))) {
    m_buf.reserve(m_bufSize);
    if (IsLoading())
        m_loadArray.push_back({nullptr, nullptr});
}

CArchive::~CArchive() {
    if (m_file && IsStoring() && !(m_mode & bNoFlushOnDelete)) {
        try {
            Flush();
        } catch (const CArchiveException&) {
        }
    }
}

void CArchive::Fail(int cause) const {
    throw CArchiveException(cause, m_file ? m_file->GetFilePath() : CString());
}

void CArchive::Flush() {
    if (!m_file || IsLoading() || m_buf.empty())
        return;
    bool ok = m_file->Write(m_buf.data(), static_cast<UINT>(m_buf.size()));
    m_buf.clear();
    if (!ok)
        Fail(CArchiveException::genericException);
}

void CArchive::Close() {
    Flush();
    m_file = nullptr;
}

void CArchive::Abort() {
    m_buf.clear();
    m_file = nullptr;
}

void CArchive::Write(const void* buf, UINT count) {
    if (IsLoading())
        Fail(CArchiveException::readOnly);
    if (!m_file)
        Fail(CArchiveException::genericException);
    const auto* p = static_cast<const BYTE*>(buf);
    m_buf.insert(m_buf.end(), p, p + count);
    if (m_buf.size() >= m_bufSize)
        Flush();
}

UINT CArchive::Read(void* buf, UINT count) {
    if (IsStoring())
        Fail(CArchiveException::writeOnly);
    if (!m_file)
        Fail(CArchiveException::genericException);
    auto* p = static_cast<BYTE*>(buf);
    UINT got = 0;
    while (got < count) {
        if (m_readPos == m_buf.size()) {
            m_buf.resize(m_bufSize);
            m_readPos = 0;
            UINT n = m_file->Read(m_buf.data(), static_cast<UINT>(m_bufSize));
            m_buf.resize(n);
            if (n == 0)
                break;
        }
        size_t take = std::min<size_t>(count - got, m_buf.size() - m_readPos);
        std::memcpy(p + got, m_buf.data() + m_readPos, take);
        m_readPos += take;
        got += static_cast<UINT>(take);
    }
    return got;
}

void CArchive::ReadExact(void* buf, UINT count) {
    if (Read(buf, count) != count)
        Fail(CArchiveException::endOfFile);
}

CArchive& CArchive::WriteLe(ULONGLONG v, int bytes) {
    BYTE b[8];
    for (int i = 0; i < bytes; ++i)
        b[i] = static_cast<BYTE>(v >> (8 * i));
    Write(b, static_cast<UINT>(bytes));
    return *this;
}

ULONGLONG CArchive::ReadLe(int bytes) {
    BYTE b[8];
    ReadExact(b, static_cast<UINT>(bytes));
    ULONGLONG v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | b[i];
    return v;
}

CArchive& CArchive::operator<<(float v) {
    return WriteLe(std::bit_cast<UINT>(v), 4);
}

CArchive& CArchive::operator<<(double v) {
    return WriteLe(std::bit_cast<ULONGLONG>(v), 8);
}

CArchive& CArchive::operator>>(char& v) {
    v = static_cast<char>(ReadLe(1));
    return *this;
}

CArchive& CArchive::operator>>(signed char& v) {
    v = static_cast<signed char>(ReadLe(1));
    return *this;
}

CArchive& CArchive::operator>>(BYTE& v) {
    v = static_cast<BYTE>(ReadLe(1));
    return *this;
}

CArchive& CArchive::operator>>(SHORT& v) {
    v = static_cast<SHORT>(ReadLe(2));
    return *this;
}

CArchive& CArchive::operator>>(WORD& v) {
    v = static_cast<WORD>(ReadLe(2));
    return *this;
}

CArchive& CArchive::operator>>(int& v) {
    v = static_cast<int>(static_cast<UINT>(ReadLe(4)));
    return *this;
}

CArchive& CArchive::operator>>(UINT& v) {
    v = static_cast<UINT>(ReadLe(4));
    return *this;
}

CArchive& CArchive::operator>>(LONGLONG& v) {
    v = static_cast<LONGLONG>(ReadLe(8));
    return *this;
}

CArchive& CArchive::operator>>(ULONGLONG& v) {
    v = ReadLe(8);
    return *this;
}

CArchive& CArchive::operator>>(float& v) {
    v = std::bit_cast<float>(static_cast<UINT>(ReadLe(4)));
    return *this;
}

CArchive& CArchive::operator>>(double& v) {
    v = std::bit_cast<double>(ReadLe(8));
    return *this;
}

// Length prefix: BYTE below 0xFF; else 0xFF and a WORD below 0xFFFE (0xFFFE marks a UTF-16
// string); else 0xFF 0xFFFF and a DWORD.
CArchive& CArchive::operator<<(const CString& s) {
    std::string gbk = Utf8ToGbk(s);
    const ULONGLONG len = gbk.size();
    if (len < 0xFF) {
        *this << static_cast<BYTE>(len);
    } else {
        *this << static_cast<BYTE>(0xFF);
        if (len < 0xFFFE) {
            *this << static_cast<WORD>(len);
        } else {
            *this << static_cast<WORD>(0xFFFF);
            if (len < 0xFFFFFFFF) {
                *this << static_cast<UINT>(len);
            } else {
                *this << static_cast<UINT>(0xFFFFFFFF) << len;
            }
        }
    }
    Write(gbk.data(), static_cast<UINT>(gbk.size()));
    return *this;
}

CArchive& CArchive::operator>>(CString& s) {
    auto readLength = [this]() -> ULONGLONG {
        BYTE b;
        *this >> b;
        if (b < 0xFF)
            return b;
        WORD w;
        *this >> w;
        if (w < 0xFFFF)
            return w; // 0xFFFE is caught by the caller before this form is read
        UINT d;
        *this >> d;
        if (d < 0xFFFFFFFF)
            return d;
        ULONGLONG q;
        *this >> q;
        return q;
    };

    bool wide = false;
    ULONGLONG len;
    BYTE b;
    *this >> b;
    if (b < 0xFF) {
        len = b;
    } else {
        WORD w;
        *this >> w;
        if (w == 0xFFFE) {
            wide = true;
            len = readLength();
        } else if (w < 0xFFFF) {
            len = w;
        } else {
            UINT d;
            *this >> d;
            if (d < 0xFFFFFFFF) {
                len = d;
            } else {
                ULONGLONG q;
                *this >> q;
                len = q;
            }
        }
    }

    if (wide) {
        std::vector<WORD> units;
        for (ULONGLONG i = 0; i < len; ++i) {
            WORD u;
            *this >> u;
            units.push_back(u);
        }
        s = CString(utf16ToUtf8(units));
        return *this;
    }
    std::string gbk;
    while (gbk.size() < len) {
        size_t take = static_cast<size_t>(std::min<ULONGLONG>(len - gbk.size(), kStringChunk));
        size_t at = gbk.size();
        gbk.resize(at + take);
        ReadExact(gbk.data() + at, static_cast<UINT>(take));
    }
    s = GbkToUtf8(gbk);
    return *this;
}

void CArchive::WriteCount(DWORD_PTR count) {
    if (count < 0xFFFF) {
        *this << static_cast<WORD>(count);
    } else {
        *this << static_cast<WORD>(0xFFFF);
        if (count < 0xFFFFFFFF) {
            *this << static_cast<UINT>(count);
        } else {
            *this << static_cast<UINT>(0xFFFFFFFF) << static_cast<ULONGLONG>(count);
        }
    }
}

DWORD_PTR CArchive::ReadCount() {
    WORD w;
    *this >> w;
    if (w != 0xFFFF)
        return w;
    UINT d;
    *this >> d;
    if (d != 0xFFFFFFFF)
        return d;
    ULONGLONG q;
    *this >> q;
    return static_cast<DWORD_PTR>(q);
}

UINT CArchive::GetObjectSchema() {
    UINT schema = m_objectSchema;
    m_objectSchema = static_cast<UINT>(-1);
    return schema;
}

void CArchive::NextMapIndex() {
    if (m_mapCount >= kMaxMapCount)
        Fail(CArchiveException::badIndex);
    ++m_mapCount;
}

void CArchive::WriteClass(const CRuntimeClass* cls) {
    if (IsLoading())
        Fail(CArchiveException::readOnly);
    if (!cls->IsSerializable())
        Fail(CArchiveException::badClass);
    auto it = m_storeMap.find(cls);
    if (it != m_storeMap.end()) {
        DWORD index = it->second;
        if (index < kBigObjectTag) {
            *this << static_cast<WORD>(kClassTag | index);
        } else {
            *this << kBigObjectTag << static_cast<UINT>(kBigClassTag | index);
        }
        return;
    }
    std::string name = cls->m_lpszClassName;
    *this << kNewClassTag << static_cast<WORD>(cls->m_wSchema) << static_cast<WORD>(name.size());
    Write(name.data(), static_cast<UINT>(name.size()));
    m_storeMap[cls] = m_mapCount;
    NextMapIndex();
}

void CArchive::WriteObject(const CObject* p) {
    if (IsLoading())
        Fail(CArchiveException::readOnly);
    if (!p) {
        *this << kNullTag;
        return;
    }
    auto it = m_storeMap.find(p);
    if (it != m_storeMap.end()) {
        DWORD index = it->second;
        if (index < kBigObjectTag) {
            *this << static_cast<WORD>(index);
        } else {
            *this << kBigObjectTag << static_cast<UINT>(index);
        }
        return;
    }
    WriteClass(p->GetRuntimeClass());
    m_storeMap[p] = m_mapCount;
    NextMapIndex();
    // Storing does not change the object; Serialize is one operation for both directions.
    const_cast<CObject*>(p)->Serialize(*this);
}

// Reads a class tag. Returns the class of a new object, or null with *objTag set when the tag
// refers to an object already loaded (or is the null tag).
const CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* requested, UINT* schema, DWORD* objTag) {
    if (IsStoring())
        Fail(CArchiveException::writeOnly);
    WORD tag;
    *this >> tag;
    DWORD obTag;
    if (tag == kBigObjectTag) {
        UINT big;
        *this >> big;
        obTag = big;
    } else {
        obTag = (static_cast<DWORD>(tag & kClassTag) << 16) | (tag & ~kClassTag & 0xFFFF);
    }
    if (!(obTag & kBigClassTag)) {
        *objTag = obTag;
        return nullptr;
    }

    const CRuntimeClass* cls = nullptr;
    if (tag == kNewClassTag) {
        WORD storedSchema, nameLen;
        *this >> storedSchema >> nameLen;
        if (nameLen == 0 || nameLen > kMaxClassName)
            Fail(CArchiveException::badClass);
        char name[kMaxClassName + 1] = {};
        ReadExact(name, nameLen);
        cls = CRuntimeClass::FromName(name);
        if (!cls || !cls->IsSerializable())
            Fail(CArchiveException::badClass);
        if (storedSchema != static_cast<WORD>(cls->m_wSchema))
            Fail(CArchiveException::badSchema);
        m_loadArray.push_back({cls, nullptr});
        NextMapIndex();
        *schema = storedSchema;
    } else {
        DWORD index = obTag & ~kBigClassTag;
        if (index == 0 || index >= m_loadArray.size() || !m_loadArray[index].cls)
            Fail(CArchiveException::badIndex);
        cls = m_loadArray[index].cls;
        *schema = cls->m_wSchema;
    }
    if (requested && !cls->IsDerivedFrom(requested))
        Fail(CArchiveException::badClass);
    return cls;
}

CObject* CArchive::ReadObject(const CRuntimeClass* requested) {
    UINT schema = 0;
    DWORD objTag = 0;
    const CRuntimeClass* cls = ReadClass(requested, &schema, &objTag);
    if (!cls) {
        if (objTag == kNullTag)
            return nullptr;
        if (objTag >= m_loadArray.size() || !m_loadArray[objTag].obj)
            Fail(CArchiveException::badIndex);
        CObject* p = m_loadArray[objTag].obj;
        if (requested && !p->IsKindOf(requested))
            Fail(CArchiveException::badClass);
        return p;
    }
    CObject* p = cls->CreateObject();
    if (!p)
        Fail(CArchiveException::badClass);
    // Registered before its members are read, so members may refer back to it.
    const size_t slot = m_loadArray.size();
    m_loadArray.push_back({nullptr, p});
    try {
        NextMapIndex();
        m_objectSchema = schema;
        p->Serialize(*this);
    } catch (...) {
        m_loadArray[slot].obj = nullptr;
        delete p;
        throw;
    }
    return p;
}
