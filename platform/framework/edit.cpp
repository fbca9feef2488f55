#include "platform/framework/edit.h"

namespace framework {

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CreateEx(0, L"EDIT", L"", style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                  parent != nullptr ? parent->GetSafeHwnd() : nullptr, id);
}

}  // namespace framework
