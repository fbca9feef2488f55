#include "components/portmon/xcv_session.h"

#include <winspool.h>

#include "components/portmon/module_names.h"
#include "components/portmon/text.h"

namespace portmon {

DWORD XcvSession::Data(std::wstring_view command, const BYTE* input, DWORD inputSize, BYTE* output,
                       DWORD outputSize, DWORD* needed) const {
  if (needed) *needed = 0;
  if (command == L"MonitorUI") return CopyTextOut(UiDllNameFor(OwnModuleFileName()), output, outputSize, needed);
  if (command == L"DeletePort") {
    if (!(m_access & SERVER_ACCESS_ADMINISTER)) return ERROR_ACCESS_DENIED;
    return m_monitor.DeletePort(TextFromBytes(input, inputSize).c_str());
  }
  return ERROR_INVALID_PARAMETER;
}

}  // namespace portmon
