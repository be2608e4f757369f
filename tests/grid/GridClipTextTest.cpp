#include "grid/GridClipText.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

namespace {

TEST(GridClipText, CopyTextMarksSelectedEmptyCellsAndSkipsUnselected) {
    std::map<std::pair<int, int>, CString> texts = {{{1, 1}, "A"}, {{1, 2}, "B"}, {{2, 1}, "C"}};
    std::set<std::pair<int, int>> selected = {{1, 1}, {2, 2}};
    auto isSelected = [&](int r, int c) { return selected.count({r, c}) > 0; };
    auto textOf = [&](int r, int c) {
        auto it = texts.find({r, c});
        return it == texts.end() ? CString() : it->second;
    };
    EXPECT_EQ(CGridClipText::Build(1, 1, 2, 2, isSelected, textOf), CString("A\t\n\t "));

    selected = {{1, 1}, {1, 2}, {2, 1}};
    EXPECT_EQ(CGridClipText::Build(1, 1, 2, 2, isSelected, textOf), CString("A\tB\nC\t"));
    EXPECT_EQ(CGridClipText::Build(1, 2, 1, 2, isSelected, textOf), CString("B"));
}

TEST(GridClipText, PasteTokensPerLine) {
    using Lines = std::vector<std::vector<CString>>;
    struct Case {
        const char* text;
        Lines lines;
    };
    const Case cases[] = {
        {"x,y\nz", {{"x", "y"}, {"z"}}},
        {"a,,b", {{"a", "b"}}},                    // runs of separators collapse
        {"a\t\t,b\r\nc\r\n", {{"a", "b"}, {"c"}}}, // CR goes with the trimmed white space
        {"  p  \t q ", {{"p", "q"}}},
        {"\nz", {{""}, {"z"}}}, // an empty line still empties its first cell
        {"a\n", {{"a"}}},
        {",\t,", {{}}},
        {"", {}},
        {"A\t\n\t ", {{"A"}, {""}}}, // a copy text comes back without its empty fields
    };
    for (const Case& c : cases)
        EXPECT_EQ(CGridClipText::ParsePaste(c.text), c.lines) << c.text;
}

} // namespace
