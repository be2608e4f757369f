// Gives a test process runtime, settings and temporary folders of its own, below the ones its
// environment names, so cases run in parallel never share the register of held device paths, the
// registry file or a scratch file named alike (testing::TempDir()).
#pragma once

#include <string>
#include <vector>

namespace r9test {

class TestFolders {
public:
    // Makes a fresh folder below $XDG_RUNTIME_DIR, $XDG_CONFIG_HOME and $TMPDIR each (the temporary
    // folder for an unset variable) and points the variables at them; TEST_TMPDIR too.
    TestFolders();
    // Removes both folders.
    ~TestFolders();
    TestFolders(const TestFolders&) = delete;
    TestFolders& operator=(const TestFolders&) = delete;

private:
    std::vector<std::string> m_made;
};

} // namespace r9test
