// The progress bar's one position for a whole staging, from the stored bytes consumed.
// Portable: the bar itself is the caller's.
#pragma once

#include <cstdint>

namespace package {

// Shows a progress position, 0 to 100.
class ProgressTarget {
 public:
  virtual ~ProgressTarget() = default;
  virtual void ShowProgressPosition(int32_t position) = 0;
};

// The one progress position of a whole walk: the stored bytes consumed so far against the sum of
// the entries' stored sizes, which is known before anything is inflated. It only moves forward,
// ends at exactly 100 when every entry is done, and is sent only when it changes (at most 101
// sends): each send repaints the bar on the user-interface thread.
class ProgressCounter {
 public:
  // Without a target or a total nothing is shown; with both, 0 is shown at once.
  explicit ProgressCounter(uint64_t total = 0, ProgressTarget* target = nullptr);
  void Consume(uint64_t storedBytes);
  uint64_t Consumed() const { return m_consumed; }

 private:
  uint64_t m_total;
  ProgressTarget* m_target;
  uint64_t m_consumed = 0;
  int32_t m_shown = -1;
};

}  // namespace package
