#include "grid/GridCsv.h"

#include "platform/core/AtomicFile.h"
#include "platform/core/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

namespace {

CString Reason(const char* what, const char* path, int error) {
    CString s;
    s.Format("%s %s: %s", what, path, error == EINVAL ? "Not a regular file" : std::strerror(error));
    return s;
}

CGridCsv::Reporter& TheReporter() {
    static CGridCsv::Reporter reporter;
    return reporter;
}

} // namespace

void CGridCsv::SetReporter(Reporter reporter) {
    TheReporter() = std::move(reporter);
}

void CGridCsv::Report(const CString& message) {
    if (TheReporter())
        TheReporter()(message);
}

bool CGridCsv::Write(const char* path, int rows, int columns, const TextOf& text, CString* error) {
    // Written beside the target and renamed over it: a full disk keeps the old file whole.
    CAtomicFile out(path ? path : "");
    if (!out.Open()) {
        if (error)
            *error = Reason("Cannot create", path, out.Error());
        return false;
    }
    std::string line;
    for (int row = 0; row < rows; ++row) {
        line.clear();
        for (int column = 0; column < columns; ++column) {
            if (column > 0)
                line += ',';
            line += text(row, column).str();
        }
        line += '\n';
        if (!out.Write(line))
            break;
    }
    if (!out.Commit()) {
        if (error)
            *error = Reason("Cannot write", path, out.Error());
        return false;
    }
    return true;
}

CGridCsv::Row CGridCsv::SplitLine(std::string_view line, bool hadLineEnd) {
    Row fields;
    fields.reserve(static_cast<size_t>(std::count(line.begin(), line.end(), ',')) + 1);
    size_t start = 0;
    for (;;) {
        const size_t comma = line.find(',', start);
        if (comma == std::string_view::npos)
            break;
        fields.emplace_back(line.substr(start, comma - start));
        start = comma + 1;
    }
    // The last field ends at the line end; without one, an empty rest is no field.
    if (hadLineEnd || start < line.size())
        fields.emplace_back(line.substr(start));
    return fields;
}

std::vector<CGridCsv::Row> CGridCsv::Parse(std::string_view text) {
    std::vector<Row> lines;
    lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    size_t start = 0;
    while (start < text.size()) {
        const size_t nl = text.find('\n', start);
        const bool hadLineEnd = nl != std::string_view::npos;
        std::string_view line = text.substr(start, hadLineEnd ? nl - start : std::string_view::npos);
        if (hadLineEnd && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(SplitLine(line, hadLineEnd));
        start = hadLineEnd ? nl + 1 : text.size();
    }
    return lines;
}

bool CGridCsv::Read(const char* path, std::vector<Row>& lines, CString* error) {
    // A folder or a FIFO is refused, never read as an endless or impossible file.
    std::string text;
    int why = 0;
    if (!CRegularFile::Read(path ? path : "", text, text.max_size(), &why)) {
        if (error)
            *error = Reason(why == ENOENT || why == EACCES ? "Cannot open" : "Cannot read", path, why);
        return false;
    }
    lines = Parse(text);
    return true;
}
