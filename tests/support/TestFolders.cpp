#include "support/TestFolders.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace r9test {

namespace {

// A fresh mode-700 folder below the variable's folder, or below the temporary folder.
std::string MakeBelow(const char* variable) {
    std::error_code ec;
    const char* base = std::getenv(variable);
    std::filesystem::path parent =
        base && *base == '/' ? std::filesystem::path(base) : std::filesystem::temp_directory_path(ec);
    std::filesystem::create_directories(parent, ec);
    std::string templ = (parent / "case-XXXXXX").string();
    if (!::mkdtemp(templ.data())) {
        std::perror(templ.c_str());
        std::abort();
    }
    ::setenv(variable, templ.c_str(), 1);
    return templ;
}

} // namespace

TestFolders::TestFolders() {
    m_made.push_back(MakeBelow("XDG_RUNTIME_DIR"));
    m_made.push_back(MakeBelow("XDG_CONFIG_HOME"));
    m_made.push_back(MakeBelow("TMPDIR"));
    ::setenv("TEST_TMPDIR", m_made.back().c_str(), 1);
}

TestFolders::~TestFolders() {
    std::error_code ec;
    for (auto dir = m_made.rbegin(); dir != m_made.rend(); ++dir)
        std::filesystem::remove_all(*dir, ec);
}

} // namespace r9test
