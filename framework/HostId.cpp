#include "HostId.h"

#include <cstring>

namespace {
struct KnownHost {
  const char* mText;
  HostId mId;
};

// Tested in this order; the first match wins ("cubase" before "nuendo").
const KnownHost kKnownHosts[] = {
    {"cubase", kHostCubase},
    {"reaper", kHostReaper},
    {"nuendo", kHostNuendo},
    {"cakewalk", kHostCakewalk},
    {"samplitude", kHostSamplitude},
    {"fruity", kHostFruity},
    {"live", kHostLive},
    {"melodyne", kHostMelodyne},
    {"vstmanlib", kHostVstManLib},
    {"aulab", kHostAULab},
    {"forte", kHostForte},
    {"chainer", kHostChainer},
    {"audition", kHostAudition},
    {"orion", kHostOrion},
    {"sawstudio", kHostSAWStudio},
    {"logic", kHostLogic},
    {"digital", kHostDigitalPerformer},
};

const int kProductTextSize = 256;
}  // namespace

HostId LookUpHostId(const char* productText) {
  if (!productText) return kHostUnknown;
  char lower[kProductTextSize];
  int n = 0;
  for (; n + 1 < kProductTextSize && productText[n]; ++n) {
    char c = productText[n];
    lower[n] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  lower[n] = '\0';
  for (const KnownHost& host : kKnownHosts) {
    if (std::strstr(lower, host.mText)) return host.mId;
  }
  return kHostUnknown;
}

int PackHostVersion(int decimalVersion) {
  int major = decimalVersion / 10000;
  int minor = (decimalVersion / 100) % 100;
  int revision = decimalVersion % 100;
  return (major << 16) + (minor << 8) + revision;
}
