#include "model/ViewServices.h"

#include <atomic>

namespace {
CViewServices g_noViewServices;
std::atomic<CViewServices*> g_pViewServices{nullptr};
} // namespace

CViewServices& ViewServices() {
    CViewServices* p = g_pViewServices.load(std::memory_order_acquire);
    return p ? *p : g_noViewServices;
}

void SetViewServices(CViewServices* services) {
    g_pViewServices.store(services, std::memory_order_release);
}
