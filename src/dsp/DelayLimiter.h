// The limiter on the delay path's output. The louder channel's excess over
// 0 dBFS, in decibels, is smoothed with 10 ms attack and release, and both
// channels are turned down by it: a steady level above 0 dBFS is pulled back
// to it. With equal attack and release the envelope follows the mean excess
// over a waveform's cycle, so a +6 dB sine settles with its peaks at +3.2 dB.
//
// VrelsPlugin owns one. The audio thread runs Process once per sample on
// the two delay sums; ApplySampleRate (construction, OnReset) calls
// SetSampleRate. The envelope never decays below a tiny floor, so it cannot
// become denormal. No allocation.
#pragma once

struct DelayLimiter {
  static constexpr float ATTACK_MS = 10.0f;
  static constexpr float RELEASE_MS = 10.0f;
  // Added to the level before its logarithm (silence stays finite) and kept
  // under the envelope (it settles here, never in denormals).
  static constexpr double FLOOR = 1e-25;

  // One-pole coefficients, exp(-1000 / (rate * time in ms)) in single
  // precision; computed by SetSampleRate.
  float mAttackCoef = 0.0f;
  float mReleaseCoef = 0.0f;
  float mAttackTime = ATTACK_MS;
  float mReleaseTime = RELEASE_MS;
  double mSampleRate = 0.0;
  double mThreshold = 0.0;   // dB
  double mSlope = 0.0;       // 0: everything above the threshold is removed
  double mEnvelope = FLOOR;  // smoothed excess over the threshold, dB

  void SetSampleRate(double sampleRate);

  // Limits one stereo sample in place.
  void Process(double& left, double& right);
  // Limits n stereo samples in place, as n calls of Process would.
  void ProcessBlock(double* left, double* right, int n);
};
