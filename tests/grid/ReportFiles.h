// Reads printed PDFs and written workbooks back with the system's tools (poppler-utils, unzip):
// page counts, document titles, page texts and the cells of a sheet.
#pragma once

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace reporttest {

inline std::string Quote(const std::string& s) {
    std::string out = "'";
    for (char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Standard output of a shell command.
inline std::string Run(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return out;
    std::array<char, 4096> buffer{};
    size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        out.append(buffer.data(), n);
    pclose(pipe);
    return out;
}

// A field of pdfinfo ("Pages", "Title").
inline std::string PdfInfo(const std::string& path, const std::string& field) {
    const std::string info = Run("pdfinfo " + Quote(path) + " 2>/dev/null");
    const std::string key = "\n" + field + ":";
    size_t at = ("\n" + info).find(key);
    if (at == std::string::npos)
        return {};
    at += key.size() - 1;
    const size_t end = info.find('\n', at);
    std::string value = info.substr(at, end == std::string::npos ? std::string::npos : end - at);
    value.erase(0, value.find_first_not_of(' '));
    return value;
}

inline int PdfPages(const std::string& path) {
    const std::string pages = PdfInfo(path, "Pages");
    return pages.empty() ? 0 : std::stoi(pages);
}

// Text of one page (1-based), or of every page with 0.
inline std::string PdfText(const std::string& path, int page = 0) {
    std::string range = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
    return Run("pdftotext -layout" + range + " " + Quote(path) + " - 2>/dev/null");
}

// Copies a produced file to the build's test-out folder, for looking at.
inline void KeepInTestOut(const std::string& path, const std::string& name) {
    if (const char* out = std::getenv("R9_TEST_OUT"))
        std::filesystem::copy_file(path, std::string(out) + "/" + name,
                                   std::filesystem::copy_options::overwrite_existing);
}

} // namespace reporttest
