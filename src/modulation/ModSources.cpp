#include "modulation/ModSources.h"

#include "flock/Swarm.h"
#include "modulation/Lfo.h"

namespace {

const double kFieldWidth = Swarm::FIELD_WIDTH;
const double kFieldHeight = Swarm::FIELD_HEIGHT;
const double kCentreX = Swarm::FIELD_WIDTH / 2;
const double kCentreY = Swarm::FIELD_HEIGHT / 2;
// The city-block distance from the centre to a corner.
const double kCornerDistance = kCentreX + kCentreY;

// Inside the field every position value is already in 0..1; this only holds
// a member that the scatter tool pushed past the edge (and a NaN gives 0).
double Unit(double v) {
  return v > 1.0 ? 1.0 : (v > 0.0 ? v : 0.0);
}

double Abs(double v) {
  return v < 0.0 ? -v : v;
}

// X, Y and R of a position followed by their complements, from `first` on.
void WritePosition(double* first, double x, double y) {
  double px = Unit(x / kFieldWidth);
  double py = Unit(y / kFieldHeight);
  double pr = Unit((Abs(x - kCentreX) + Abs(y - kCentreY)) / kCornerDistance);
  first[0] = px;
  first[1] = py;
  first[2] = pr;
  first[3] = 1.0 - px;
  first[4] = 1.0 - py;
  first[5] = 1.0 - pr;
}

}  // namespace

void ModSources::WriteLfo(int n, const Lfo& lfo) {
  if (n < 0 || n >= NUM_LFOS) return;
  double d = lfo.Depth();
  double out = lfo.Output();
  mValues[kLfo1 + n] = Unit((0.5 - d / 2) + d * out);
}

void ModSources::DrawRandom(MwcRandom& random) {
  mValues[kRandom] = random.Next();
}

void ModSources::WriteVrel(double x, double y, int index, int count) {
  WritePosition(&mValues[kVrelX], x, y);
  double i = count > 1 ? Unit(static_cast<double>(index) / (count - 1)) : 1.0;
  mValues[kVrelIndex] = i;
  mValues[kVrelIndexInv] = 1.0 - i;
}

void ModSources::WriteLeader(double x, double y) {
  WritePosition(&mValues[kLeadX], x, y);
}
