#pragma once
// The two rules that tell a camera that no longer watches: no new frame for too long,
// and a picture whose detail has suddenly gone. Times are program milliseconds, which
// never go back.
#include <cstdint>
#include <deque>
#include <utility>

namespace miravela {

class LostCameraRule {
 public:
  enum class Change { None, Lost, Recovered };

  // A limit of 0 never finds the camera lost.
  explicit LostCameraRule(std::int64_t limitMs) : limit_(limitMs) {}

  // Connected: the count starts now, as if a frame had just come.
  void Start(std::int64_t now);
  void Stop();
  Change Frame(std::int64_t now);
  Change Check(std::int64_t now);
  bool Lost() const { return lost_; }

 private:
  std::int64_t limit_;
  std::int64_t last_ = 0;
  bool watching_ = false;
  bool lost_ = false;
};

// A lens covered, sprayed or blinded leaves a picture without detail. The detail must
// fall from well above the floor to below it within a few seconds (a hand, a cloth, a
// torch in the lens), and stay below for the hold time. Dusk, even one pressed into a
// minute, brings the detail down through the band between far more slowly, so when it
// crosses the floor the last few seconds hold nothing well above it; a dark night scene
// keeps its lamps and edges, and so its detail, above the floor.
inline constexpr double kSueloDetalle = 4.0;     // luma levels of the cell-mean spread
inline constexpr double kFactorDetallado = 4.0;  // "well above": this many times the floor
inline constexpr std::int64_t kCaidaMs = 3000;   // how quickly the detail must have gone

class CoveredCameraRule {
 public:
  // A hold of 0 never finds the camera covered.
  explicit CoveredCameraRule(std::int64_t holdMs) : hold_(holdMs) {}

  // The detail of a new frame; true once, when the camera is found covered.
  bool Sample(std::int64_t now, double detail);
  // A new start: nothing seen before counts (a reconnection, a new camera).
  void Reset();
  bool Covered() const { return state_ == State::Covered; }

 private:
  enum class State { Watching, Collapsed, Covered };
  bool DetailedJustBefore(std::int64_t now) const;

  std::int64_t hold_;
  State state_ = State::Watching;
  std::int64_t collapsedAt_ = 0;
  std::deque<std::pair<std::int64_t, double>> recent_;  // the last kCaidaMs of samples
};

}  // namespace miravela
