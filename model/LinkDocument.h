// What the device link uses of the document model: the send scheduler and the loaders. The
// document installs its implementation; the defaults stand in until then (and in tests).
#pragma once

#include "platform/core/WinTypes.h"
#include "wire/SendData.h"

#include <memory>

class CLinkDocument {
public:
    virtual ~CLinkDocument() = default;
    // The next pending change as a frame, or the idle poll. Link worker, g_linkLock held: it may
    // only build, never wait. The default builds the idle poll.
    virtual std::unique_ptr<CSendData> BuildNextChangeFrame();
    // FALSE: clears the change marks (the connect sequence starts from a clean model).
    virtual void SetAllChanged(BOOL /*changed*/) {}
    // Gives the output curves the graph rectangle.
    virtual void SetOutCurveRect() {}
    // Loads the channel objects from g_curImage after a live read of preset p.
    virtual void LoadFromImage(int /*preset*/) {}
    // Loads the live effect record into the effect object.
    virtual void LoadEffect() {}
};

// The installed document, or the default.
CLinkDocument& LinkDocument();
// nullptr restores the default. The object must outlive its installation.
void SetLinkDocument(CLinkDocument* document);
