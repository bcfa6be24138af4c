// Events from the host: MIDI comes straight back to the host's MIDI output,
// other events are handed back unchanged.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "EventList.h"
#include "PluginEnvironment.h"

namespace interfacetest {
namespace {

using testhost::EventList;
using testhost::Host;
using testhost::RecordedEvent;

class Midi : public testing::Test {
 protected:
  void SetUp() override {
    mHost = OpenInstance();
    ASSERT_TRUE(mHost);
    mHost->Log().Clear();
  }
  std::unique_ptr<Host> mHost;
};

// A MIDI event carrying values in every field the plug-in does not pass on.
VstMidiEvent NoisyMidiEvent(int32_t deltaFrames, uint8_t status, uint8_t data1, uint8_t data2) {
  VstMidiEvent event;
  std::memset(&event, 0, sizeof event);
  event.type = kVstMidiType;
  event.byteSize = sizeof event;
  event.deltaFrames = deltaFrames;
  event.flags = 1;
  event.noteLength = 480;
  event.noteOffset = 12;
  event.midiData[0] = static_cast<char>(status);
  event.midiData[1] = static_cast<char>(data1);
  event.midiData[2] = static_cast<char>(data2);
  event.midiData[3] = 0x55;
  event.detune = 17;
  event.noteOffVelocity = 64;
  event.reserved1 = 3;
  event.reserved2 = 4;
  return event;
}

VstEvent OtherEvent(int32_t type, int32_t deltaFrames, uint8_t seed) {
  VstEvent event;
  event.type = type;
  event.byteSize = sizeof event;
  event.deltaFrames = deltaFrames;
  event.flags = 7;
  for (size_t i = 0; i < sizeof event.data; ++i) event.data[i] = static_cast<char>(seed + i);
  return event;
}

TEST_F(Midi, MidiMessagesComeBackOneByOne) {
  // The plug-in does not claim to receive MIDI, yet passes it through.
  EXPECT_EQ(0, mHost->CanDo("receiveVstMidiEvent"));
  EventList events;
  events.AddMidiEvent(NoisyMidiEvent(0, 0x90, 60, 100));
  events.AddMidiEvent(NoisyMidiEvent(100, 0x80, 60, 0));
  events.AddMidiEvent(NoisyMidiEvent(511, 0xB3, 7, 127));
  EXPECT_EQ(1, mHost->ProcessEvents(events.Get()));

  const std::vector<std::vector<RecordedEvent>> calls = mHost->Log().EventCalls();
  ASSERT_EQ(size_t(3), calls.size());
  const uint8_t expected[3][3] = {{0x90, 60, 100}, {0x80, 60, 0}, {0xB3, 7, 127}};
  const int32_t deltas[3] = {0, 100, 511};
  for (size_t k = 0; k < calls.size(); ++k) {
    ASSERT_EQ(size_t(1), calls[k].size()) << k;
    // A fresh MIDI event: the message's bytes and offset, every other field zero.
    const VstMidiEvent midi = calls[k][0].AsMidi();
    EXPECT_EQ(kVstMidiType, midi.type);
    EXPECT_EQ(int32_t(sizeof(VstMidiEvent)), midi.byteSize);
    EXPECT_EQ(deltas[k], midi.deltaFrames);
    EXPECT_EQ(0, midi.flags);
    EXPECT_EQ(0, midi.noteLength);
    EXPECT_EQ(0, midi.noteOffset);
    for (int b = 0; b < 3; ++b) EXPECT_EQ(expected[k][b], uint8_t(midi.midiData[b])) << k << ":" << b;
    EXPECT_EQ(0, midi.midiData[3]);
    EXPECT_EQ(0, midi.detune);
    EXPECT_EQ(0, midi.noteOffVelocity);
    EXPECT_EQ(0, midi.reserved1);
    EXPECT_EQ(0, midi.reserved2);
  }
}

TEST_F(Midi, EveryMessagePassesUnchangedAndChangesNoParameter) {
  // Notes and controllers on every channel, and system messages (0xF0 and
  // above): the map is empty, so none moves a parameter, and each comes
  // back exactly as sent.
  const std::vector<float> before = AllParameters(*mHost);
  EventList events;
  std::vector<std::vector<uint8_t>> sent;
  for (int channel = 0; channel < 16; ++channel) {
    for (int kind : {0x80, 0x90, 0xB0}) sent.push_back({uint8_t(kind | channel), uint8_t(channel * 7), 100});
  }
  for (int status = 0xF0; status <= 0xFF; ++status) sent.push_back({uint8_t(status), 0x12, 0x34});
  for (size_t k = 0; k < sent.size(); ++k) {
    events.AddMidiEvent(NoisyMidiEvent(static_cast<int32_t>(k), sent[k][0], sent[k][1], sent[k][2]));
  }
  EXPECT_EQ(1, mHost->ProcessEvents(events.Get()));
  const std::vector<std::vector<RecordedEvent>> calls = mHost->Log().EventCalls();
  ASSERT_EQ(sent.size(), calls.size());
  for (size_t k = 0; k < calls.size(); ++k) {
    const VstMidiEvent midi = calls[k][0].AsMidi();
    for (int b = 0; b < 3; ++b) EXPECT_EQ(sent[k][b], uint8_t(midi.midiData[b])) << k << ":" << b;
  }
  EXPECT_EQ(before, AllParameters(*mHost));
}

TEST_F(Midi, OtherEventsAreHandedBackUnchanged) {
  EventList events;
  const VstEvent sysex = OtherEvent(kVstSysExType, 5, 0x10);
  const VstEvent unknown = OtherEvent(3, 77, 0x40);
  events.AddEvent(sysex);
  events.AddMidi(9, 0x91, 64, 90);
  events.AddEvent(unknown);
  EXPECT_EQ(1, mHost->ProcessEvents(events.Get()));

  const std::vector<RecordedEvent> received = mHost->Log().Events();
  ASSERT_EQ(size_t(3), received.size());
  EXPECT_EQ(size_t(3), mHost->Log().EventCalls().size());
  EXPECT_EQ(0, std::memcmp(&sysex, &received[0].raw, sizeof sysex));
  EXPECT_EQ(kVstMidiType, received[1].type);
  EXPECT_EQ(9, received[1].deltaFrames);
  EXPECT_EQ(0x91, received[1].midiData[0]);
  EXPECT_EQ(0, std::memcmp(&unknown, &received[2].raw, sizeof unknown));
}

TEST_F(Midi, NullEntriesAreSkipped) {
  EventList events;
  events.AddNull();
  events.AddMidi(1, 0x90, 1, 2);
  events.AddNull();
  events.AddMidi(2, 0x80, 1, 0);
  EXPECT_EQ(1, mHost->ProcessEvents(events.Get()));
  const std::vector<RecordedEvent> received = mHost->Log().Events();
  ASSERT_EQ(size_t(2), received.size());
  EXPECT_EQ(1, received[0].deltaFrames);
  EXPECT_EQ(2, received[1].deltaFrames);
}

TEST_F(Midi, EmptyMissingOrNegativeEventListsDoNothing) {
  EventList events;
  EXPECT_EQ(1, mHost->ProcessEvents(events.Get()));
  EXPECT_EQ(0, mHost->ProcessEvents(nullptr));

  events.AddMidi(0, 0x90, 60, 100);
  events.AddMidi(1, 0x80, 60, 0);
  VstEvents* record = events.Get();
  record->numEvents = -2;
  mHost->ProcessEvents(record);
  EXPECT_EQ(0, mHost->Log().CallCount(audioMasterProcessEvents));
}

TEST_F(Midi, EveryEventIsOfferedEvenWhenTheHostRejectsThem) {
  mHost->SetProcessEventsResult(0);
  EventList events;
  for (int i = 0; i < 4; ++i) events.AddMidi(i, 0x90, uint8_t(60 + i), 100);
  EXPECT_EQ(1, mHost->ProcessEvents(events.Get()));
  EXPECT_EQ(size_t(4), mHost->Log().Events().size());

  // Accepted again afterwards.
  mHost->SetProcessEventsResult(1);
  EXPECT_EQ(1, mHost->ProcessEvents(events.Get()));
  EXPECT_EQ(size_t(8), mHost->Log().Events().size());
}

TEST_F(Midi, ProcessingDoesNotAskForMidi) {
  // The plug-in does not receive MIDI, so it never asks the host to send it.
  FloatBuffers in(2, 64), out(2, 64);
  mHost->ProcessReplacing(in.Pointers(), out.Pointers(), 64);
  mHost->Process(in.Pointers(), out.Pointers(), 64);
  DoubleBuffers inD(2, 64), outD(2, 64);
  mHost->ProcessDouble(inD.Pointers(), outD.Pointers(), 64);
  EXPECT_EQ(0, mHost->Log().CallCount(audioMasterWantMidi));
  EXPECT_EQ(0, mHost->Log().CallCount(audioMasterProcessEvents));
}

}  // namespace
}  // namespace interfacetest
