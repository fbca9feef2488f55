#include "platform/fault_injection.h"

#include <mutex>
#include <string>
#include <vector>

namespace platform {
namespace {

struct Fault {
  std::string call;
  DWORD error;
  int skip;
  int times;
};

std::mutex g_lock;
std::vector<Fault> g_faults;

}  // namespace

void InjectFault(const char* call, DWORD error, int skip, int times) {
  std::lock_guard<std::mutex> guard(g_lock);
  g_faults.push_back({call, error, skip, times});
}

void ClearFaults() {
  std::lock_guard<std::mutex> guard(g_lock);
  g_faults.clear();
}

bool TakeInjectedFault(const char* call) {
  std::lock_guard<std::mutex> guard(g_lock);
  for (Fault& fault : g_faults) {
    if (fault.call != call || fault.times == 0) continue;
    if (fault.skip > 0) {
      --fault.skip;
      return false;
    }
    if (fault.times > 0) --fault.times;
    SetLastError(fault.error);
    return true;
  }
  return false;
}

}  // namespace platform
