#include "watch/camera_rules.h"

#include <algorithm>

namespace miravela {

void LostCameraRule::Start(std::int64_t now) {
  watching_ = true;
  lost_ = false;
  last_ = now;
}

void LostCameraRule::Stop() {
  watching_ = false;
  lost_ = false;
}

LostCameraRule::Change LostCameraRule::Frame(std::int64_t now) {
  last_ = now;
  if (!watching_ || !lost_) return Change::None;
  lost_ = false;
  return Change::Recovered;
}

LostCameraRule::Change LostCameraRule::Check(std::int64_t now) {
  if (!watching_ || lost_ || limit_ <= 0 || now - last_ < limit_) return Change::None;
  lost_ = true;
  return Change::Lost;
}

bool CoveredCameraRule::DetailedJustBefore(std::int64_t now) const {
  return std::any_of(recent_.begin(), recent_.end(), [&](const auto& sample) {
    return now - sample.first <= kCaidaMs && sample.second >= kSueloDetalle * kFactorDetallado;
  });
}

bool CoveredCameraRule::Sample(std::int64_t now, double detail) {
  if (hold_ <= 0) return false;
  const bool collapse = detail < kSueloDetalle && state_ == State::Watching && DetailedJustBefore(now);
  while (!recent_.empty() && now - recent_.front().first > kCaidaMs) recent_.pop_front();
  recent_.emplace_back(now, detail);
  if (detail >= kSueloDetalle) {
    state_ = State::Watching;
    return false;
  }
  if (collapse) {
    state_ = State::Collapsed;
    collapsedAt_ = now;
  }
  if (state_ != State::Collapsed || now - collapsedAt_ < hold_) return false;
  state_ = State::Covered;
  return true;
}

void CoveredCameraRule::Reset() {
  state_ = State::Watching;
  recent_.clear();
}

}  // namespace miravela
