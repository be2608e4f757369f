// The offscreen application object for programs that hold no toolkit header of their own (the UI
// benchmarks): made before any window, with the process's own folders as the tests have them.
#pragma once

#include <memory>

namespace r9test {

class UiApplication {
public:
    UiApplication(int& argc, char** argv);
    ~UiApplication();
    UiApplication(const UiApplication&) = delete;
    UiApplication& operator=(const UiApplication&) = delete;

    // Runs the toolkit's pending events once (posted window messages included).
    static void ProcessEvents();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace r9test
