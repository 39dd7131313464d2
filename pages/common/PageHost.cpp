#include "pages/common/PageHost.h"

namespace {
PageHost* g_pageHost = nullptr;
}

PageHost* GetPageHost() {
    return g_pageHost;
}

void SetPageHost(PageHost* host) {
    g_pageHost = host;
}
