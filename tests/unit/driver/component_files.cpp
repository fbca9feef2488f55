#include "tests/unit/driver/component_files.h"

namespace test {

std::wstring ComponentPath(const std::wstring& packageName) {
  return std::wstring(DRIVER_COMPONENTS_DIR) + L"/" + packageName + DRIVER_COMPONENT_SUFFIX;
}

}  // namespace test
