// Reads printed PDFs and written workbooks back with the system's tools (poppler-utils, unzip):
// page counts, document titles, page texts and the cells of a sheet.
#pragma once

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <regex>
#include <utility>
#include <vector>
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

inline std::string Unescape(std::string s) {
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [from, to] : entities)
        for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + std::strlen(to)))
            s.replace(at, std::strlen(from), to);
    return s;
}

// A member of a zip archive (the parts of an .xlsx).
inline std::string ZipPart(const std::string& path, const std::string& part) {
    return Run("unzip -p " + Quote(path) + " " + Quote(part) + " 2>/dev/null");
}

// The text cells of the first sheet by reference ("A1" -> text), shared strings resolved.
inline std::map<std::string, std::string> XlsxCells(const std::string& path) {
    std::vector<std::string> shared;
    const std::string strings = ZipPart(path, "xl/sharedStrings.xml");
    static const std::regex si("<si>(.*?)</si>");
    static const std::regex t("<t[^>]*>([^<]*)</t>");
    for (auto it = std::sregex_iterator(strings.begin(), strings.end(), si); it != std::sregex_iterator();
         ++it) {
        const std::string item = (*it)[1];
        std::string text;
        for (auto jt = std::sregex_iterator(item.begin(), item.end(), t); jt != std::sregex_iterator(); ++jt)
            text += Unescape((*jt)[1]);
        shared.push_back(text);
    }
    std::map<std::string, std::string> cells;
    const std::string sheet = ZipPart(path, "xl/worksheets/sheet1.xml");
    static const std::regex cell("<c r=\"([A-Z]+[0-9]+)\"([^>]*)>(.*?)</c>");
    static const std::regex value("<v>([^<]*)</v>");
    for (auto it = std::sregex_iterator(sheet.begin(), sheet.end(), cell); it != std::sregex_iterator();
         ++it) {
        const std::string attrs = (*it)[2], body = (*it)[3];
        std::smatch v;
        if (attrs.find("t=\"s\"") == std::string::npos || !std::regex_search(body, v, value))
            continue;
        const size_t index = std::stoul(v[1]);
        cells[(*it)[1]] = index < shared.size() ? shared[index] : "?";
    }
    return cells;
}

// "A1" style reference of a zero-based row and column.
inline std::string CellRef(int row, int column) {
    std::string letters;
    for (int c = column + 1; c > 0; c = (c - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    return letters + std::to_string(row + 1);
}

// Copies a produced file to the build's test-out folder, for looking at.
inline void KeepInTestOut(const std::string& path, const std::string& name) {
    if (const char* out = std::getenv("R9_TEST_OUT"))
        std::filesystem::copy_file(path, std::string(out) + "/" + name,
                                   std::filesystem::copy_options::overwrite_existing);
}

} // namespace reporttest
