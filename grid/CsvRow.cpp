#include "grid/CsvRow.h"

#include <algorithm>
#include <ostream>

CCsvRow::CCsvRow(std::initializer_list<CString> fields) {
    for (const CString& f : fields)
        Append(f.str());
}

void CCsvRow::Append(std::string_view field) {
    m_text += field;
    m_ends.push_back(static_cast<uint32_t>(m_text.size()));
}

void CCsvRow::Assign(std::string_view text, bool keepEmptyLast) {
    m_text.clear();
    m_ends.clear();
    m_ends.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), ',')) + 1);
    m_text.reserve(text.size());
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        if (comma == std::string_view::npos)
            break;
        Append(text.substr(start, comma - start));
        start = comma + 1;
    }
    if (keepEmptyLast || start < text.size())
        Append(text.substr(start));
}

std::string_view CCsvRow::operator[](size_t i) const {
    const size_t begin = i == 0 ? 0 : m_ends[i - 1];
    return std::string_view(m_text).substr(begin, m_ends[i] - begin);
}

bool CCsvRow::operator==(const CCsvRow& other) const {
    return m_ends == other.m_ends && m_text == other.m_text;
}

void PrintTo(const CCsvRow& row, std::ostream* os) {
    *os << '{';
    for (size_t i = 0; i < row.size(); ++i)
        *os << (i ? ", \"" : "\"") << row[i] << '"';
    *os << '}';
}
