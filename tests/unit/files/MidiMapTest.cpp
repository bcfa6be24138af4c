// The note and controller maps against their rules, re-stated here:
// - a message has a kind, its status byte's high four bits, only when the
//   status lies in 0x80..0xEF (system messages have none); its channel is the
//   status's low four bits;
// - a note off (kind 8) or note on (kind 9) looks up the note map by data 1;
//   a note on drives the entry's parameter with 1, also at velocity 0, a
//   note off with 0;
// - a control change (kind 11) looks up the controller map by data 1 and
//   drives the entry's parameter with data 2 / 127;
// - an entry reacts only on the channels whose bit c it has set;
// - every other kind is not mapped.
#include <gtest/gtest.h>

#include "files/MidiMap.h"
#include "params/ParameterTable.h"

namespace {

TEST(MidiMap, NotesAndControllersFollowTheirRules) {
  MidiMap map;
  int paramIdx = -1;
  double normalized = -1;
  // Empty maps, as the plug-in keeps them: nothing is mapped.
  for (int status : {0x80, 0x90, 0xB0, 0x9F, 0xBF}) {
    EXPECT_FALSE(map.Map(MidiMessage{0, static_cast<std::uint8_t>(status), 60, 100}, &paramIdx, &normalized))
        << status;
  }

  map.mNotes[60] = MidiMapEntry{kGrainOn, 1u << 0 | 1u << 9};
  map.mControllers[7] = MidiMapEntry{kGAmpl, 1u << 15};
  struct Case {
    int status, data1, data2;
    bool mapped;
    int paramIdx;
    double normalized;
  };
  const Case cases[] = {
      {0x90, 60, 100, true, kGrainOn, 1.0},  // note on, channel 1
      {0x99, 60, 0, true, kGrainOn, 1.0},    // note on at velocity 0, channel 10: still on
      {0x89, 60, 64, true, kGrainOn, 0.0},   // note off, channel 10
      {0x80, 60, 0, true, kGrainOn, 0.0},
      {0x91, 60, 100, false, 0, 0},  // channel 2: its bit is not set
      {0x98, 60, 100, false, 0, 0},
      {0x90, 61, 100, false, 0, 0},  // another note
      {0xA0, 60, 100, false, 0, 0},  // poly pressure on the mapped note
      {0xB0, 60, 127, false, 0, 0},  // controller 60: the note map is not asked
      {0xBF, 7, 127, true, kGAmpl, 1.0},
      {0xBF, 7, 0, true, kGAmpl, 0.0},
      {0xBF, 7, 64, true, kGAmpl, 64 / 127.0},
      {0xBE, 7, 64, false, 0, 0},    // channel 15
      {0x9F, 7, 64, false, 0, 0},    // note 7: the controller map is not asked
      {0xCF, 7, 0, false, 0, 0},     // program change
      {0xDF, 7, 0, false, 0, 0},     // channel pressure
      {0xEF, 7, 64, false, 0, 0},    // pitch bend
      {0xF0, 60, 100, false, 0, 0},  // system messages, whatever their low bits
      {0xF9, 60, 100, false, 0, 0},
      {0xFF, 7, 64, false, 0, 0},
  };
  for (const Case& c : cases) {
    paramIdx = -1;
    normalized = -1;
    const MidiMessage message{0, static_cast<std::uint8_t>(c.status), static_cast<std::uint8_t>(c.data1),
                              static_cast<std::uint8_t>(c.data2)};
    ASSERT_EQ(c.mapped, map.Map(message, &paramIdx, &normalized)) << std::hex << c.status << " " << c.data1;
    if (!c.mapped) continue;
    EXPECT_EQ(c.paramIdx, paramIdx) << std::hex << c.status;
    EXPECT_EQ(c.normalized, normalized) << std::hex << c.status << " " << c.data2;
  }
}

}  // namespace
