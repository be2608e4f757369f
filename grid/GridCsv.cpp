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

bool CGridCsv::Read(const char* path, CCsvTable& lines, CString* error) {
    // A folder or a FIFO is refused, never read as an endless or impossible file.
    std::string text;
    int why = 0;
    if (!CRegularFile::Read(path ? path : "", text, CCsvTable::kMaxText, &why)) {
        if (error)
            *error = Reason(why == ENOENT || why == EACCES ? "Cannot open" : "Cannot read", path, why);
        return false;
    }
    if (!lines.Parse(std::move(text))) {
        if (error)
            error->Format("Cannot read %s: larger than a table holds", path);
        return false;
    }
    return true;
}
