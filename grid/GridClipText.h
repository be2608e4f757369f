// The grid's clipboard text without a window: the copy text of a block of cells and the paste
// tokens of a text.
#pragma once

#include "platform/core/String.h"

#include <functional>
#include <vector>

class CGridClipText {
public:
    using IsSelected = std::function<bool(int row, int column)>;
    using TextOf = std::function<CString(int row, int column)>;

    // Rows joined by "\n", fields by "\t"; a selected empty cell gives " ", an unselected one nothing.
    static CString Build(int minRow, int minColumn, int maxRow, int maxColumn, const IsSelected& selected,
                         const TextOf& text);
    // The tokens of each line, trimmed: fields split at tab, comma and newline, runs of separators
    // counting as one. An empty line followed by a newline gives one empty token.
    static std::vector<std::vector<CString>> ParsePaste(const CString& text);
};
