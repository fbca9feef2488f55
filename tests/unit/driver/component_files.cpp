#include "tests/unit/driver/component_files.h"

namespace test {

std::wstring ComponentPath(const std::wstring& package_name) {
  return std::wstring(DRIVER_COMPONENTS_DIR) + L"/" + package_name + DRIVER_COMPONENT_SUFFIX;
}

}  // namespace test
