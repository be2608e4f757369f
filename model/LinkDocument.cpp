#include "model/LinkDocument.h"

#include "model/RecordFrames.h"

#include <atomic>

namespace {
CLinkDocument g_defaultDocument;
std::atomic<CLinkDocument*> g_pLinkDocument{nullptr};
} // namespace

std::unique_ptr<CSendData> CLinkDocument::BuildNextChangeFrame() {
    return BuildChunkFrame(GROUP_POLL, 0, 0);
}

CLinkDocument& LinkDocument() {
    CLinkDocument* doc = g_pLinkDocument.load();
    return doc ? *doc : g_defaultDocument;
}

void SetLinkDocument(CLinkDocument* document) {
    g_pLinkDocument.store(document);
}
