// A built-in text in the three languages. Each language's form is data: its own words, a key of
// the package's Text.ini (whose caption replaces the key's fallback), or kNoText, where the
// dialog template's own text stays or nothing shows. The built-in tables hold only these, and
// Pick(text, languageId).Text() reads one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "texts/language.h"
#include "texts/text_ini.h"

namespace texts {

class Wording {
 public:
  enum class Source : uint8_t { Words, TextIni, None };

  // Implicit, so that a table lists words and keys as they stand. Words are arrays (literals),
  // never a pointer that could be null.
  template <size_t N>
  constexpr Wording(const wchar_t (&words)[N]) : m_source(Source::Words), m_words(words) {}
  constexpr Wording(const CaptionKey& key) : m_source(Source::TextIni), m_key(key) {}

  static constexpr Wording None() { return Wording(); }

  // The words, the Text.ini caption of the key, or nothing.
  std::optional<std::wstring> Text() const;
  // The same with nothing as an empty text.
  std::wstring TextOrEmpty() const;

  constexpr Source From() const { return m_source; }
  constexpr const wchar_t* Words() const { return m_words; }
  constexpr const CaptionKey& Key() const { return m_key; }

 private:
  constexpr Wording() = default;

  Source m_source = Source::None;
  const wchar_t* m_words = nullptr;
  CaptionKey m_key{nullptr, nullptr};
};

// The language has no text of its own here: the template's text stays, or nothing shows.
inline constexpr Wording kNoText = Wording::None();

using LocalizedText = ByLanguage<Wording>;

// Where Russian has no words of its own and shows the English ones.
constexpr LocalizedText RussianAsEnglish(Wording english, Wording chinese) { return {english, chinese, english}; }
// Where Russian shows the Chinese words, as the settings page's lists always have.
constexpr LocalizedText RussianAsChinese(Wording english, Wording chinese) { return {english, chinese, chinese}; }

// True when row i is keyed by the enumerator of value i, so that the key indexes the table.
template <typename Row, size_t N, typename Key>
constexpr bool InKeyOrder(const Row (&rows)[N], Key Row::*key) {
  for (size_t index = 0; index < N; ++index) {
    if (static_cast<size_t>(rows[index].*key) != index) return false;
  }
  return true;
}

}  // namespace texts
