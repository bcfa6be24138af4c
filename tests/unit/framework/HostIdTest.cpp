#include <gtest/gtest.h>

#include "HostId.h"

TEST(HostId, FirstKnownNameInTableOrderCaseInsensitive) {
  EXPECT_EQ(LookUpHostId("REAPER"), kHostReaper);
  EXPECT_EQ(LookUpHostId("Nuendo with Cubase inside"), kHostCubase);  // cubase is tested first
  EXPECT_EQ(LookUpHostId("Express Delivery"), kHostLive);             // "live" inside another word
  EXPECT_EQ(LookUpHostId("Digital Performer"), kHostDigitalPerformer);
  EXPECT_EQ(LookUpHostId("Logic Pro"), kHostLogic);
  EXPECT_EQ(LookUpHostId("SAWStudio"), kHostSAWStudio);
  EXPECT_EQ(LookUpHostId(""), kHostUnknown);
  EXPECT_EQ(LookUpHostId(nullptr), kHostUnknown);
  EXPECT_EQ(LookUpHostId("Bitwig Studio"), kHostUnknown);
}

TEST(HostId, VendorVersionIsRepacked) {
  EXPECT_EQ(PackHostVersion(50105), 0x00050105);
  EXPECT_EQ(PackHostVersion(20000), 0x00020000);
  EXPECT_EQ(PackHostVersion(0), 0);
}
