#pragma once
// The oscilloscope's beam: two channels of A cos(phase - offset) whose phases
// advance with the time between frames. Phases are kept wrapped to one turn,
// so an hour of running loses no precision, and a channel's frequency may
// change without a jump in its signal.

#include <array>
#include <vector>

namespace orvinda {

// Samples per period of the faster channel between two frames, at least: a
// beam sampled more sparsely draws a false figure.
inline constexpr int kSamplesPerPeriod = 20;

struct BeamChannel {
  double frequency_hz = 0;
  double amplitude = 0;  // volts
  double offset = 0;     // radians subtracted from the phase
};

struct BeamPoint {
  double t = 0;         // seconds since the frame began
  double x = 0, y = 0;  // volts
};

double wrap_phase(double radians);  // to [0, 2π)

class Beam {
 public:
  BeamChannel x, y;

  // Phases at the start; wrapped.
  void set_phases(double phase_x, double phase_y);
  double phase_x() const { return phase_[0]; }
  double phase_y() const { return phase_[1]; }

  // Advances by dt seconds and returns the beam over that stretch, from its
  // start point to its end point, sampled kSamplesPerPeriod times a period of
  // the faster channel at least. Only the last `keep` seconds are sampled:
  // what is older has faded already.
  std::vector<BeamPoint> advance(double dt, double keep);

  BeamPoint at_phases(double phase_x, double phase_y) const;

 private:
  std::array<double, 2> phase_{0, 0};
};

// Seconds for a figure near fgen / fx = p / q to run through its cycle once:
// 1 / |q·fgen − p·fx|; infinite for a still one.
double drift_period(double fx, double fgen, int p, int q);

// Brightness of the trace age seconds old, 1 when new: a twentieth is left
// after `persistence` seconds.
double afterglow_brightness(double age, double persistence);

}  // namespace orvinda
