#include "Transport.h"

#include <cmath>

namespace vrelshost {

testhost::HostTime Transport::At(int64_t frame, double sampleRate) const {
  testhost::HostTime time;
  time.available = available;
  time.tempo = tempo;
  time.timeSigNumerator = numerator;
  time.timeSigDenominator = denominator;
  time.samplePos = playing ? static_cast<double>(frame) : 0.0;
  time.ppqPos = time.samplePos / sampleRate * tempo / 60.0;
  const double quartersPerBar = numerator * 4.0 / denominator;
  time.barStartPos = std::floor(time.ppqPos / quartersPerBar) * quartersPerBar;
  time.flags = kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid;
  if (playing) time.flags |= kVstTransportPlaying;
  return time;
}

}  // namespace vrelshost
