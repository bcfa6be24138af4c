// Cross-target agreement: this target's render of the agreement scenario
// against a reference render made on another target (Linux). Registered by
// main only when a reference is named.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "AgreementScenario.h"
#include "PluginEnvironment.h"

namespace interfacetest {

namespace {

class RenderMatchesTheReference : public testing::Test {
 public:
  explicit RenderMatchesTheReference(std::string referencePath) : mReferencePath(std::move(referencePath)) {}

  void TestBody() override {
    Stereo reference;
    ASSERT_TRUE(ReadRender(mReferencePath, &reference))
        << "no reference render at " << mReferencePath << " (the linux preset's tests write it)";
    auto host = OpenInstance();
    ASSERT_TRUE(host);
    const Stereo render = RenderAgreementScenario(*host);
    ASSERT_EQ(reference.Frames(), render.Frames());
    double largest = 0;
    int where = 0, channel = 0;
    for (int c = 0; c < 2; ++c) {
      for (int i = 0; i < render.Frames(); ++i) {
        const double difference = std::fabs(render.Channel(c)[i] - reference.Channel(c)[i]);
        if (!(difference <= largest)) {  // a NaN counts as the largest
          largest = difference;
          where = i;
          channel = c;
        }
      }
    }
    std::printf("largest difference from the reference: %.3g (frame %d, channel %d, %d frames compared)\n",
                largest, where, channel, render.Frames());
    EXPECT_LE(largest, kAgreementTolerance);
    // The render is not trivially quiet: it compares real sound.
    EXPECT_GT(Peak(render.left, 0, render.Frames()), 0.3);
  }

 private:
  std::string mReferencePath;
};

}  // namespace

void RegisterAgreementTest(const std::string& referencePath) {
  testing::RegisterTest(
      "Agreement", "RenderMatchesTheReference", nullptr, nullptr, __FILE__, __LINE__,
      [referencePath]() -> testing::Test* { return new RenderMatchesTheReference(referencePath); });
}

}  // namespace interfacetest
