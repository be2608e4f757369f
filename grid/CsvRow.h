// One line of a CSV table: a view of its fields in the table's text, valid while the table lives.
#pragma once

#include <cstddef>
#include <string_view>

class CCsvTable;

class CCsvRow {
public:
    CCsvRow(const CCsvTable& table, size_t line) : m_table(&table), m_line(line) {}

    size_t size() const;
    bool empty() const { return size() == 0; }
    std::string_view operator[](size_t field) const;
    std::string_view front() const { return (*this)[0]; }

private:
    const CCsvTable* m_table;
    size_t m_line;
};
