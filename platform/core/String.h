// CString with UTF-8 storage. Lengths and indices count bytes; GBK conversion happens at the
// edge of device records and files (see Encoding.h), never inside the string.
#pragma once

#include "platform/core/WinTypes.h"

#include <compare>
#include <cstdarg>
#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const char* s) : m_str(s ? s : "") {}
    CString(const char* s, int len)
        : m_str(s ? std::string(s, static_cast<size_t>(len < 0 ? 0 : len)) : "") {}
    CString(const std::string& s) : m_str(s) {}
    CString(std::string&& s) : m_str(std::move(s)) {}
    CString(std::string_view s) : m_str(s) {}
    CString(char ch, int repeat = 1) : m_str(static_cast<size_t>(repeat < 0 ? 0 : repeat), ch) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    const char* GetString() const { return m_str.c_str(); }
    operator const char*() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }
    std::string& str() { return m_str; }

    char GetAt(int i) const;
    char operator[](int i) const { return GetAt(i); }
    void SetAt(int i, char ch);

    // printf formats; returns the formatted string as well.
    void Format(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* fmt, va_list args);
    void AppendFormat(const char* fmt, ...) __attribute__((format(printf, 2, 3)));

    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;

    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* chars) const;
    int Replace(const char* oldText, const char* newText);
    int Replace(char oldCh, char newCh);
    int Remove(char ch);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);

    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim(const char* chars);
    CString& TrimLeft(const char* chars);
    CString& TrimRight(const char* chars);
    CString& MakeUpper();
    CString& MakeLower();

    int Compare(const char* s) const;
    int CompareNoCase(const char* s) const;

    CString& operator=(const char* s) {
        m_str = s ? s : "";
        return *this;
    }
    CString& operator+=(const CString& s) {
        m_str += s.m_str;
        return *this;
    }
    CString& operator+=(const char* s) {
        if (s)
            m_str += s;
        return *this;
    }
    CString& operator+=(char ch) {
        m_str += ch;
        return *this;
    }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_str + (b ? b : "")); }
    friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_str); }
    friend CString operator+(const CString& a, char b) { return CString(a.m_str + b); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const char* b) { return a.m_str == (b ? b : ""); }
    friend std::strong_ordering operator<=>(const CString& a, const CString& b) {
        return a.m_str <=> b.m_str;
    }

private:
    std::string m_str;
};
