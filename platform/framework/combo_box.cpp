#include "platform/framework/combo_box.h"

namespace framework {

std::wstring CComboBox::GetLBText(int index) const {
  const LRESULT length = ::SendMessageW(m_hWnd, CB_GETLBTEXTLEN, index, 0);
  if (index < 0 || length == CB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied = ::SendMessageW(m_hWnd, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
  return text;
}

}  // namespace framework
