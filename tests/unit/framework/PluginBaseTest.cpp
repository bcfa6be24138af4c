// The framework's plug-in base and host adapter, driven directly: the editor
// path, the host queries the plug-in makes, and configurations other than
// Vrels' own.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "IControl.h"
#include "IPlugVST.h"
#include "TestGraphics.h"
#include "VrelsPlugin.h"

namespace {

// A host callback whose answers each test sets.
struct FakeHost {
  VstTimeInfo mTime = {};
  bool mHasTime = true;
  std::string mProduct;
  intptr_t mVendorVersion = 0;
  intptr_t mEventsAnswer = 1;
  int mProductQueries = 0;
  std::vector<std::pair<int, float>> mAutomation;
  std::vector<int> mSentStatus;
  int mCallsUntilReject = -1;  // reject the n-th processEvents call

  static FakeHost* sCurrent;

  static intptr_t VSTCALLBACK Callback(AEffect*, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                       float opt) {
    FakeHost& host = *sCurrent;
    switch (opcode) {
      case audioMasterVersion:
        return 2400;
      case audioMasterGetTime:
        return host.mHasTime ? reinterpret_cast<intptr_t>(&host.mTime) : 0;
      case audioMasterAutomate:
        host.mAutomation.emplace_back(index, opt);
        return 0;
      case audioMasterGetProductString:
        ++host.mProductQueries;
        std::strcpy(static_cast<char*>(ptr), host.mProduct.c_str());
        return 1;
      case audioMasterGetVendorVersion:
        return host.mVendorVersion;
      case audioMasterProcessEvents: {
        const VstEvents* events = static_cast<const VstEvents*>(ptr);
        const VstMidiEvent* midi = reinterpret_cast<const VstMidiEvent*>(events->events[0]);
        host.mSentStatus.push_back(static_cast<unsigned char>(midi->midiData[0]));
        bool reject = host.mCallsUntilReject == static_cast<int>(host.mSentStatus.size());
        return reject ? 0 : host.mEventsAnswer;
      }
      default:
        (void)value;
        return 0;
    }
  }
};
FakeHost* FakeHost::sCurrent = nullptr;

// A plug-in with a chosen configuration that records its change calls.
class TestPlug : public IPlugVST {
 public:
  TestPlug(const char* channels, int nPresets = 2, int nParams = 4)
      : IPlugVST(FakeHost::Callback, nParams, channels, nPresets, "Test", "", "Maker", 0x00010203, 1, 2, 0,
                 false, true, false) {
    for (int i = 0; i < nParams; ++i) GetParam(i)->InitAsInt("p", 0, 0, 10);
  }
  void OnParamChanged(int index) override { mChanged.push_back(index); }
  std::vector<int> mChanged;
};

// A control that records what the plug-in shows on it.
class RecordingControl : public IControl {
 public:
  RecordingControl(IPlugBase* plug, int paramIdx) : IControl(plug, IRect(0, 0, 1, 1), paramIdx) {}
  bool Draw(IGraphics*) override { return true; }
  void SetValueFromPlug(double value) override {
    mReceived.push_back(value);
    IControl::SetValueFromPlug(value);
  }
  std::vector<double> mReceived;
};

// One recording control per parameter.
class FakeGraphics : public TestGraphics {
 public:
  FakeGraphics(IPlugBase* plug, int nParams) : TestGraphics(plug) {
    for (int i = 0; i < nParams; ++i) {
      mControls.push_back(new RecordingControl(plug, i));
      AttachControl(mControls.back());
    }
  }
  void PrepareDraw() override {
    ++mPrepared;
    TestGraphics::PrepareDraw();
  }
  int Pushes() const {
    int n = 0;
    for (const RecordingControl* control : mControls) n += static_cast<int>(control->mReceived.size());
    return n;
  }
  void Forget() {
    for (RecordingControl* control : mControls) control->mReceived.clear();
  }
  std::vector<RecordingControl*> mControls;  // owned by the graphics object
  int mPrepared = 0;
};

class PluginBase : public ::testing::Test {
 protected:
  void SetUp() override { FakeHost::sCurrent = &mHost; }
  FakeHost mHost;
};

}  // namespace

TEST_F(PluginBase, EditorWritesAreReportedUnquantisedAndHandled) {
  TestPlug plug("2-2");
  plug.SetParameterFromGUI(1, 0.44);
  EXPECT_EQ(plug.GetParam(1)->Value(), 4.0);
  ASSERT_EQ(mHost.mAutomation.size(), 1u);
  EXPECT_EQ(mHost.mAutomation[0].first, 1);
  EXPECT_FLOAT_EQ(mHost.mAutomation[0].second, 0.44f);
  EXPECT_EQ(plug.mChanged, std::vector<int>{1});
  plug.SetParameterFromGUI(99, 0.5);  // out of range: nothing
  EXPECT_EQ(mHost.mAutomation.size(), 1u);
}

TEST_F(PluginBase, AttachedEditorReceivesValuesAndSetsFlagAndRect) {
  TestPlug plug("2-2");
  plug.GetParam(2)->Set(5);
  EXPECT_EQ(plug.GetAEffect()->flags & effFlagsHasEditor, 0);
  FakeGraphics* graphics = new FakeGraphics(&plug, 4);
  plug.AttachEditor(graphics);
  EXPECT_EQ(graphics->mPrepared, 1);
  ASSERT_EQ(graphics->Pushes(), 4);
  EXPECT_DOUBLE_EQ(graphics->mControls[2]->mReceived[0], 0.5);
  EXPECT_EQ(plug.GetAEffect()->flags & effFlagsHasEditor, effFlagsHasEditor);

  AEffect* effect = plug.GetAEffect();
  ERect* rect = nullptr;
  EXPECT_EQ(effect->dispatcher(effect, effEditGetRect, 0, 0, &rect, 0), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->right, 729);
  EXPECT_EQ(rect->bottom, 650);
  EXPECT_EQ(effect->dispatcher(effect, effEditOpen, 0, 0, nullptr, 0), 0);  // no window made

  // A host write reaches the editor; a chunk load refreshes every control
  // with the real values, normalised on the way.
  graphics->Forget();
  effect->setParameter(effect, 3, 0.3f);
  ASSERT_EQ(graphics->Pushes(), 1);
  EXPECT_DOUBLE_EQ(graphics->mControls[3]->mReceived[0], 0.3f);
  void* data = nullptr;
  intptr_t size = effect->dispatcher(effect, effGetChunk, 1, 0, &data, 0);
  std::vector<char> copy(static_cast<char*>(data), static_cast<char*>(data) + size);
  graphics->Forget();
  EXPECT_EQ(effect->dispatcher(effect, effSetChunk, 1, size, copy.data(), 0), 1);
  EXPECT_EQ(graphics->Pushes(), 4);
  EXPECT_DOUBLE_EQ(graphics->mControls[2]->mReceived[0], 0.5);
}

TEST_F(PluginBase, TimeQueriesFollowValidityFlags) {
  TestPlug plug("2-2");
  mHost.mTime.samplePos = 1000.6;
  mHost.mTime.tempo = 98.5;
  mHost.mTime.timeSigNumerator = 0;
  mHost.mTime.timeSigDenominator = 4;
  mHost.mTime.flags = kVstTimeSigValid;
  EXPECT_EQ(plug.GetSamplePosition(), 1001);
  EXPECT_EQ(plug.GetHostTempo(), 0.0);  // tempo not marked valid
  int num = -1, den = -1;
  plug.GetTimeSignature(&num, &den);
  EXPECT_EQ(num, 0);
  EXPECT_EQ(den, 4);

  double pos, tempo, ppq, bar, cycleStart, cycleEnd;
  bool playing = false, cycleActive = true;
  plug.GetTransportInfo(&pos, &tempo, &ppq, &bar, &num, &den, &cycleStart, &cycleEnd, &playing, &cycleActive);
  EXPECT_EQ(pos, 1000.6);
  EXPECT_EQ(tempo, 120.0);
  EXPECT_EQ(num, 4);  // 0/4 is not a usable signature here
  EXPECT_EQ(den, 4);
  EXPECT_EQ(ppq, -1.0);
  EXPECT_FALSE(cycleActive);

  mHost.mTime.flags = kVstTempoValid | kVstPpqPosValid | kVstTransportPlaying;
  mHost.mTime.ppqPos = 8.0;
  EXPECT_EQ(plug.GetHostTempo(), 98.5);
  plug.GetTransportInfo(&pos, &tempo, &ppq, &bar, &num, &den, &cycleStart, &cycleEnd, &playing, &cycleActive);
  EXPECT_EQ(tempo, 98.5);
  EXPECT_EQ(ppq, 8.0);
  EXPECT_TRUE(playing);

  mHost.mTime.samplePos = 1e12;  // beyond the int range: held, not wrapped
  EXPECT_GT(plug.GetSamplePosition(), 0);
  mHost.mHasTime = false;
  EXPECT_EQ(plug.GetSamplePosition(), 0);
  EXPECT_EQ(plug.GetHostTempo(), 0.0);
  plug.GetTimeSignature(&num, &den);
  EXPECT_EQ(num, 0);
  EXPECT_EQ(den, 0);
}

TEST_F(PluginBase, MidiSendsReportRejectionWithoutStopping) {
  TestPlug plug("2-2");
  MidiMessage messages[3];
  for (int i = 0; i < 3; ++i) messages[i].mStatus = static_cast<std::uint8_t>(0x90 + i);
  mHost.mCallsUntilReject = 2;
  EXPECT_FALSE(plug.SendMidiMessages(messages, 3));
  EXPECT_EQ(mHost.mSentStatus, (std::vector<int>{0x90, 0x91, 0x92}));
  EXPECT_TRUE(plug.SendMidiMessages(messages, 0));
}

TEST_F(PluginBase, ChannelConfigurationsDecideCountsMonoAndLegality) {
  TestPlug both("1-1 2-2");
  EXPECT_TRUE(both.LegalIO(1, 1));
  EXPECT_TRUE(both.LegalIO(2, -1));
  EXPECT_FALSE(both.LegalIO(1, 2));
  EXPECT_FALSE(both.LegalIO(0, -1));
  EXPECT_TRUE(both.LegalIO(-1, -1));
  EXPECT_EQ(both.GetAEffect()->flags & effFlagsCanMono, effFlagsCanMono);

  TestPlug stereo("2-2");
  EXPECT_EQ(stereo.GetAEffect()->flags & effFlagsCanMono, 0);
  EXPECT_EQ(stereo.GetAEffect()->numInputs, 2);
}

TEST_F(PluginBase, HostSpecificSetUpRunsOnceAndAdjustsWideConfigurations) {
  mHost.mProduct = "Forte";
  mHost.mVendorVersion = 50105;
  TestPlug wide("4-4");
  AEffect* effect = wide.GetAEffect();
  effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0);
  effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0);
  EXPECT_EQ(mHost.mProductQueries, 1);
  EXPECT_EQ(wide.GetHostId(), kHostForte);
  EXPECT_EQ(wide.HostVersion(), 0x00050105);
  EXPECT_TRUE(wide.IsInChannelConnected(1));
  EXPECT_FALSE(wide.IsInChannelConnected(2));
  EXPECT_TRUE(wide.IsOutChannelConnected(3));
  EXPECT_EQ(effect->numInputs, 4);
  // effOpen runs every change handler once per call.
  EXPECT_EQ(wide.mChanged.size(), 8u);
}

TEST_F(PluginBase, PluginWithoutSlotsGetsOneDefaultProgram) {
  TestPlug plug("2-2", 0);
  plug.GetParam(0)->Set(7);
  plug.AddDefaultPresetIfNone();
  ASSERT_EQ(plug.NPresets(), 1);
  EXPECT_STREQ(plug.PresetName(0), "Default");
  plug.GetParam(0)->Set(1);
  EXPECT_TRUE(plug.LoadPreset(0));
  EXPECT_EQ(plug.GetParam(0)->Value(), 7.0);
}

TEST_F(PluginBase, VrelsIdentity) {
  VrelsPlugin plug(FakeHost::Callback);
  AEffect* effect = plug.GetAEffect();
  EXPECT_EQ(effect->numParams, 175);
  EXPECT_EQ(effect->numPrograms, 6);
  // With the editor's flag: the plug-in attaches its editor when it is made.
  EXPECT_EQ(effect->flags, 0x1039);
  EXPECT_EQ(effect->version, 10000);
  EXPECT_EQ(effect->uniqueID, 0x716C5672);
  EXPECT_EQ(plug.MfrID(), 0x716C6D68);
  EXPECT_EQ(plug.GetBlockSize(), 1024);
  EXPECT_EQ(plug.GetSampleRate(), 44100.0);
}
