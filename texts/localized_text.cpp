#include "texts/localized_text.h"

namespace texts {

std::optional<std::wstring> Wording::Text() const {
  switch (m_source) {
    case Source::Words: return std::wstring(m_words);
    case Source::TextIni: return LookUpCaption(m_key);
    case Source::None: break;
  }
  return std::nullopt;
}

std::wstring Wording::TextOrEmpty() const { return Text().value_or(std::wstring()); }

}  // namespace texts
