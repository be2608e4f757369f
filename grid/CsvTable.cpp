#include "grid/CsvTable.h"

#include <algorithm>
#include <utility>

bool CCsvTable::Parse(std::string text) {
    m_fieldStart.clear();
    m_lineFirst.assign(1, 0);
    m_lineEnd.clear();
    if (text.size() > kMaxText) {
        m_text.clear();
        return false;
    }
    m_text = std::move(text);
    const std::string_view t(m_text);
    const size_t lines = static_cast<size_t>(std::count(t.begin(), t.end(), '\n')) + 1;
    m_lineEnd.reserve(lines);
    m_lineFirst.reserve(lines + 1);
    m_fieldStart.reserve(lines + static_cast<size_t>(std::count(t.begin(), t.end(), ',')));
    size_t start = 0;
    while (start < t.size()) {
        const size_t nl = t.find('\n', start);
        const bool hadLineEnd = nl != std::string_view::npos;
        size_t end = hadLineEnd ? nl : t.size();
        if (hadLineEnd && end > start && t[end - 1] == '\r')
            --end;
        const std::string_view line = t.substr(0, end); // no search runs past the line
        size_t field = start;
        for (;;) {
            const size_t comma = line.find(',', field);
            if (comma == std::string_view::npos)
                break;
            m_fieldStart.push_back(static_cast<uint32_t>(field));
            field = comma + 1;
        }
        // The last field ends at the line end; without one, an empty rest is no field.
        if (hadLineEnd || field < end) {
            m_fieldStart.push_back(static_cast<uint32_t>(field));
            m_lineEnd.push_back(static_cast<uint32_t>(end));
        } else {
            // The line's fields all ended in commas: the last one ends before the final comma.
            m_lineEnd.push_back(static_cast<uint32_t>(end - 1));
        }
        m_lineFirst.push_back(static_cast<uint32_t>(m_fieldStart.size()));
        start = hadLineEnd ? nl + 1 : t.size();
    }
    return true;
}

std::string_view CCsvTable::Field(size_t line, size_t field) const {
    const size_t k = m_lineFirst[line] + field;
    const size_t begin = m_fieldStart[k];
    // A field ends at the next field's comma, the last one at the line's end.
    const size_t end = k + 1 < m_lineFirst[line + 1] ? m_fieldStart[k + 1] - 1 : m_lineEnd[line];
    return std::string_view(m_text).substr(begin, end - begin);
}
