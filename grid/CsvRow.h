// The fields of one CSV line, stored flat: the line's text once and where each field ends, so a
// line costs two allocations however many fields it has.
#pragma once

#include "platform/core/String.h"

#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

class CCsvRow {
public:
    CCsvRow() = default;
    CCsvRow(std::initializer_list<CString> fields);

    // Appends one field; its text must not hold a comma to round-trip through a file.
    void Append(std::string_view field);
    // Replaces the row with the fields of text split at every comma; an empty last field is dropped
    // when keepEmptyLast is false.
    void Assign(std::string_view text, bool keepEmptyLast);

    size_t size() const { return m_ends.size(); }
    bool empty() const { return m_ends.empty(); }
    std::string_view operator[](size_t i) const;
    std::string_view front() const { return (*this)[0]; }

    bool operator==(const CCsvRow& other) const;

private:
    std::string m_text;           // the fields one after another, without separators
    std::vector<uint32_t> m_ends; // the end of each field in m_text
};

// Readable failure messages in tests.
void PrintTo(const CCsvRow& row, std::ostream* os);
