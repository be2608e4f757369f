#include "link/InputPageServices.h"

#include <atomic>

namespace {
CInputPageServices g_noInputPages;
std::atomic<CInputPageServices*> g_pInputPages{nullptr};
} // namespace

CInputPageServices& InputPageServices() {
    CInputPageServices* p = g_pInputPages.load(std::memory_order_acquire);
    return p ? *p : g_noInputPages;
}

void SetInputPageServices(CInputPageServices* services) {
    g_pInputPages.store(services, std::memory_order_release);
}
