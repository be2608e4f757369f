#include "link/OutputPageServices.h"

#include <atomic>

namespace {
COutputPageServices g_noOutputPage;
std::atomic<COutputPageServices*> g_pOutputPage{nullptr};
} // namespace

COutputPageServices& OutputPageServices() {
    COutputPageServices* p = g_pOutputPage.load(std::memory_order_acquire);
    return p ? *p : g_noOutputPage;
}

void SetOutputPageServices(COutputPageServices* services) {
    g_pOutputPage.store(services, std::memory_order_release);
}
