#include "shell/TRV410Doc.h"

#include "model/LinkDocument.h"

CTRV410Doc::CTRV410Doc() {
    m_data.InitLinkTable();
    SetLinkDocument(&m_data);
}

CTRV410Doc::~CTRV410Doc() {
    // The channel data's own destructor takes itself out of the link.
}
