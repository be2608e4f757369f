#include "link/LinkViewServices.h"

namespace {
CLinkViewServices g_defaultServices;
std::atomic<CLinkViewServices*> g_pServices{nullptr};
} // namespace

CLinkViewServices& LinkViewServices() {
    CLinkViewServices* services = g_pServices.load();
    return services ? *services : g_defaultServices;
}

void SetLinkViewServices(CLinkViewServices* services) {
    g_pServices.store(services);
}
