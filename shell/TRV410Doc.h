// The document: owns the channel data of the main view and makes it the link's document.
#pragma once

#include "model/KTV_Data.h"

class CTRV410Doc {
public:
    CTRV410Doc();
    ~CTRV410Doc();
    CTRV410Doc(const CTRV410Doc&) = delete;
    CTRV410Doc& operator=(const CTRV410Doc&) = delete;

    CKTV_Data& GetData() { return m_data; }

private:
    CKTV_Data m_data;
};
