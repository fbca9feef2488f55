#include "platform/locale.h"

namespace platform::locale {

LANGID GetUserDefaultUILanguage() { return ::GetUserDefaultUILanguage(); }

}  // namespace platform::locale
