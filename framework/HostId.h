// Identification of the host application from its product string.
#pragma once

enum HostId {
  kHostUninit = -1,
  kHostUnknown = 0,
  kHostReaper = 1,
  kHostCubase = 3,
  kHostNuendo = 4,
  kHostCakewalk = 5,
  kHostFruity = 7,
  kHostSamplitude = 8,
  kHostLive = 9,
  kHostMelodyne = 12,
  kHostVstManLib = 13,
  kHostAULab = 14,
  kHostForte = 15,
  kHostChainer = 16,
  kHostAudition = 17,
  kHostOrion = 18,
  kHostSAWStudio = 20,
  kHostLogic = 21,
  kHostDigitalPerformer = 22
};

// The id of the first known name found (case-insensitively, as a plain
// substring) in the product text, in a fixed order; kHostUnknown when none.
HostId LookUpHostId(const char* productText);

// Repacks the decimal vendor version a host reports (major * 10000 +
// minor * 100 + revision) as major << 16 | minor << 8 | revision.
int PackHostVersion(int decimalVersion);
