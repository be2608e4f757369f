// Comma-separated text of a grid: no quoting, "\n" after every row. The reader takes "\n" or "\r\n"
// line ends and lines of any length.
#pragma once

#include "grid/CsvTable.h"
#include "platform/core/String.h"

#include <functional>

class CGridCsv {
public:
    using TextOf = std::function<CString(int row, int column)>;

    // Writes rows x columns texts; false (with the reason in error) when the file cannot be written.
    static bool Write(const char* path, int rows, int columns, const TextOf& text, CString* error = nullptr);
    // Reads every line of the file as its fields; false (with the reason) when it cannot be read.
    static bool Read(const char* path, CCsvTable& lines, CString* error = nullptr);

    // Where a failed Save or Load of a grid tells the user (the program installs its message
    // box); nothing is shown without one.
    using Reporter = std::function<void(const CString& message)>;
    static void SetReporter(Reporter reporter);
    static void Report(const CString& message);
};
