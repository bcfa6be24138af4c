#include "PeerPlugin.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace peertest {

const Peer kZamDelay = {"ZamDelay", "zam-plugins", 1, "Time"};
const Peer kZamGrains = {"ZamGrains", "zam-plugins", 1, "Loop time"};
const Peer kPingPongPan = {"PingPongPan", "dpf-plugins-vst", 2, "Width"};
const Peer kMVerb = {"MVerb", "dpf-plugins-vst", 2, "Mix"};

const std::vector<Peer>& AllPeers() {
  static const std::vector<Peer> peers = {kZamDelay, kZamGrains, kPingPongPan, kMVerb};
  return peers;
}

std::string PeerName(const testing::TestParamInfo<Peer>& info) {
  return info.param.name;
}

void PrintTo(const Peer& peer, std::ostream* out) {
  *out << peer.name;
}

std::unique_ptr<testhost::PluginModule> LoadPeer(const Peer& peer, std::string* message) {
  const std::string path = std::string(VRELS_PEER_PLUGIN_DIR) + "/" + peer.name + "-vst.so";
  std::string error;
  auto module = testhost::PluginModule::Load(path, &error);
  if (!module)
    *message = "cannot load " + path + " (" + error + "); install the Debian package " + peer.package;
  return module;
}

std::unique_ptr<testhost::Host> OpenPeer(const testhost::PluginModule& module, double rate, int32_t block) {
  testhost::HostSettings settings;
  settings.sampleRate = rate;
  settings.blockSize = block;
  auto host = std::make_unique<testhost::Host>(settings);
  if (!host->Instantiate(module.Entry())) return nullptr;
  host->Open();
  host->SetSampleRate(static_cast<float>(rate));
  host->SetBlockSize(block);
  host->SetMainsChanged(true);
  return host;
}

OpenedPeer LoadAndOpen(const Peer& peer, double rate, int32_t block) {
  OpenedPeer opened;
  opened.module = LoadPeer(peer, &opened.error);
  if (opened.module) opened.host = OpenPeer(*opened.module, rate, block);
  if (opened.module && !opened.host) opened.error = std::string(peer.name) + " gave no instance";
  return opened;
}

int32_t FindParam(testhost::Host& host, const std::string& name) {
  for (int32_t i = 0; i < host.Effect()->numParams; ++i) {
    if (host.GetParamName(i) == name) return i;
  }
  return -1;
}

void PeerTest::SetUp() {
  std::string message;
  mModule = LoadPeer(GetParam(), &message);
  ASSERT_TRUE(mModule) << message;
}

Channels Noise(int channels, int frames, uint32_t seed) {
  std::vector<float> noise(frames);
  uint32_t state = seed * 2654435761u + 1;
  for (float& sample : noise) {
    state = state * 1664525u + 1013904223u;
    sample = static_cast<float>(static_cast<int>(state >> 16) - 32768) / 65536.0f;
  }
  return Channels(channels, noise);
}

Channels Impulse(int channels, int frames, int at) {
  Channels impulse(channels, std::vector<float>(frames, 0.0f));
  for (auto& channel : impulse) channel[at] = 1.0f;
  return impulse;
}

Channels Render(testhost::Host& host, const Channels& input, int block) {
  const int frames = static_cast<int>(input[0].size());
  Channels output(host.Effect()->numOutputs,
                  std::vector<float>(frames, std::numeric_limits<float>::quiet_NaN()));
  std::vector<float*> in(input.size()), out(output.size());
  for (int done = 0; done < frames; done += block) {
    for (size_t c = 0; c < in.size(); ++c) in[c] = const_cast<float*>(input[c].data()) + done;
    for (size_t c = 0; c < out.size(); ++c) out[c] = output[c].data() + done;
    host.ProcessReplacing(in.data(), out.data(), std::min(block, frames - done));
  }
  return output;
}

bool AllFinite(const Channels& audio) {
  for (const auto& channel : audio) {
    if (!std::all_of(channel.begin(), channel.end(), [](float x) { return std::isfinite(x); })) return false;
  }
  return true;
}

double Energy(const std::vector<float>& samples, int from, int to) {
  double sum = 0;
  for (int i = from; i < to; ++i) sum += double(samples[i]) * samples[i];
  return sum;
}

}  // namespace peertest
