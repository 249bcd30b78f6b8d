#include "feed/run_feed.h"

namespace orvinda {

void RunFeed::publishRedraw(const MotionParameters& p, const Characteristics& c) {
  parameters_ = p;
  characteristics_ = c;
  Q_EMIT redrawn();
}

void RunFeed::publishRunStart(const RunStep& first) {
  ++runs_;
  last_step_ = first;
  last_time_ = 0;
  Q_EMIT runStarted();
}

void RunFeed::publishStep(const RunStep& step, float t) {
  last_step_ = step;
  last_time_ = t;
  Q_EMIT stepTaken();
}

void RunFeed::publishRunEnd() {
  --runs_;
  Q_EMIT runEnded();
}

}  // namespace orvinda
