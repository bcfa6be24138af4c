// The progress of a long render on standard error: on a terminal one line
// rewritten in place ("rendering  40%  (12.0 of 30.0 s)") and ended when the
// work is done; into a file or pipe a line per quarter.
// Shown only for renders of more than a few seconds of audio, and never
// when the caller asks for quiet.
#pragma once

#include <cstdint>
#include <string>

namespace vrelshost {

class ProgressLine {
 public:
  // `totalFrames` of audio at `sampleRate` are about to be rendered.
  ProgressLine(const std::string& what, int64_t totalFrames, double sampleRate, bool quiet);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  void Update(int64_t doneFrames);
  void Finish();

  // Renders of more audio than this show their progress.
  static constexpr double kShownAboveSeconds = 5.0;

 private:
  std::string mWhat;
  int64_t mTotal;
  double mSampleRate;
  bool mShown;
  bool mOnTerminal;
  int mLastStep = -1;
};

}  // namespace vrelshost
