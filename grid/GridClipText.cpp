#include "grid/GridClipText.h"

#include <string_view>

CString CGridClipText::Build(int minRow, int minColumn, int maxRow, int maxColumn, const IsSelected& selected,
                             const TextOf& text) {
    std::string out;
    for (int row = minRow; row <= maxRow; ++row) {
        if (row > minRow)
            out += '\n';
        for (int column = minColumn; column <= maxColumn; ++column) {
            if (column > minColumn)
                out += '\t';
            if (!selected(row, column))
                continue;
            const CString cell = text(row, column);
            out += cell.IsEmpty() ? std::string(" ") : cell.str();
        }
    }
    return CString(std::move(out));
}

std::vector<std::vector<CString>> CGridClipText::ParsePaste(const CString& text) {
    std::vector<std::vector<CString>> lines;
    std::string_view rest(text.str());
    while (!rest.empty()) {
        const size_t nl = rest.find('\n');
        std::string_view line = rest.substr(0, nl);
        rest = nl == std::string_view::npos ? std::string_view() : rest.substr(nl + 1);
        // An empty line before a newline still reaches its first cell, which it empties.
        if (line.empty() && nl != std::string_view::npos)
            line = " ";
        std::vector<CString> tokens;
        size_t pos = 0;
        while (pos < line.size()) {
            const size_t begin = line.find_first_not_of("\t,\n", pos);
            if (begin == std::string_view::npos)
                break;
            const size_t end = line.find_first_of("\t,\n", begin);
            CString token(
                line.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin));
            tokens.push_back(token.Trim());
            pos = end == std::string_view::npos ? line.size() : end;
        }
        lines.push_back(std::move(tokens));
    }
    return lines;
}
