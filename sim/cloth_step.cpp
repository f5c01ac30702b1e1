// The time step, arranged for speed. It gives exactly the results of the
// plain transcription in plain_step.cpp, value for value; each trick
// says why it rounds the same.
//
// A step is bound by the relaxation: one serial chain of some 15,700 spring
// relaxations, each waiting for the owner's position that the previous one
// moved, through a square root, a division and a dozen adds and multiplies.
// The rest of the step is done beside that chain, in the time the processor
// would otherwise spend waiting on it, and the chain itself is kept short.
#include <cmath>

#include "sim/cloth.h"

namespace {

// The face normal of quad q with first corner r, from the positions at the
// start of the step.
void computeFaceNormal(const Vector3* positions, int r, Vector3& normal) {
  const Vector3 towardNextColumn = positions[r + 1] - positions[r];
  const Vector3 towardNextRow = positions[r + GRID_SIDE] - positions[r];
  normal = towardNextRow.cross(towardNextColumn);
  // Normals are kept off the -x half-space before normalising.
  if (normal.x < 0.0) normal.x = 0.0;
  normalize(normal);
}

// (length - restLength) / length, rounded to float.
inline float correctionFactor(float length, float restLength) {
  if (length == 0.0f) return 0.0f;
  // Near the rest length (restLength/2 <= length <= 2 restLength), length -
  // restLength is exact in float (Sterbenz's lemma), and the quotient of two
  // floats rounded to double and then to float is the quotient rounded once
  // to float (53 >= 2 x 24 + 2 bits). So float arithmetic gives the double
  // formula's result, with a shorter latency.
  if (length >= 0.5f * restLength && length <= 2.0f * restLength)
    return (length - restLength) / length;
  return static_cast<float>((static_cast<double>(length) - static_cast<double>(restLength)) /
                            static_cast<double>(length));
}

// One spring entry, with `owner` standing for positions[first] and `other`
// for positions[second]: the relaxation of the plain step.
inline void relaxEntry(Vector3& owner, Vector3& other, float restLength, double stiffness) {
  const Vector3 delta = other - owner;
  const float length = static_cast<float>(std::sqrt(delta.dot(delta)));
  const Vector3 correction =
      (delta * stiffness) * static_cast<double>(correctionFactor(length, restLength));
  owner += correction;
  other -= correction;
}

// The damped position Verlet update of one particle; the time step enters
// only as its square.
void integrateParticle(Cloth& cloth, int i, Vector3 acceleration) {
  cloth.accelerations[i] = acceleration;
  Vector3& position = cloth.positions[i];
  const Vector3 old = position;
  const double damping = cloth.damping;
  // Grouping fixed: both damped terms rounded before their difference.
  const Vector3 travel = (position * damping - cloth.previousPositions[i] * damping) +
                         ((acceleration * cloth.timeStep) * cloth.timeStep) * 0.5;
  position += travel;
  cloth.previousPositions[i] = old;
}

// Gravity alone: the specified forces.
void integrateParticle(Cloth& cloth, int i) { integrateParticle(cloth, i, cloth.gravity); }

bool isFinite(Vector3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// One relaxation pass: box clamp and springs, particle by particle. With
// INTERLEAVED, the pass also integrates each particle just before it is
// first reached and computes the face normals as it goes (the specified
// step's first pass); otherwise everything is integrated already.
template <bool INTERLEAVED>
void relaxationPass(Cloth& cloth) {
  Vector3* positions = cloth.positions;
  // The box each particle is clamped into at the start of its turn.
  const double box = cloth.boxSize;
  const Vector3 lower(0.0, 0.0, -0.5 * box);
  const Vector3 upper(box, box, 0.5 * box);
  const double stiffness = cloth.stiffness;
  const bool finiteStiffness = std::isfinite(stiffness);

  // Integration and gravity go particle by particle, each independent of the
  // others, so a particle may be integrated at any time before the
  // relaxation first touches it: here one per turn, just ahead of the turn
  // that reaches it (the grid's springs reach GRID_SIDE + 1 particles ahead).
  int integrated = INTERLEAVED ? -1 : PARTICLE_COUNT - 1;  // particles 0 to integrated are
  auto integrateThrough = [&](int last) {
    if constexpr (INTERLEAVED) {
      while (integrated < last && integrated < PARTICLE_COUNT - 1)
        integrateParticle(cloth, ++integrated);
    }
  };
  constexpr int SPRING_REACH = GRID_SIDE + 1;

  Vector3 previousOwner;
  int quad = 0;
  for (int j = 0; j < PARTICLE_COUNT; ++j) {
    if constexpr (INTERLEAVED) {
      integrateThrough(j + SPRING_REACH);
      // Quad j's corners are integrated by now, and integration left their
      // positions at the start of the step in previousPositions, which the
      // relaxation never touches: the normals come out as if computed first.
      if (j % GRID_SIDE != GRID_SIDE - 1 && j < (GRID_SIDE - 1) * GRID_SIDE)
        computeFaceNormal(cloth.previousPositions, j, cloth.faceNormals[quad++]);
    }

    // The owner's position stays in registers across its eight entries.
    Vector3 owner = componentMin(componentMax(positions[j], lower), upper);
    for (const ClothSpring& spring : cloth.springs[j]) {
      if (spring.second > integrated) integrateThrough(spring.second);
      if (spring.first != j) {
        // Not an entry of the owner: the plain relaxation, in memory (where
        // the previous owner is always up to date).
        integrateThrough(spring.first);
        positions[j] = owner;
        relaxEntry(positions[spring.first], positions[spring.second], spring.restLength, stiffness);
        owner = positions[j];
        if (j > 0) previousOwner = positions[j - 1];
      } else if (spring.second == j) {
        // A missing neighbour (or a broken spring): the entry joins the
        // particle to itself. For finite values its difference, length and
        // factor are 0, and its correction of 0 only turns a -0 coordinate
        // into +0, as adding +0 does. An infinite or NaN value makes the
        // correction NaN: the plain arithmetic, on the one position, gives
        // that.
        if (finiteStiffness && isFinite(owner)) {
          owner += Vector3(0.0, 0.0, 0.0);
        } else {
          positions[j] = owner;
          relaxEntry(positions[j], positions[j], spring.restLength, stiffness);
          owner = positions[j];
        }
      } else if (spring.second == j - 1) {
        // The previous owner's final position is still in registers too: the
        // chain does not wait for its store to be read back.
        relaxEntry(owner, previousOwner, spring.restLength, stiffness);
        positions[j - 1] = previousOwner;
      } else {
        relaxEntry(owner, positions[spring.second], spring.restLength, stiffness);
      }
    }
    positions[j] = owner;
    previousOwner = owner;
  }
}

}  // namespace

void Cloth::step() {
  if (!hasWind()) {
    relaxationPass<true>(*this);
  } else {
    // The wind needs every normal before the first particle moves: the
    // plain order, normals, forces, integration, then the pass.
    for (int q = 0; q < QUAD_COUNT; ++q)
      computeFaceNormal(positions, quadCorner(q), faceNormals[q]);
    for (Vector3& acceleration : accelerations) acceleration = gravity;
    addWind();
    for (int i = 0; i < PARTICLE_COUNT; ++i) integrateParticle(*this, i, accelerations[i]);
    relaxationPass<false>(*this);
  }
  for (int pass = 1; pass < relaxationPasses; ++pass) relaxationPass<false>(*this);
  keepOutOfBall();
  // Pins last, in slot order: the highest slot naming a particle wins.
  for (int slot = 0; slot < pinCount; ++slot) positions[pins[slot].particle] = pins[slot].position;
  holdGrabbedParticle();
  tearStretchedSprings();
}
