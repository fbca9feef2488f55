#include "package/progress_position.h"

#include <algorithm>

namespace package {

ProgressCounter::ProgressCounter(uint64_t total, ProgressTarget* target)
    : m_total(total), m_target(total > 0 ? target : nullptr) {
  Consume(0);
}

void ProgressCounter::Consume(uint64_t storedBytes) {
  m_consumed += storedBytes;
  if (m_target == nullptr) return;
  const auto position = static_cast<int32_t>(std::min(m_consumed, m_total) * 100 / m_total);
  if (position <= m_shown) return;
  m_shown = position;
  m_target->ShowProgressPosition(position);
}

}  // namespace package
