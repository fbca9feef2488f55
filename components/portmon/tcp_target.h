// Raw TCP to a network printer (the "port 9100" protocol): the job's bytes and nothing else.
#pragma once

#include <memory>

#include "components/portmon/job_target.h"

namespace portmon {

// Connects at once, so that an unreachable printer fails StartDocPort, not a later write.
DWORD ConnectTcpTarget(const NetworkAddress& address, std::unique_ptr<JobTarget>& target);

}  // namespace portmon
