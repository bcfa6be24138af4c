#include "flock/Swarm.h"

#include <cmath>

namespace {
// Chasers closer than this (squared: 80 units) scare a vrel, which moves away
// by a twentieth of the distance per update on each axis within 80 units.
const double kChaserFearSquared = 6400;
const double kChaserFearReach = 80;
const double kChaserFearDivisor = 20;
// Gather moves 5 % of the way to the point per update; scatter 2 % away.
const double kGatherRate = 0.05;
const double kScatterRate = -0.02;
// The chasers' pull towards the flock is 1 / (1001 - 10 * pull) of the distance.
const int kChaserPullBase = 1001;
const int kChaserPullScale = 10;
// Walls are felt from 20 times the speed limit away, pushing with twice it.
const double kWallReachPerSpeed = 20;
const double kWallPushPerSpeed = 2;
const double kWallContactDistance = 0.01;
// Speed limiting keeps the component ratio; these keep it free of division by zero.
const double kSpeedEpsilon = 0.01;
const double kRatioEpsilon = 0.001;
// A bounce off a wall adds this much speed away from it.
const double kBounceKick = 5;
// Distances this small (but not zero) would make the separation and wall
// pushes overflow; they are held here, keeping the sign. The speed limit
// saturates such pushes anyway.
const double kMinPushDistance = 1e-9;

double Sign(double x) {
  return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0);
}

double HoldAwayFromZero(double d) {
  return std::fabs(d) < kMinPushDistance ? std::copysign(kMinPushDistance, d) : d;
}

}  // namespace

double Vrel::MaxSpeed() const {
  return mpSwarm->mVrelSpeed;
}
double Predator::MaxSpeed() const {
  return mpSwarm->mChaserSpeed;
}

// ---- Members ----------------------------------------------------------------

Swarm::Swarm() {
  for (int i = 0; i < MAX_NUM_VRELS; ++i) mReserveVrels.Append(new Vrel);
  for (int i = 0; i < MAX_NUM_CHASERS; ++i) mReservePredators.Append(new Predator);
}

void Swarm::PlaceAtRandom(Creature* creature, double speed) {
  creature->mX = static_cast<int>(mRandom.Next() * FIELD_WIDTH);
  creature->mY = static_cast<int>(mRandom.Next() * FIELD_HEIGHT);
  creature->mVx = speed - mRandom.Next() * speed * 2;
  creature->mVy = speed - mRandom.Next() * speed * 2;
}

void Swarm::AddVrel() {
  VRELS_ASSERT(mNumVrels < MAX_NUM_VRELS);
  Vrel* vrel = mFreeVrels.TakeFirst();
  if (!vrel) vrel = mReserveVrels.TakeFirst();
  if (!vrel) vrel = new Vrel;
  PlaceAtRandom(vrel, mVrelSpeed);
  // Each colour channel between 0x20 and 0x9F: visible on the dark view.
  vrel->mColour = static_cast<int>((mRandom.NextBits() & 0x7F7F7F) + 0x202020);
  vrel->mpSwarm = this;
  vrel->mTapDelay = 0;
  vrel->mIndex = mNumVrels;
  mVrels.Append(vrel);
  ++mNumVrels;
}

bool Swarm::RemoveVrel(Vrel* vrel) {
  if (!vrel || !mVrels.Contains(vrel)) return false;
  mVrels.Remove(vrel);
  mFreeVrels.Append(vrel);
  --mNumVrels;
  VRELS_ASSERT(mNumVrels >= 0);
  return true;
}

void Swarm::AddChaser() {
  Predator* chaser = mFreePredators.TakeFirst();
  if (!chaser) chaser = mReservePredators.TakeFirst();
  if (!chaser) chaser = new Predator;
  PlaceAtRandom(chaser, mChaserSpeed);
  chaser->mColour = static_cast<int>(mRandom.NextBits() & 0xFFFFFF);
  chaser->mpTarget = nullptr;
  chaser->mChaseTimer = Predator::CHASE_TIMER_START;
  chaser->mpSwarm = this;
  chaser->mSight = Predator::SIGHT_SQUARED;
  mPredators.Append(chaser);
  ++mNumPredators;
}

bool Swarm::RemoveChaser(Predator* chaser) {
  if (!chaser || !mPredators.Contains(chaser)) return false;
  mPredators.Remove(chaser);
  mFreePredators.Append(chaser);
  --mNumPredators;
  VRELS_ASSERT(mNumPredators >= 0);
  return true;
}

void Swarm::SetNumVrels(int n) {
  if (n < 0) n = 0;
  if (n > MAX_NUM_VRELS) n = MAX_NUM_VRELS;
  while (mNumVrels < n) AddVrel();
  while (mNumVrels > n) {
    bool found = RemoveVrel(mVrels.Last());
    VRELS_ASSERT(found);
  }
}

void Swarm::SetNumChasers(int n) {
  if (n < 0) n = 0;
  if (n > MAX_NUM_CHASERS) n = MAX_NUM_CHASERS;
  while (mNumPredators < n) AddChaser();
  while (mNumPredators > n) RemoveChaser(mPredators.Last());
}

void Swarm::CopySnapshot(SwarmSnapshot* snapshot) const {
  auto copy = [](const Creature* creature, SwarmSnapshotEntry* entry) {
    entry->mTrailIndex = creature->mTrailIndex;
    for (int i = 0; i < TRAIL_LENGTH; ++i) entry->mTrail[i] = creature->mTrail[i];
    entry->mColour = creature->mColour;
  };
  int n = 0;
  for (const Vrel* v = mVrels.First(); v && n < MAX_NUM_VRELS; v = VrelList::Next(v)) {
    copy(v, &snapshot->mEntries[n++]);
  }
  snapshot->mNumVrels = n;
  n = 0;
  for (const Predator* q = mPredators.First(); q && n < MAX_NUM_CHASERS; q = PredatorList::Next(q)) {
    copy(q, &snapshot->mEntries[MAX_NUM_VRELS + n++]);
  }
  snapshot->mNumChasers = n;
}

// ---- Rules -------------------------------------------------------------------

void Swarm::UpdateVrels() {
  double cx = 0, cy = 0;
  if (mNumPredators > 0) {
    for (const Predator* q = mPredators.First(); q; q = PredatorList::Next(q)) {
      cx += q->mX;
      cy += q->mY;
    }
    cx /= mNumPredators;
    cy /= mNumPredators;
  }
  double c = mNumVrels >= 2 ? 1.0 / (mNumVrels - 1) : 1.0;
  double sumX = 0, sumY = 0, sumVx = 0, sumVy = 0;
  for (const Vrel* v = mVrels.First(); v; v = VrelList::Next(v)) {
    sumX += v->mX;
    sumY += v->mY;
    sumVx += v->mVx;
    sumVy += v->mVy;
  }

  // The positions as the update goes, in list order, for the separation
  // rule's walk over every pair.
  int count = 0;
  for (const Vrel* v = mVrels.First(); v && count < MAX_NUM_VRELS; v = VrelList::Next(v), ++count) {
    mFlockX[count] = v->mX;
    mFlockY[count] = v->mY;
  }
  const bool mirrored = count == mNumVrels;

  const Vrel* leader = mVrels.First();
  int self = 0;
  for (Vrel* v = mVrels.First(); v; v = VrelList::Next(v), ++self) {
    double x0 = v->mX, y0 = v->mY, vx0 = v->mVx, vy0 = v->mVy;
    double ax = (sumVx - vx0) * c, ay = (sumVy - vy0) * c;
    double px = (sumX - x0) * c, py = (sumY - y0) * c;

    if (mGatherActive) {
      double rate = mScatter == 0 ? kGatherRate : kScatterRate;
      v->mX += (mGatherX - v->mX) * rate;
      v->mY += (mGatherY - v->mY) * rate;
    } else if (v->mIndex > 0) {
      v->mX += (leader->mX - v->mX) * mFollow;
      v->mY += (leader->mY - v->mY) * mFollow;
    }

    v->mVx = vx0 + (ax - vx0) * mAlignWeight + (px - v->mX) * mCentreWeight;
    v->mVy = vy0 + (ay - vy0) * mAlignWeight + (py - v->mY) * mCentreWeight;

    double rx, ry;
    if (mirrored) {
      mFlockX[self] = v->mX;
      mFlockY[self] = v->mY;
      SeparationInFlock(self, v->MaxSpeed(), &rx, &ry);
    } else {
      Separation(v, mVrels.First(), &rx, &ry);
    }
    v->mVx += rx * mRepelWeight;
    v->mVy += ry * mRepelWeight;

    double dx = cx - v->mX, dy = cy - v->mY;
    if (dx * dx + dy * dy < kChaserFearSquared) {
      if (std::fabs(dx) < kChaserFearReach) v->mVx -= dx / kChaserFearDivisor;
      if (std::fabs(dy) < kChaserFearReach) v->mVy -= dy / kChaserFearDivisor;
    }

    AvoidWalls(v);
    LimitSpeed(v);
    Move(v);
    if (mirrored) {
      mFlockX[self] = v->mX;
      mFlockY[self] = v->mY;
    }
  }
}

void Swarm::UpdateChasers() {
  double fx = 0, fy = 0;
  if (mNumVrels > 0) {
    for (const Vrel* v = mVrels.First(); v; v = VrelList::Next(v)) {
      fx += v->mX;
      fy += v->mY;
    }
    fx /= mNumVrels;
    fy /= mNumVrels;
  }

  for (Predator* q = mPredators.First(); q; q = PredatorList::Next(q)) {
    if (q->mpTarget) {
      --q->mChaseTimer;
      if (Chase(q)) q->mpTarget = nullptr;
      if (q->mChaseTimer < 1) q->mpTarget = nullptr;
      Move(q);
      continue;
    }
    if (q->mChaseTimer < Predator::CHASE_TIMER_FULL) ++q->mChaseTimer;
    Vrel* seen = nullptr;
    for (Vrel* v = mVrels.First(); v; v = VrelList::Next(v)) {
      double dx = q->mX - v->mX, dy = q->mY - v->mY;
      if (dx * dx + dy * dy < q->mSight) {
        seen = v;
        break;
      }
    }
    if (seen && q->mChaseTimer > Predator::CHASE_TIMER_FULL - 1) {
      q->mpTarget = seen;
      q->mChaseTimer = Predator::CHASE_TIMER_FULL;
      Move(q);
      continue;
    }

    int d = kChaserPullBase - kChaserPullScale * mChaserPull;
    q->mVx += (fx - q->mX) / d;
    q->mVy += (fy - q->mY) / d;

    double rx, ry;
    Separation(q, mPredators.First(), &rx, &ry);
    q->mVx += mRepelWeight * rx;
    q->mVy += mRepelWeight * ry;

    AvoidWalls(q);
    LimitSpeed(q);
    Move(q);
  }
}

bool Swarm::Chase(Predator* q) const {
  const Vrel* target = q->mpTarget;
  double dx = target->mX - q->mX, dy = target->mY - q->mY;
  if (dx * dx + dy * dy < mCatchDistanceSquared) return true;
  // The larger component becomes the boost; the other keeps the direction.
  // A level axis (dx or dy exactly 0) gets no speed on it, never 0 / 0.
  double b = mBoost;
  double r = std::fabs(dx) / std::fabs(dy);
  if (r > 1) {
    q->mVx = Sign(dx) * b;
    q->mVy = Sign(dy) * b / r;
  } else {
    q->mVy = Sign(dy) * b;
    q->mVx = Sign(dx) * b * r;
  }
  return false;
}

namespace {
// One neighbour's push on a creature at distance (dx, dy) inside comfort.
// The closer a neighbour on an axis, the harder the push; an axis takes a
// push only while it beats what was collected so far.
inline void Push(double dx, double dy, double m, double comfort, double* pushX, double* pushY) {
  dx = dx == 0 ? 1 : HoldAwayFromZero(dx);
  if (std::fabs(m / dx) > std::fabs(*pushX)) *pushX -= m * comfort / dx;
  dy = dy == 0 ? 1 : HoldAwayFromZero(dy);
  if (std::fabs(m / dy) > std::fabs(*pushY)) *pushY -= m * comfort / dy;
}
}  // namespace

void Swarm::Separation(const Creature* s, const Creature* first, double* rx, double* ry) const {
  double pushX = 0, pushY = 0;
  const double m = s->MaxSpeed();
  for (const Node* node = first; node; node = node->mpNext) {
    const Creature* n = static_cast<const Creature*>(node);
    if (n == s) continue;
    double dx = n->mX - s->mX, dy = n->mY - s->mY;
    if (dx * dx + dy * dy >= mComfortSquared) continue;
    Push(dx, dy, m, mComfort, &pushX, &pushY);
  }
  *rx = pushX;
  *ry = pushY;
}

void Swarm::SeparationInFlock(int self, double m, double* rx, double* ry) const {
  double pushX = 0, pushY = 0;
  const double sx = mFlockX[self], sy = mFlockY[self];
  for (int j = 0; j < mNumVrels; ++j) {
    if (j == self) continue;
    double dx = mFlockX[j] - sx, dy = mFlockY[j] - sy;
    if (dx * dx + dy * dy >= mComfortSquared) continue;
    Push(dx, dy, m, mComfort, &pushX, &pushY);
  }
  *rx = pushX;
  *ry = pushY;
}

void Swarm::AvoidWalls(Creature* s) const {
  double m = s->MaxSpeed();
  double reach = kWallReachPerSpeed * m, push = kWallPushPerSpeed * m;
  double x = s->mX, y = s->mY;
  auto distance = [](double d) { return d == 0 ? kWallContactDistance : HoldAwayFromZero(d); };
  if (x > mBoundRight - reach) s->mVx -= std::fabs(push / distance(x - mBoundRight));
  if (y > mBoundBottom - reach) s->mVy -= std::fabs(push / distance(y - mBoundBottom));
  if (x < mBoundLeft + reach) s->mVx += std::fabs(push / distance(x - mBoundLeft));
  if (y < mBoundTop + reach) s->mVy += std::fabs(push / distance(y - mBoundTop));
}

void Swarm::LimitSpeed(Creature* s) {
  double m = s->MaxSpeed();
  double ax = std::fabs(s->mVx), ay = std::fabs(s->mVy);
  double q = ax / (ay + kSpeedEpsilon);
  if (ax > ay) {
    s->mVx = m * s->mVx / (ax + kSpeedEpsilon);
    s->mVy = m * s->mVy / (ay + kSpeedEpsilon) / (q + kRatioEpsilon);
  } else {
    s->mVx = m * s->mVx / (ax + kSpeedEpsilon) * q;
    s->mVy = m * s->mVy / (ay + kSpeedEpsilon);
  }
}

void Swarm::Move(Creature* s) const {
  double x = s->mX + s->mVx;
  if (x < mBoundLeft && x < s->mX) {
    s->mX = mBoundLeft;
    s->mVx += kBounceKick;
  } else if (x > mBoundRight - s->mMarginX && x > s->mX) {
    s->mX = mBoundRight - s->mMarginX;
    s->mVx -= kBounceKick;
  } else {
    s->mX = x;
  }
  double y = s->mY + s->mVy;
  if (y < mBoundTop + s->mMarginY && y < s->mY) {
    s->mY = mBoundTop + s->mMarginY;
    s->mVy += kBounceKick;
  } else if (y > mBoundBottom - s->mMarginY && y > s->mY) {
    s->mY = mBoundBottom - s->mMarginY;
    s->mVy -= kBounceKick;
  } else {
    s->mY = y;
  }
  if (s->mVx != 0) s->mVx -= Sign(s->mVx) * s->mFriction;
  if (s->mVy != 0) s->mVy -= Sign(s->mVy) * s->mFriction;
  if (s->mX < mBoundLeft) s->mX = mBoundLeft;
  if (s->mX > mBoundRight) s->mX = mBoundRight;
  if (s->mY < mBoundTop) s->mY = mBoundTop;
  if (s->mY > mBoundBottom) s->mY = mBoundBottom;
  s->mTrailIndex = (s->mTrailIndex + 1) & (TRAIL_LENGTH - 1);
  s->mTrail[s->mTrailIndex].mX = static_cast<int>(s->mX);
  s->mTrail[s->mTrailIndex].mY = static_cast<int>(s->mY);
}
