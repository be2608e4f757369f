// The lines and fields of a CSV text, stored flat: the text once, where each field starts and
// where each line's fields begin and end. A 10 MB file costs a few allocations, not one per field.
#pragma once

#include "grid/CsvRow.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CCsvTable {
public:
    // The largest text a table indexes (its offsets are 32-bit).
    static constexpr size_t kMaxText = UINT32_MAX - 1;

    // Splits text into lines at "\n" (a "\r" before it is dropped) and each line at every comma, with
    // no quoting. A line that ends the text without a line end loses an empty last field. False
    // (and an empty table) when the text is larger than kMaxText.
    bool Parse(std::string text);

    size_t size() const { return m_lineEnd.size(); }
    bool empty() const { return m_lineEnd.empty(); }
    CCsvRow operator[](size_t line) const { return CCsvRow(*this, line); }
    CCsvRow front() const { return (*this)[0]; }

    size_t FieldCount(size_t line) const { return m_lineFirst[line + 1] - m_lineFirst[line]; }
    std::string_view Field(size_t line, size_t field) const;

private:
    std::string m_text;
    std::vector<uint32_t> m_fieldStart; // start of every field, line after line
    std::vector<uint32_t> m_lineFirst;  // index of each line's first field; one more at the end
    std::vector<uint32_t> m_lineEnd;    // end of each line's last field
};
