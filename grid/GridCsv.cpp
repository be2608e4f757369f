#include "grid/GridCsv.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <utility>

namespace {

CString Reason(const char* what, const char* path) {
    CString s;
    s.Format("%s %s: %s", what, path, std::strerror(errno));
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
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        if (error)
            *error = Reason("Cannot create", path);
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
        out.write(line.data(), static_cast<std::streamsize>(line.size()));
    }
    out.flush();
    if (!out) {
        if (error)
            *error = Reason("Cannot write", path);
        return false;
    }
    return true;
}

bool CGridCsv::Read(const char* path, CCsvTable& lines, CString* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error)
            *error = Reason("Cannot open", path);
        return false;
    }
    std::string text;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size > 0) {
        text.resize(static_cast<size_t>(size));
        in.read(text.data(), size);
    }
    if (in.bad() || (size > 0 && in.gcount() != size)) {
        if (error)
            *error = Reason("Cannot read", path);
        return false;
    }
    if (!lines.Parse(std::move(text))) {
        if (error)
            error->Format("Cannot read %s: larger than a table holds", path);
        return false;
    }
    return true;
}
