#include "ProgressLine.h"

#include <cstdio>

#if defined(_WIN32)
#include <io.h>
#define VRELS_ISATTY _isatty
#define VRELS_FILENO _fileno
#else
#include <unistd.h>
#define VRELS_ISATTY isatty
#define VRELS_FILENO fileno
#endif

namespace vrelshost {

ProgressLine::ProgressLine(const std::string& what, int64_t totalFrames, double sampleRate, bool quiet)
    : mWhat(what),
      mTotal(totalFrames),
      mSampleRate(sampleRate),
      mShown(!quiet && totalFrames > kShownAboveSeconds * sampleRate),
      mOnTerminal(VRELS_ISATTY(VRELS_FILENO(stderr)) != 0) {}

ProgressLine::~ProgressLine() {
  Finish();
}

void ProgressLine::Update(int64_t doneFrames) {
  if (!mShown || mTotal <= 0) return;
  // On a terminal the line is rewritten every tenth of the way; into a log
  // a line is added every quarter.
  const int steps = mOnTerminal ? 10 : 4;
  const int step = static_cast<int>(doneFrames * steps / mTotal);
  if (step == mLastStep) return;
  mLastStep = step;
  std::fprintf(stderr, "%s%s %3d%%  (%.1f of %.1f s)%s", mOnTerminal ? "\r" : "", mWhat.c_str(),
               step * 100 / steps, doneFrames / mSampleRate, mTotal / mSampleRate, mOnTerminal ? "" : "\n");
  std::fflush(stderr);
}

void ProgressLine::Finish() {
  if (!mShown) return;
  Update(mTotal);
  if (mOnTerminal) std::fputc('\n', stderr);
  mShown = false;
}

}  // namespace vrelshost
