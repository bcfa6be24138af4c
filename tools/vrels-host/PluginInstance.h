// A plug-in binary loaded by path, with one instance opened as a host opens
// it (created, effOpen, sample rate, block size). Further instances of the
// same binary can be made for trials that must not touch the first one.
// Failures throw ToolError naming the binary.
#pragma once

#include <memory>
#include <string>

#include "Host.h"
#include "PluginModule.h"

namespace vrelshost {

class PluginInstance {
 public:
  PluginInstance(const std::string& path, double sampleRate, int blockSize);
  ~PluginInstance();
  PluginInstance(const PluginInstance&) = delete;
  PluginInstance& operator=(const PluginInstance&) = delete;

  testhost::Host& Host() { return *mpHost; }
  const AEffect& Effect() const { return *mpHost->Effect(); }
  const std::string& Path() const { return mPath; }
  bool IsVrels() const;

  // Another opened instance of the same binary, with the same settings.
  std::unique_ptr<testhost::Host> OpenAnother() const;

  // Switched on (effMainsChanged, effStartProcess) before processing, and
  // off again (also by the destructor).
  void Start();
  void Stop();

 private:
  std::string mPath;
  double mSampleRate;
  int mBlockSize;
  bool mStarted = false;
  std::unique_ptr<testhost::PluginModule> mpModule;  // outlives every instance
  std::unique_ptr<testhost::Host> mpHost;
};

// The parameter or program count a plug-in reports, as a loop bound: never
// negative, and no more than any host would list.
int CountOf(int32_t reported);

}  // namespace vrelshost
