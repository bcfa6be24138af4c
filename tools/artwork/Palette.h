// The editor's colours (sRGB), in one place for every image the generator
// draws: the panel, the sections' accents, text, wells and lamps.
#pragma once

#include "editor/EditorLayout.h"

struct Colour {
  double r, g, b, a;
};

constexpr Colour Hex(unsigned rgb, double alpha = 1.0) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

namespace palette {
const Colour kPanel = Hex(0x1B1E23);
const Colour kSection = Hex(0x23272E);
const Colour kSectionHighlight = Hex(0x2E333B);
const Colour kSectionShadow = Hex(0x14161A);
const Colour kTitle = Hex(0xC9CED6);
const Colour kCaption = Hex(0x8E96A3);
const Colour kHeader = Hex(0x6C7481);  // column headers and row numbers: one step below captions
const Colour kWell = Hex(0x15171B);
const Colour kWellShadow = Hex(0x0C0D10);
const Colour kWellLight = Hex(0x2C3038);
// The field is light: the swarm view draws chasers and the leader ring in
// black and the vrels in colours whose channels lie between 0x20 and 0x9F,
// all of which vanish on a near-black field.
const Colour kField = Hex(0xA9B1BA);
const Colour kFieldGrid = Hex(0x9CA4AE);
const Colour kFieldFrame = Hex(0x0C0D10);
const Colour kText = Hex(0xFFFFFF);  // what the editor draws into wells
const Colour kSwarm = Hex(0x4FB6A8);
const Colour kGrain = Hex(0xE0A643);
const Colour kDelay = Hex(0x9A7FE0);
const Colour kModulation = Hex(0x5E9BE0);
const Colour kNeutral = Hex(0xD8DDE4);
const Colour kMeterGreen = Hex(0x58C47A);
const Colour kMeterAmber = Hex(0xE0A643);
const Colour kMeterRed = Hex(0xE05A4F);
// Knob faces and button faces.
const Colour kFace = Hex(0x2B3038);
const Colour kFaceDark = Hex(0x1E2228);
const Colour kFaceEdge = Hex(0x3C424C);
const Colour kTrack = Hex(0x3A404A);
const Colour kPointer = Hex(0xECEFF3);
}  // namespace palette

// The accent of each section: its title stripe and its lamps.
inline Colour SectionAccent(EditorSection section) {
  switch (section) {
    case kSectionSwarm:
    case kSectionSwarmView:
      return palette::kSwarm;
    case kSectionGrain:
      return palette::kGrain;
    case kSectionDelay:
      return palette::kDelay;
    case kSectionLfos:
    case kSectionMatrix:
      return palette::kModulation;
    default:
      return palette::kNeutral;
  }
}
