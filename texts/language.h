// The wizard's language. The application object decides it once at start-up (its LanguageId) and
// hands it down as a value; whatever differs by language is a ByLanguage value, read with Pick.
// Portable: the vendor's check tool measures page texts by language too.
#pragma once

namespace texts {

// Values of LanguageId.
inline constexpr int kEnglish = 0;
inline constexpr int kChinese = 1;
inline constexpr int kRussian = 2;

// One value for each language.
template <typename T>
struct ByLanguage {
  T english;
  T chinese;
  T russian;
};

// The value of a LanguageId; an id of no language takes English's.
template <typename T>
constexpr const T& Pick(const ByLanguage<T>& values, int languageId) {
  switch (languageId) {
    case kChinese: return values.chinese;
    case kRussian: return values.russian;
    default: return values.english;
  }
}

}  // namespace texts
