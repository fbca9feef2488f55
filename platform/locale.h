// The user's languages.
#pragma once

#include <windows.h>

namespace platform::locale {

LANGID GetUserDefaultUILanguage();

}  // namespace platform::locale
