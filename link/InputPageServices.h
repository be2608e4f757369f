// What the device link uses of the input page and the level page. The pages
// install their implementation; until then (and in tests without pages) a no-op
// stands in.
#pragma once

class CInputPageServices {
public:
    virtual ~CInputPageServices() = default;
    // Input page: the images of the input-source button for the current source
    // and language.
    virtual void UpdateSourceButton() {}
    // Input page: reloads the current input's visible bands, bypass and mode
    // buttons and curve.
    virtual void RefreshChannel() {}
    // Level page: turns off every lamp of the eight output level meters.
    virtual void ClearOutputMeters() {}
};

// The installed pages, or the no-op.
CInputPageServices& InputPageServices();
// nullptr restores the no-op. The object must outlive its installation.
void SetInputPageServices(CInputPageServices* services);
