#include "VrelsPlugin.h"

using vrels::ScopedLock;

namespace {
const char* const kChannelConfigs = "1-1 2-2";
const char* const kEffectName = "Vrels";
const char* const kProductName = "";
const char* const kMakerName = "Quillmarsh";
const int kVersion = 0x00010000;       // 1.0.0
const int kUniqueId = 0x716C5672;      // 'qlVr'
const int kMakerId = 0x716C6D68;       // 'qlmh'
const int kLatency = 0;
const bool kDoesMidi = false;
const bool kDoesChunks = true;
const bool kIsInstrument = false;

// Weights run from 1 / (98 * 25 + 1) at the parameter's minimum to 1 at its
// maximum; each step of the parameter is worth 25 in the divisor.
const double kWeightDivisorStep = 25;
const double kCentreRepelTop = 99;
const double kAlignTop = 100;
// Follow 0..100 (a percentage) covers 0 .. a quarter of the way to the
// leader per update.
const double kPercent = 0.01;
const double kMaxFollow = 0.25;

double Weight(double top, double value) { return 1.0 / ((top - value) * kWeightDivisorStep + 1); }
}  // namespace

VrelsPlugin::VrelsPlugin(audioMasterCallback host)
    : IPlugVST(host, NUM_HOST_PARAMS, kChannelConfigs, NUM_PRESETS, kEffectName, kProductName, kMakerName,
               kVersion, kUniqueId, kMakerId, kLatency, kDoesMidi, kDoesChunks, kIsInstrument) {
  BuildParameterSet(this, mpParamChangeDesc);
}

VrelsPlugin::~VrelsPlugin() {}

void VrelsPlugin::OnParamChanged(int index) {
  ScopedLock lock(Mutex());
  const ParamChangeDesc* pDesc = ParamChangeDescAt(index);
  const IParameter* param = GetParam(index);
  if (!pDesc || !pDesc->mpHandler || !param) return;
  pDesc->mpHandler(this, pDesc, param->Value());
}

void VrelsPlugin::SetNumVrels(int n) { mSwarm.SetNumVrels(n); }

void VrelsPlugin::SetNumChasers(int n) { mSwarm.SetNumChasers(n); }

void VrelsPlugin::SwarmStep(const SwarmInputs& in) {
  SetNumVrels(static_cast<int>(in.Value(kSwarmVrelCount)));
  mSwarm.mVrelSpeed = in.Value(kSwarmVrelSpeed);
  mSwarm.mCentreWeight = Weight(kCentreRepelTop, in.Value(kSwarmVrelCentre));
  mSwarm.mAlignWeight = Weight(kAlignTop, in.Value(kSwarmVrelAlign));
  mSwarm.mRepelWeight = Weight(kCentreRepelTop, in.Value(kSwarmVrelRepel));
  mSwarm.mComfort = in.Value(kSwarmVrelComfort);
  mSwarm.mComfortSquared = mSwarm.mComfort * mSwarm.mComfort;
  mSwarm.mFollow = in.Value(kSwarmVrelFollow) * kPercent * kMaxFollow;
  SetNumChasers(static_cast<int>(in.Value(kSwarmChaserCount)));
  mSwarm.mBoost = in.Value(kSwarmChaserBoost);
  mSwarm.mChaserSpeed = in.Value(kSwarmChaserSpeed);
  mSwarm.UpdateVrels();
  mSwarm.UpdateChasers();
}

void VrelsPlugin::GetSwarmSnapshot(SwarmSnapshot* snapshot) {
  ScopedLock lock(Mutex());
  mSwarm.CopySnapshot(snapshot);
}
