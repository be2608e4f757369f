#include "grid/GridCsv.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

std::string TempPath(const char* name) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir ? dir : "/tmp") + "/" + name + "-" + std::to_string(getpid());
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

using Lines = std::vector<std::vector<std::string>>;

// The table's fields as plain strings, for comparison.
Lines Texts(const CCsvTable& table) {
    Lines lines;
    for (size_t i = 0; i < table.size(); ++i) {
        std::vector<std::string> fields;
        for (size_t k = 0; k < table[i].size(); ++k)
            fields.emplace_back(table[i][k]);
        lines.push_back(std::move(fields));
    }
    return lines;
}

void Spit(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(GridCsv, WritesRowsWithNewlinesAndReadsThemBack) {
    const std::string path = TempPath("grid3x2.csv");
    const CString cells[3][2] = {{"No.", "Name"}, {"1", "Rock"}, {"2", "\xE4\xB8\xAD"}};
    ASSERT_TRUE(CGridCsv::Write(path.c_str(), 3, 2, [&](int r, int c) { return cells[r][c]; }));
    EXPECT_EQ(Slurp(path), "No.,Name\n1,Rock\n2,\xE4\xB8\xAD\n");

    CCsvTable lines;
    ASSERT_TRUE(CGridCsv::Read(path.c_str(), lines));
    ASSERT_EQ(lines.size(), 3u);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(Texts(lines)[static_cast<size_t>(r)],
                  (std::vector<std::string>{cells[r][0].str(), cells[r][1].str()}));
    std::remove(path.c_str());
}

TEST(GridCsv, LinesSplitIntoFields) {
    struct Case {
        const char* text;
        Lines lines;
    };
    const Case cases[] = {
        {",,\n", {{"", "", ""}}},
        {"a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}}, // CR LF from another system
        {"a,b\nc,", {{"a", "b"}, {"c"}}},             // an empty last field without line end is none
        {"a,b\nc,\n", {{"a", "b"}, {"c", ""}}},
        {"\nx\n", {{""}, {"x"}}},
        {"", {}},
        {"a b , c\n", {{"a b ", " c"}}}, // no trimming, no quoting
        {"\"a,b\"\n", {{"\"a", "b\""}}},
        {"abc\ndef", {{"abc"}, {"def"}}}, // lines without commas
        {"a,\r\n,b", {{"a", ""}, {"", "b"}}},
    };
    for (const Case& c : cases) {
        CCsvTable table;
        ASSERT_TRUE(table.Parse(c.text));
        EXPECT_EQ(Texts(table), c.lines) << c.text;
    }
}

TEST(GridCsv, LongLinesStayWhole) {
    const std::string path = TempPath("long.csv");
    const std::string longField(5000, 'x');
    Spit(path, "h1,h2\n" + longField + ",y\nz,w\n");
    CCsvTable lines;
    ASSERT_TRUE(CGridCsv::Read(path.c_str(), lines));
    ASSERT_EQ(Texts(lines), (Lines{{"h1", "h2"}, {longField, "y"}, {"z", "w"}}));
    std::remove(path.c_str());
}

TEST(GridCsv, FailuresAreReportedWithTheirReason) {
    CString error;
    CCsvTable lines;
    EXPECT_FALSE(CGridCsv::Read("/nonexistent-dir/none.csv", lines, &error));
    EXPECT_NE(error.Find("/nonexistent-dir/none.csv"), -1);
    error.Empty();
    EXPECT_FALSE(CGridCsv::Write(
        "/nonexistent-dir/out.csv", 1, 1, [](int, int) { return CString("a"); }, &error));
    EXPECT_FALSE(error.IsEmpty());
}

} // namespace
