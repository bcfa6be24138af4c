// Other vendors' VST 2.4 plug-ins, installed by Debian packages and driven
// through our test host exactly as a host drives them: the ones we load, a
// fixture that loads one per test, and float renders through
// processReplacing (these plug-ins have no double-precision path).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "Host.h"
#include "PluginModule.h"

namespace peertest {

struct Peer {
  const char* name;        // the binary is <plug-in folder>/<name>-vst.so
  const char* package;     // the Debian package that installs it
  int channels;            // inputs and outputs alike
  const char* continuous;  // a parameter without steps, for round trips
};

extern const Peer kZamDelay;
extern const Peer kZamGrains;
extern const Peer kPingPongPan;
extern const Peer kMVerb;
const std::vector<Peer>& AllPeers();
std::string PeerName(const testing::TestParamInfo<Peer>& info);
void PrintTo(const Peer& peer, std::ostream* out);

// Null when the binary does not load; `message` then names the package to install.
std::unique_ptr<testhost::PluginModule> LoadPeer(const Peer& peer, std::string* message);

// An instance set up in the usual order: effOpen, effSetSampleRate,
// effSetBlockSize, effMainsChanged(1). The host answers the same rate and
// block size when asked. Null when the entry point gives no instance.
std::unique_ptr<testhost::Host> OpenPeer(const testhost::PluginModule& module, double rate = 44100,
                                         int32_t block = 4096);

// A peer loaded and opened in one step (the module outlives the instance).
// `error` says why when the host is null.
struct OpenedPeer {
  std::unique_ptr<testhost::PluginModule> module;
  std::unique_ptr<testhost::Host> host;
  std::string error;
};
OpenedPeer LoadAndOpen(const Peer& peer, double rate = 44100, int32_t block = 4096);

// The index of the parameter called `name`, or -1.
int32_t FindParam(testhost::Host& host, const std::string& name);

// Loads GetParam()'s binary before each test; the test stops when it is missing.
class PeerTest : public testing::TestWithParam<Peer> {
 protected:
  void SetUp() override;
  std::unique_ptr<testhost::PluginModule> mModule;
};

// ---- Audio: one vector per channel. ----
using Channels = std::vector<std::vector<float>>;

// The same uniform noise in -0.5..0.5 in every channel, from a fixed generator.
Channels Noise(int channels, int frames, uint32_t seed);
// A unit impulse at frame `at` in every channel.
Channels Impulse(int channels, int frames, int at);
// The input rendered in blocks of `block` frames (the last may be shorter).
// The outputs start as NaN, so a frame the plug-in did not write shows.
Channels Render(testhost::Host& host, const Channels& input, int block);
bool AllFinite(const Channels& audio);
// The sum of squares of frames [from, to).
double Energy(const std::vector<float>& samples, int from, int to);

}  // namespace peertest
