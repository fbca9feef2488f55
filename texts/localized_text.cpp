#include "texts/localized_text.h"

namespace texts {

std::optional<std::wstring> Wording::Text() const {
  if (m_words != nullptr) return std::wstring(m_words);
  if (m_key.key != nullptr) return LookUpCaption(m_key);
  return std::nullopt;
}

std::wstring Wording::TextOrEmpty() const { return Text().value_or(std::wstring()); }

}  // namespace texts
