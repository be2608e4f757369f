#include "platform/core/String.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <strings.h>

namespace {
int clampIndex(int i, int len) {
    return std::clamp(i, 0, len);
}
bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
} // namespace

char CString::GetAt(int i) const {
    if (i < 0 || i >= GetLength())
        return '\0';
    return m_str[static_cast<size_t>(i)];
}

void CString::SetAt(int i, char ch) {
    if (i >= 0 && i < GetLength())
        m_str[static_cast<size_t>(i)] = ch;
}

void CString::FormatV(const char* fmt, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    if (n < 0) {
        m_str.clear();
        return;
    }
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), fmt, args);
    out.resize(static_cast<size_t>(n));
    m_str = std::move(out);
}

void CString::Format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    FormatV(fmt, args);
    va_end(args);
}

void CString::AppendFormat(const char* fmt, ...) {
    CString tail;
    va_list args;
    va_start(args, fmt);
    tail.FormatV(fmt, args);
    va_end(args);
    m_str += tail.m_str;
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    int len = GetLength();
    first = clampIndex(first, len);
    count = std::clamp(count, 0, len - first);
    return CString(m_str.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Left(int count) const {
    return Mid(0, count);
}

CString CString::Right(int count) const {
    int len = GetLength();
    count = std::clamp(count, 0, len);
    return Mid(len - count, count);
}

int CString::Find(char ch, int start) const {
    if (start < 0 || start >= GetLength())
        return -1;
    auto pos = m_str.find(ch, static_cast<size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const char* sub, int start) const {
    if (!sub || start < 0 || start > GetLength())
        return -1;
    auto pos = m_str.find(sub, static_cast<size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char ch) const {
    auto pos = m_str.rfind(ch);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(const char* chars) const {
    if (!chars)
        return -1;
    auto pos = m_str.find_first_of(chars);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Replace(const char* oldText, const char* newText) {
    if (!oldText || !*oldText)
        return 0;
    std::string repl = newText ? newText : "";
    size_t oldLen = std::strlen(oldText);
    int count = 0;
    size_t pos = 0;
    while ((pos = m_str.find(oldText, pos)) != std::string::npos) {
        m_str.replace(pos, oldLen, repl);
        pos += repl.size();
        ++count;
    }
    return count;
}

int CString::Replace(char oldCh, char newCh) {
    int count = 0;
    for (char& c : m_str) {
        if (c == oldCh) {
            c = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Remove(char ch) {
    auto before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
    return static_cast<int>(before - m_str.size());
}

int CString::Insert(int index, const char* text) {
    index = clampIndex(index, GetLength());
    if (text)
        m_str.insert(static_cast<size_t>(index), text);
    return GetLength();
}

int CString::Delete(int index, int count) {
    int len = GetLength();
    if (index >= 0 && index < len && count > 0)
        m_str.erase(static_cast<size_t>(index), static_cast<size_t>(std::min(count, len - index)));
    return GetLength();
}

CString& CString::TrimLeft() {
    size_t i = 0;
    while (i < m_str.size() && isSpace(m_str[i]))
        ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimRight() {
    while (!m_str.empty() && isSpace(m_str.back()))
        m_str.pop_back();
    return *this;
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}

CString& CString::TrimLeft(const char* chars) {
    auto pos = m_str.find_first_not_of(chars ? chars : "");
    m_str.erase(0, pos == std::string::npos ? m_str.size() : pos);
    return *this;
}

CString& CString::TrimRight(const char* chars) {
    auto pos = m_str.find_last_not_of(chars ? chars : "");
    m_str.erase(pos == std::string::npos ? 0 : pos + 1);
    return *this;
}

CString& CString::Trim(const char* chars) {
    return TrimRight(chars).TrimLeft(chars);
}

// ASCII only: multi-byte characters are left as they are, as the Windows ANSI form does.
CString& CString::MakeUpper() {
    for (char& c : m_str)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return *this;
}

CString& CString::MakeLower() {
    for (char& c : m_str)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return *this;
}

int CString::Compare(const char* s) const {
    int r = std::strcmp(m_str.c_str(), s ? s : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const char* s) const {
    int r = strcasecmp(m_str.c_str(), s ? s : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}
