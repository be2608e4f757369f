#include "platform/ui/PrintInfo.h"

CPrintInfo::CPrintInfo()
    : m_pPD(std::make_unique<CPrintDialog>(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)) {}

CPrintInfo::~CPrintInfo() = default;
