#include "modulation/LfoRandom.h"

void LfoRandom::Tick(int /*samples*/) {
  mOutput = static_cast<float>(mRandom.Next() * mDepth);
}
