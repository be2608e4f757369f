// CToolkitTranslator: the toolkit's own texts (the standard file, print and message dialogs) in
// the user-interface language. The toolkit ships them in English; the Chinese ones come from its
// translation catalogue (Debian qt6-translations-l10n), loaded while the language is Chinese. The
// toolkit's default locale (sizes, dates, file types) follows the language too.
#pragma once

#include "platform/core/WinTypes.h"

class CToolkitTranslator {
public:
    // Installs the Chinese catalogue or removes it; TRUE when the toolkit now speaks the
    // language (FALSE when the catalogue is not installed or there is no application yet).
    static BOOL Apply(BOOL chinese);
    static BOOL IsChineseLoaded();
};
