// The flock: pooled members, their fixed random start, and the update rules.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "VrelsPlugin.h"
#include "dsp/MwcRandom.h"
#include "flock/Swarm.h"

namespace {

std::vector<const Vrel*> ActiveVrels(const Swarm& swarm) {
  std::vector<const Vrel*> vrels;
  for (const Vrel* v = swarm.Vrels().First(); v; v = VrelList::Next(v)) vrels.push_back(v);
  return vrels;
}

// A swarm with its members placed by hand.
struct SwarmFixture : ::testing::Test {
  Vrel* AddVrelAt(double x, double y, double vx = 0, double vy = 0) {
    swarm.AddVrel();
    Vrel* v = swarm.Vrels().Last();
    v->mX = x;
    v->mY = y;
    v->mVx = vx;
    v->mVy = vy;
    return v;
  }
  Predator* AddChaserAt(double x, double y) {
    swarm.AddChaser();
    Predator* q = swarm.Chasers().Last();
    q->mX = x;
    q->mY = y;
    q->mVx = q->mVy = 0;
    return q;
  }
  Swarm swarm;
};

}  // namespace

TEST(SwarmPool, RemovedMembersAreReusedInRemovalOrderKeepingTheirTrails) {
  Swarm swarm;
  swarm.SetNumVrels(5);
  std::vector<const Vrel*> made = ActiveVrels(swarm);
  Vrel* last = swarm.Vrels().Last();
  last->mTrail[3].mX = 77;
  last->mTapDelay = 500;

  swarm.SetNumVrels(2);
  std::vector<const Vrel*> kept = ActiveVrels(swarm);
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(kept[0]->mIndex, 0);
  EXPECT_EQ(kept[1]->mIndex, 1);
  EXPECT_EQ(kept[0], made[0]);  // the leader survives

  swarm.SetNumVrels(0);
  EXPECT_EQ(swarm.mNumVrels, 0);
  EXPECT_TRUE(swarm.Vrels().IsEmpty());

  // Removed from the end: 4, 3, 2, then 1, 0. The first removed comes back first.
  swarm.SetNumVrels(3);
  std::vector<const Vrel*> reused = ActiveVrels(swarm);
  EXPECT_EQ(reused[0], made[4]);
  EXPECT_EQ(reused[1], made[3]);
  EXPECT_EQ(reused[2], made[2]);
  EXPECT_EQ(reused[0]->mIndex, 0);
  EXPECT_EQ(reused[0]->mTrail[3].mX, 77);  // stale trail kept
  EXPECT_EQ(reused[0]->mTapDelay, 0.0);    // tap restarts

  // Requests beyond the limits are held to them.
  swarm.SetNumVrels(500);
  EXPECT_EQ(swarm.mNumVrels, MAX_NUM_VRELS);
  swarm.SetNumChasers(-3);
  EXPECT_EQ(swarm.mNumPredators, 0);
  EXPECT_FALSE(swarm.RemoveVrel(nullptr));
}

TEST(SwarmPool, FixedSeedsGiveEveryInstanceTheSameMembers) {
  Swarm a, b;
  a.SetNumVrels(7);
  a.SetNumChasers(3);
  b.SetNumVrels(7);
  b.SetNumChasers(3);
  MwcRandom expected;
  const Vrel* va = a.Vrels().First();
  const Vrel* vb = b.Vrels().First();
  for (; va; va = VrelList::Next(va), vb = VrelList::Next(vb)) {
    EXPECT_EQ(va->mX, static_cast<int>(expected.Next() * 300));
    EXPECT_EQ(va->mY, static_cast<int>(expected.Next() * 240));
    EXPECT_EQ(va->mVx, 4 - expected.Next() * 4 * 2);
    EXPECT_EQ(va->mVy, 4 - expected.Next() * 4 * 2);
    EXPECT_EQ(va->mColour, static_cast<int>((expected.NextBits() & 0x7F7F7F) + 0x202020));
    EXPECT_EQ(va->mColour, vb->mColour);
    EXPECT_EQ(va->mX, vb->mX);
    for (int shift = 0; shift < 24; shift += 8) {
      int channel = (va->mColour >> shift) & 0xFF;
      EXPECT_GE(channel, 0x20);
      EXPECT_LE(channel, 0x9F);
    }
  }
  const Predator* qa = a.Chasers().First();
  for (const Predator* qb = b.Chasers().First(); qb;
       qb = PredatorList::Next(qb), qa = PredatorList::Next(qa)) {
    EXPECT_EQ(qa->mX, qb->mX);
    EXPECT_EQ(qa->mColour, qb->mColour);
    EXPECT_EQ(qa->mChaseTimer, 70);
    EXPECT_LE(std::fabs(qa->mVx), 2.5);
  }
}

TEST(SwarmPool, SnapshotCopiesTrailsAndCounts) {
  Swarm swarm;
  SwarmSnapshot snapshot;
  snapshot.mNumVrels = snapshot.mNumChasers = -1;
  swarm.CopySnapshot(&snapshot);
  EXPECT_EQ(snapshot.mNumVrels, 0);
  EXPECT_EQ(snapshot.mNumChasers, 0);

  swarm.SetNumVrels(3);
  swarm.SetNumChasers(2);
  swarm.UpdateVrels();
  swarm.UpdateChasers();
  swarm.CopySnapshot(&snapshot);
  EXPECT_EQ(snapshot.mNumVrels, 3);
  EXPECT_EQ(snapshot.mNumChasers, 2);
  const Vrel* second = VrelList::Next(swarm.Vrels().First());
  EXPECT_EQ(snapshot.mEntries[1].mTrailIndex, 1);
  EXPECT_EQ(snapshot.mEntries[1].mTrail[1].mX, static_cast<int>(second->mX));
  EXPECT_EQ(snapshot.mEntries[MAX_NUM_VRELS + 1].mColour, swarm.Chasers().Last()->mColour);
}

TEST_F(SwarmFixture, BounceOffTheLeftBoundThenFriction) {
  Vrel* v = AddVrelAt(1, 100, -3, 0);
  swarm.Move(v);
  EXPECT_EQ(v->mX, 0.0);
  EXPECT_EQ(v->mVx, -3 + 5 - 0.5);
  EXPECT_EQ(v->mTrailIndex, 1);

  // The right, top and bottom bounces keep the margin; the clamp does not.
  Vrel* w = AddVrelAt(294, 6, 3, -3);
  swarm.Move(w);
  EXPECT_EQ(w->mX, 300 - Vrel::MARGIN);
  EXPECT_EQ(w->mY, 0 + Vrel::MARGIN);
  EXPECT_EQ(w->mVx, 3 - 5 + 0.5);
  EXPECT_EQ(w->mVy, -3 + 5 - 0.5);
  // A component below the friction changes sign.
  Vrel* slow = AddVrelAt(150, 100, 0.2, 0);
  swarm.Move(slow);
  EXPECT_DOUBLE_EQ(slow->mVx, -0.3);
  EXPECT_EQ(slow->mVy, 0.0);
}

TEST_F(SwarmFixture, SpeedLimitKeepsTheComponentRatio) {
  Vrel* v = AddVrelAt(150, 100, 30, -15);
  Swarm::LimitSpeed(v);
  EXPECT_NEAR(v->mVx, 4.0, 0.01);
  EXPECT_NEAR(v->mVx / v->mVy, -2.0, 0.01);
  Vrel* w = AddVrelAt(150, 100, 1, 4);
  Swarm::LimitSpeed(w);
  EXPECT_NEAR(w->mVy, 4.0, 0.02);
  EXPECT_NEAR(w->mVy / w->mVx, 4.0, 0.1);
}

TEST_F(SwarmFixture, SeparationAtEqualCoordinatesPushesAtFullStrength) {
  Vrel* a = AddVrelAt(100, 100);
  AddVrelAt(100, 105);
  double rx, ry;
  swarm.Separation(a, swarm.Vrels().First(), &rx, &ry);
  EXPECT_EQ(rx, -4 * 20.0 / 1);  // dx of 0 counts as 1
  EXPECT_EQ(ry, -4 * 20.0 / 5);
  // Beyond the comfort distance nothing pushes.
  Vrel* far = AddVrelAt(200, 200);
  swarm.Separation(far, swarm.Vrels().First(), &rx, &ry);
  EXPECT_EQ(rx, 0.0);
  EXPECT_EQ(ry, 0.0);
}

TEST_F(SwarmFixture, ChaseStaysFiniteWhenTheTargetIsLevel) {
  Vrel* target = AddVrelAt(200, 100);
  Predator* q = AddChaserAt(100, 100);
  q->mpTarget = target;
  EXPECT_FALSE(swarm.Chase(q));
  EXPECT_EQ(q->mVx, 4.0);
  EXPECT_EQ(q->mVy, 0.0);
  q->mX = 200;
  q->mY = 50;
  EXPECT_FALSE(swarm.Chase(q));
  EXPECT_EQ(q->mVx, 0.0);
  EXPECT_EQ(q->mVy, 4.0);
  // Diagonal: the larger component is the boost, the direction points at the target.
  q->mX = 180;
  q->mY = 140;  // dx 20, dy -40
  swarm.Chase(q);
  EXPECT_EQ(q->mVy, -4.0);
  EXPECT_EQ(q->mVx, 2.0);
  // Within 10 units: caught, velocity untouched.
  q->mX = 195;
  q->mY = 95;
  EXPECT_TRUE(swarm.Chase(q));
  EXPECT_EQ(q->mVy, -4.0);
}

TEST_F(SwarmFixture, ChaserHuntsAHundredUpdatesThenRecharges) {
  // A still vrel in sight and a chaser without boost: it never catches.
  swarm.mVrelSpeed = 0;
  swarm.mBoost = 0;
  AddVrelAt(150, 120);
  Predator* q = AddChaserAt(150, 60);
  std::vector<int> starts, ends;
  bool hunting = false;
  for (int update = 1; update <= 400; ++update) {
    swarm.UpdateVrels();
    swarm.UpdateChasers();
    if (!hunting && q->mpTarget) starts.push_back(update);
    if (hunting && !q->mpTarget) ends.push_back(update);
    hunting = q->mpTarget != nullptr;
  }
  // Timer 70 recharges to 100 in 30 updates; a hunt lasts 100 updates and
  // the timer then recharges from 0 for another 100.
  ASSERT_GE(starts.size(), 2u);
  EXPECT_EQ(starts[0], 30);
  EXPECT_EQ(ends[0], 130);
  EXPECT_EQ(starts[1], 230);
}

TEST_F(SwarmFixture, LoneVrelIsPulledTowardsRestAndTheOrigin) {
  swarm.mAlignWeight = 0.5;
  swarm.mCentreWeight = 0.001;
  Vrel* v = AddVrelAt(150, 120, 2, 1);
  swarm.UpdateVrels();
  // Alignment halves the velocity (the others' average is 0) and cohesion
  // pulls towards the origin: (0.85, 0.38) before the speed limit.
  double direction = 0.85 / 0.38;
  double vx = v->mVx + 0.5, vy = v->mVy + 0.5;  // undo friction
  EXPECT_NEAR(vx / vy, direction, 0.05);
  EXPECT_NEAR(v->mX, 150 + vx, 1e-9);
  EXPECT_EQ(v->mIndex, 0);
}

TEST(SwarmRules, RandomSettingsNeverLeaveTheBoundsOrTurnNonFinite) {
  Swarm swarm;
  MwcRandom random;
  auto pick = [&random](double low, double high) {
    double r = random.Next();
    if (r < 0.1) return low;  // the extremes often
    if (r > 0.9) return high;
    return low + random.Next() * (high - low);
  };
  for (int update = 0; update < 4000; ++update) {
    if (update % 50 == 0) {
      swarm.SetNumVrels(static_cast<int>(pick(0, 200)));
      swarm.SetNumChasers(static_cast<int>(pick(0, 20)));
      swarm.mVrelSpeed = pick(0, 20);
      swarm.mChaserSpeed = pick(0, 20);
      swarm.mBoost = pick(0, 20);
      swarm.mComfort = pick(1, 99);
      swarm.mComfortSquared = swarm.mComfort * swarm.mComfort;
      swarm.mAlignWeight = pick(1.0 / 2476, 1);
      swarm.mCentreWeight = pick(1.0 / 2451, 1);
      swarm.mRepelWeight = pick(1.0 / 2451, 1);
      swarm.mFollow = pick(0, 0.25);
      swarm.mBoundLeft = static_cast<int>(pick(0, 290));
      swarm.mBoundTop = static_cast<int>(pick(0, 230));
      double width = pick(10, 300 - swarm.mBoundLeft);
      swarm.mBoundRight = static_cast<int>(swarm.mBoundLeft + (width < 10 ? 10 : width));
      swarm.mBoundBottom = swarm.mBoundTop + 10 + static_cast<int>(random.Next() * (230 - swarm.mBoundTop));
      swarm.mGatherActive = random.Next() < 0.2;
      swarm.mScatter = random.Next() < 0.5 ? 0 : 1;
      swarm.mGatherX = pick(0, 300);
      swarm.mGatherY = pick(0, 240);
    }
    swarm.UpdateVrels();
    swarm.UpdateChasers();
    auto check = [&](const Creature* c) {
      ASSERT_TRUE(std::isfinite(c->mX) && std::isfinite(c->mY)) << "update " << update;
      ASSERT_TRUE(std::isfinite(c->mVx) && std::isfinite(c->mVy)) << "update " << update;
      ASSERT_GE(c->mX, swarm.mBoundLeft);
      ASSERT_LE(c->mX, swarm.mBoundRight);
      ASSERT_GE(c->mY, swarm.mBoundTop);
      ASSERT_LE(c->mY, swarm.mBoundBottom);
    };
    for (const Vrel* v = swarm.Vrels().First(); v; v = VrelList::Next(v)) check(v);
    for (const Predator* q = swarm.Chasers().First(); q; q = PredatorList::Next(q)) check(q);
  }
}

TEST(SwarmStep, InputsBecomeCountsWeightsAndSpeeds) {
  VrelsPlugin plug(nullptr);
  FixedSwarmInputs inputs;
  inputs.Set(kSwarmVrelCount, 12.9);
  inputs.Set(kSwarmVrelSpeed, 3);
  inputs.Set(kSwarmVrelCentre, 99);
  inputs.Set(kSwarmVrelAlign, 100);
  inputs.Set(kSwarmVrelRepel, 1);
  inputs.Set(kSwarmVrelComfort, 30);
  inputs.Set(kSwarmVrelFollow, 100);
  inputs.Set(kSwarmChaserCount, 4);
  inputs.Set(kSwarmChaserBoost, 5);
  inputs.Set(kSwarmChaserSpeed, 2);
  plug.SwarmStep(inputs);
  const Swarm& swarm = plug.GetSwarm();
  EXPECT_EQ(swarm.mNumVrels, 12);
  EXPECT_EQ(swarm.mNumPredators, 4);
  EXPECT_EQ(swarm.mCentreWeight, 1.0);
  EXPECT_EQ(swarm.mAlignWeight, 1.0);
  EXPECT_EQ(swarm.mRepelWeight, 1.0 / (98 * 25 + 1));
  EXPECT_EQ(swarm.mComfortSquared, 900.0);
  EXPECT_EQ(swarm.mFollow, 0.25);
  EXPECT_EQ(swarm.mBoost, 5.0);
  EXPECT_EQ(swarm.mChaserSpeed, 2.0);

  SwarmSnapshot snapshot;
  plug.GetSwarmSnapshot(&snapshot);
  EXPECT_EQ(snapshot.mNumVrels, 12);
  EXPECT_EQ(snapshot.mEntries[0].mTrailIndex, 1);  // moved once
}
