// The wizard language. It belongs to the application object (its LanguageId, written once at
// start-up before the dialog exists); every layer that shows or writes language-dependent text
// reads it here, so that none of them needs the application.
#pragma once

namespace texts {

// Values of LanguageId.
constexpr int kEnglish = 0;
constexpr int kChinese = 1;
constexpr int kRussian = 2;

// The application object names its LanguageId here for its lifetime (nullptr when it ends).
void SetLanguageSource(const int* languageId);

// The wizard language of the running application (English when there is none, as in tests).
int CurrentLanguageId();

}  // namespace texts
