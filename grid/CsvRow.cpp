#include "grid/CsvRow.h"

#include "grid/CsvTable.h"

size_t CCsvRow::size() const {
    return m_table->FieldCount(m_line);
}

std::string_view CCsvRow::operator[](size_t field) const {
    return m_table->Field(m_line, field);
}
