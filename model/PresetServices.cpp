#include "model/PresetServices.h"

#include <atomic>

namespace {
CPresetServices g_noPresetServices;
std::atomic<CPresetServices*> g_pPresetServices{nullptr};
} // namespace

CPresetServices& PresetServices() {
    CPresetServices* p = g_pPresetServices.load(std::memory_order_acquire);
    return p ? *p : g_noPresetServices;
}

void SetPresetServices(CPresetServices* services) {
    g_pPresetServices.store(services, std::memory_order_release);
}
