#include "PluginInstance.h"

#include "ToolError.h"
#include "VendorRequests.h"

namespace vrelshost {

PluginInstance::PluginInstance(const std::string& path, double sampleRate, int blockSize)
    : mPath(path), mSampleRate(sampleRate), mBlockSize(blockSize) {
  std::string error;
  mpModule = testhost::PluginModule::Load(path, &error);
  if (!mpModule) throw ToolError("cannot load " + path + ": " + error);
  if (!mpModule->Entry())
    throw ToolError(path + " is not a VST 2.4 plug-in: it exports neither VSTPluginMain nor main");
  mpHost = OpenAnother();
}

PluginInstance::~PluginInstance() {
  Stop();
  mpHost.reset();  // closed before the module unloads
}

bool PluginInstance::IsVrels() const {
  return Effect().uniqueID == vrelsvendor::kPluginUniqueId;
}

std::unique_ptr<testhost::Host> PluginInstance::OpenAnother() const {
  testhost::HostSettings settings;
  settings.productString = "vrels-host";
  settings.sampleRate = mSampleRate;
  settings.blockSize = mBlockSize;
  std::unique_ptr<testhost::Host> host(new testhost::Host(settings));
  if (!host->Instantiate(mpModule->Entry())) throw ToolError(mPath + " did not create a plug-in instance");
  host->Open();
  host->SetSampleRate(static_cast<float>(mSampleRate));
  host->SetBlockSize(mBlockSize);
  return host;
}

void PluginInstance::Start() {
  if (mStarted) return;
  mpHost->SetMainsChanged(true);
  mpHost->Dispatch(effStartProcess);
  mStarted = true;
}

void PluginInstance::Stop() {
  if (!mStarted) return;
  mpHost->Dispatch(effStopProcess);
  mpHost->SetMainsChanged(false);
  mStarted = false;
}

int CountOf(int32_t reported) {
  const int32_t kMost = 100000;
  return reported < 0 ? 0 : (reported > kMost ? kMost : reported);
}

}  // namespace vrelshost
