// The dispatcher's fixed answers, texts, capability queries, channel
// descriptions and the opcodes it ignores.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "PluginEnvironment.h"
#include "TextBuffer.h"

namespace interfacetest {
namespace {

using testhost::Host;

class Dispatcher : public testing::Test {
 protected:
  void SetUp() override {
    mHost = OpenInstance();
    ASSERT_TRUE(mHost);
  }
  std::unique_ptr<Host> mHost;
};

TEST_F(Dispatcher, FixedAnswers) {
  EXPECT_EQ(0x4E764566, mHost->Dispatch(effIdentify));  // "NvEf"
  EXPECT_EQ(2400, mHost->Dispatch(effGetVstVersion));
  EXPECT_EQ(kPlugCategEffect, mHost->Dispatch(effGetPlugCategory));
  for (int32_t index : {0, 174, -1, 100000}) {
    EXPECT_EQ(1, mHost->Dispatch(effCanBeAutomated, index)) << index;
  }
  EXPECT_EQ(0, mHost->Dispatch(effGetTailSize));
  EXPECT_EQ(0, mHost->Dispatch(effGetVendorVersion));
}

TEST_F(Dispatcher, NamesAreCopiedBoundedIntoHostBuffers) {
  struct Case {
    int32_t opcode;
    size_t hostSize;  // the buffer size hosts give for this text
    const char* expected;
  };
  const Case cases[] = {{effGetEffectName, kVstMaxEffectNameLen, "Vrels"},
                        {effGetVendorString, kVstMaxVendorStrLen, "Quillmarsh"},
                        {effGetProductString, kVstMaxProductStrLen, ""}};
  for (const Case& c : cases) {
    TextBuffer buffer(c.hostSize);
    EXPECT_EQ(1, mHost->Dispatch(c.opcode, 0, 0, buffer.data())) << c.opcode;
    EXPECT_EQ(c.expected, buffer.Text()) << c.opcode;
    EXPECT_TRUE(buffer.GuardIntact()) << c.opcode;
    EXPECT_EQ(0, mHost->Dispatch(c.opcode, 0, 0, nullptr)) << c.opcode;
  }
}

TEST_F(Dispatcher, CanDoAnswersExactTextsOnly) {
  const intptr_t cockos = static_cast<intptr_t>(UINT32_C(0xBEEF0000));
  EXPECT_EQ(1, mHost->CanDo("receiveVstTimeInfo"));
  EXPECT_EQ(cockos, mHost->CanDo("hasCockosExtensions"));
  EXPECT_EQ(cockos, mHost->CanDo("hasCockosViewAsConfig"));
  // The plug-in neither receives nor sends MIDI as far as hosts are told.
  for (const char* text : {"sendVstEvents", "sendVstMidiEvent", "receiveVstEvents", "receiveVstMidiEvent"}) {
    EXPECT_EQ(0, mHost->CanDo(text)) << text;
  }
  // Exact and case-sensitive comparison.
  for (const char* text : {"ReceiveVstTimeInfo", "receiveVstTimeInfo ", "receiveVstTime",
                           "hascockosextensions", "bypass", "offline", ""}) {
    EXPECT_EQ(0, mHost->CanDo(text)) << '"' << text << '"';
  }
  EXPECT_EQ(0, mHost->CanDo(nullptr));
}

TEST_F(Dispatcher, PinPropertiesDescribeTheStereoPairs) {
  for (int32_t opcode : {effGetInputProperties, effGetOutputProperties}) {
    const std::string prefix = opcode == effGetInputProperties ? "Input " : "Output ";
    for (int32_t index = 0; index < 2; ++index) {
      VstPinProperties pin;
      std::memset(&pin, kUntouched, sizeof pin);
      ASSERT_EQ(1, mHost->Dispatch(opcode, index, 0, &pin));
      EXPECT_EQ(prefix + std::to_string(index + 1), std::string(pin.label));
      // The first of a pair is flagged stereo, the second only active.
      EXPECT_EQ(index == 0 ? kVstPinIsActive | kVstPinIsStereo : kVstPinIsActive, pin.flags);
      // Fields the plug-in does not fill stay as the host left them.
      VstPinProperties untouched;
      std::memset(&untouched, kUntouched, sizeof untouched);
      EXPECT_EQ(untouched.arrangementType, pin.arrangementType);
      EXPECT_EQ(0, std::memcmp(untouched.shortLabel, pin.shortLabel, sizeof pin.shortLabel));
      EXPECT_EQ(0, std::memcmp(untouched.future, pin.future, sizeof pin.future));
    }
    for (int32_t index : {2, -1, 1000}) {
      VstPinProperties pin;
      std::memset(&pin, kUntouched, sizeof pin);
      EXPECT_EQ(0, mHost->Dispatch(opcode, index, 0, &pin)) << index;
      VstPinProperties untouched;
      std::memset(&untouched, kUntouched, sizeof untouched);
      EXPECT_EQ(0, std::memcmp(&untouched, &pin, sizeof pin)) << index;
    }
    EXPECT_EQ(0, mHost->Dispatch(opcode, 0, 0, nullptr));
  }
}

TEST_F(Dispatcher, SpeakerArrangementsAreStereoAndStayStereo) {
  auto expectStereo = [](const VstSpeakerArrangement* arrangement) {
    ASSERT_NE(nullptr, arrangement);
    EXPECT_EQ(kSpeakerArrStereo, arrangement->type);
    EXPECT_EQ(2, arrangement->numChannels);
    const std::vector<char> zeros(sizeof arrangement->speakers, 0);
    EXPECT_EQ(0, std::memcmp(zeros.data(), arrangement->speakers, sizeof arrangement->speakers));
  };
  VstSpeakerArrangement* input = nullptr;
  VstSpeakerArrangement* output = nullptr;
  EXPECT_EQ(1, mHost->Dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&input), &output));
  expectStereo(input);
  expectStereo(output);
  EXPECT_EQ(1, mHost->Dispatch(effGetSpeakerArrangement, 0, 0, nullptr));

  // Setting a mono arrangement changes the connections, not the records the
  // plug-in reports.
  VstSpeakerArrangement mono;
  std::memset(&mono, 0, sizeof mono);
  mono.type = kSpeakerArrMono;
  mono.numChannels = 1;
  EXPECT_EQ(1, mHost->Dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&mono), &mono));
  input = output = nullptr;
  mHost->Dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&input), &output);
  expectStereo(input);
  expectStereo(output);
  EXPECT_EQ(1, mHost->Dispatch(effSetSpeakerArrangement, 0, 0, nullptr));
}

TEST_F(Dispatcher, VendorSpecificDisplaysAValueForTheHost) {
  const int32_t kDisplayQuery = effGetParamDisplay;  // the index that selects the query
  const intptr_t kAnswer = 0xBEEF;
  // For 0 and 1 the display of a normalized value equals the display of the
  // parameter after the host set that value.
  for (int32_t param = 0; param < kNumParams; ++param) {
    for (float normalized : {0.0f, 1.0f}) {
      TextBuffer forValue(64);
      ASSERT_EQ(kAnswer,
                mHost->Dispatch(effVendorSpecific, kDisplayQuery, param, forValue.data(), normalized));
      mHost->SetParameter(param, normalized);
      EXPECT_EQ(mHost->GetParamDisplay(param), forValue.Text()) << param << " at " << normalized;
      EXPECT_FALSE(forValue.Text().empty()) << param;
      EXPECT_TRUE(forValue.GuardIntact()) << param;
    }
  }
  // Out-of-range parameter: answered, buffer untouched.
  for (intptr_t param : {intptr_t(-1), intptr_t(100000)}) {
    TextBuffer buffer(64);
    EXPECT_EQ(kAnswer, mHost->Dispatch(effVendorSpecific, kDisplayQuery, param, buffer.data(), 0.5f));
    EXPECT_TRUE(buffer.Untouched()) << param;
  }
  // Without a buffer, or with another index, it is not answered.
  EXPECT_EQ(0, mHost->Dispatch(effVendorSpecific, kDisplayQuery, 0, nullptr, 0.5f));
  TextBuffer buffer(64);
  EXPECT_EQ(0, mHost->Dispatch(effVendorSpecific, effGetParamName, 0, buffer.data(), 0.5f));
  EXPECT_EQ(0, mHost->Dispatch(effVendorSpecific, 0, 0, buffer.data(), 0.5f));
  EXPECT_TRUE(buffer.Untouched());
}

TEST_F(Dispatcher, MidiKeyNamesAreClearedAndNotProvided) {
  MidiKeyName key;
  std::memset(&key, kUntouched, sizeof key);
  key.thisProgramIndex = 0;
  key.thisKeyNumber = 60;
  EXPECT_EQ(0, mHost->Dispatch(effGetMidiKeyName, 0, 0, &key));
  EXPECT_EQ('\0', key.keyName[0]);
  EXPECT_EQ(0, mHost->Dispatch(effGetMidiKeyName, 0, 0, nullptr));
}

TEST_F(Dispatcher, OpcodesWithoutMeaningAnswerZero) {
  // Opcodes the plug-in leaves alone: named ones, given harmless arguments,
  // and numbers it gives no meaning to.
  const int32_t named[] = {effEditIdle,    effProcessVarIo,           effSetBypass,
                           effIdle,        effGetParameterProperties, effStartProcess,
                           effStopProcess, effSetProcessPrecision,    effString2Parameter};
  const int32_t numbered[] = {9,  16, 17, 18, 20, 21, 28, 30, 31, 32,  36,   37, 38,
                              39, 40, 43, 46, 54, 55, 57, 59, 60, 61,  62,   63, 64,
                              65, 67, 68, 70, 73, 74, 75, 76, 78, 100, 1000, -1, -100};
  std::vector<int32_t> ignored(std::begin(named), std::end(named));
  ignored.insert(ignored.end(), std::begin(numbered), std::end(numbered));
  const std::vector<float> before = AllParameters(*mHost);
  for (int32_t opcode : ignored) {
    EXPECT_EQ(0, mHost->Dispatch(opcode)) << "opcode " << opcode;
  }
  // effString2Parameter in particular does not parse values.
  char text[] = "1";
  EXPECT_EQ(0, mHost->Dispatch(effString2Parameter, 0, 0, text));
  EXPECT_EQ(before, AllParameters(*mHost));
  // The processing notifications answer 0 but are harmless in either state.
  EXPECT_EQ(0, mHost->Dispatch(effMainsChanged, 0, 1));
  EXPECT_EQ(0, mHost->Dispatch(effMainsChanged, 0, 0));
  EXPECT_EQ(0, mHost->Dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f));
  EXPECT_EQ(0, mHost->Dispatch(effSetBlockSize, 0, 512));
}

TEST_F(Dispatcher, RecordWithoutInstanceIsIgnored) {
  // The dispatcher finds its instance through the record's object field; a
  // record without one gets 0 for everything.
  AEffect copy = *mHost->Effect();
  copy.object = nullptr;
  EXPECT_EQ(0, copy.dispatcher(&copy, effIdentify, 0, 0, nullptr, 0.0f));
  EXPECT_EQ(0, copy.dispatcher(&copy, effGetVstVersion, 0, 0, nullptr, 0.0f));
  char name[64] = "unchanged";
  EXPECT_EQ(0, copy.dispatcher(&copy, effGetEffectName, 0, 0, name, 0.0f));
  EXPECT_STREQ("unchanged", name);
  // The real record still works.
  EXPECT_EQ("Vrels", mHost->GetEffectName());
}

}  // namespace
}  // namespace interfacetest
