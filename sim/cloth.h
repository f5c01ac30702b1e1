#pragma once

#include <cstdint>

#include "sim/vector3.h"

// Grid of the sheet: particle i sits at row i / GRID_SIDE, column i % GRID_SIDE.
constexpr int GRID_SIDE = 45;
constexpr int PARTICLE_COUNT = GRID_SIDE * GRID_SIDE;
// One quad per grid cell, numbered row by row.
constexpr int QUAD_COUNT = (GRID_SIDE - 1) * (GRID_SIDE - 1);
// Quad q's corners are this particle r, r + 1, r + GRID_SIDE and r + GRID_SIDE + 1.
constexpr int quadCorner(int q) { return (q / (GRID_SIDE - 1)) * GRID_SIDE + q % (GRID_SIDE - 1); }
constexpr int SPRINGS_PER_PARTICLE = 8;
constexpr int MAX_PINS = 5;

// Rest lengths are floats: 2·√2 is formed in double, then rounded.
constexpr float STRAIGHT_REST_LENGTH = 2.0f;
constexpr float DIAGONAL_REST_LENGTH = static_cast<float>(2.8284271247461903);

// Fraction of its last displacement a particle keeps from one step to the next.
constexpr double DAMPING_FACTOR = 0.99;
constexpr int RELAXATION_PASSES = 1;

// One end's view of a spring. Every spring is stored twice, once under each
// end; a missing neighbour is stored as the particle joined to itself with
// rest length 0, so every particle has exactly eight entries.
struct ClothSpring {
  int32_t first;
  int32_t second;
  float restLength;
};

struct PinnedPoint {
  Vector3 position;
  int32_t particle = 0;
};

// A solid ball the sheet cannot enter.
struct Ball {
  bool present = false;
  Vector3 centre;
  double radius = 0.0;
};

// A hand holding one particle at a target point: the mouse, a finger, or a
// script. Each step puts the particle on the target where the pins are put
// on theirs, after them, so the hand wins over a pin while it holds.
struct Grab {
  bool active = false;
  int32_t particle = 0;
  Vector3 target;  // scene units; the step holds it inside the box
};

// The mass-spring sheet. Everything is inline and fixed-size: nothing here
// allocates, and indices are not range-checked (callers stay in range).
struct Cloth {
  Vector3 positions[PARTICLE_COUNT];
  Vector3 previousPositions[PARTICLE_COUNT];  // Verlet history: one step back
  Vector3 accelerations[PARTICLE_COUNT];
  ClothSpring springs[PARTICLE_COUNT][SPRINGS_PER_PARTICLE];
  Vector3 gravity;
  Vector3 faceNormals[QUAD_COUNT];  // of the sheet as it was at the start of the last step
  double timeStep = 1.0;
  double stiffness = 0.5;
  PinnedPoint pins[MAX_PINS];  // a ring keeping the five most recent pins
  int32_t pinCount = 0;
  int32_t nextPinSlot = 0;
  // Edge of the box the particles are clamped into, in scene units. A float,
  // widened to double when the bounds are formed.
  float boxSize = 100.0f;
  Grab grab;

  // The lab: what a class adds to the sheet. At these values the step is the
  // specified one, value for value.
  int32_t relaxationPasses = RELAXATION_PASSES;
  double damping = DAMPING_FACTOR;
  Vector3 wind;               // scene units per step², pushing on the quads it meets
  Ball ball;                  // placed after the relaxation, before the pins
  double tearRatio = 0.0;     // a spring longer than this times its rest length breaks; 0 for never
  int32_t brokenSprings = 0;  // springs broken since the table was last laid out

  Cloth();

  // Set-up and parameters
  void resetGrid(double x0, double y0, double z0, double dx, double dy, double dz);
  void addPin(int particle, double x, double y, double z);
  void clearPins();
  void setStiffness(double value) { stiffness = value; }
  void setTimeStep(double value) { timeStep = value; }
  void setGravity(double x, double y, double z) { gravity = Vector3(x, y, z); }

  // Springs. Broken, a spring is stored as its missing neighbour is, the
  // particle joined to itself, at both ends, and does nothing from then on.
  void layOutSprings();  // every spring whole again
  // All four sides of quad q hold. Inline, for the frame: with nothing
  // broken there is no table to look at.
  bool quadIntact(int q) const { return brokenSprings == 0 || quadSidesHold(q); }
  bool quadSidesHold(int q) const;
  // After a step, with tearing on: breaks the springs stretched beyond the
  // ratio. A pinned particle's springs hold, as the pin holds the particle:
  // with one relaxation pass a hanging sheet's corner springs stay at up to
  // four times their rest length.
  void tearStretchedSprings();
  // Breaks every spring that crosses the triangle a, b, c (a cut: the sweep
  // of the pointer's ray between two moments). Returns how many broke.
  int cutSprings(Vector3 a, Vector3 b, Vector3 c);
  // After the relaxation: every particle inside the ball goes out to its
  // surface along the line from the centre.
  void keepOutOfBall();
  // With the accelerations at gravity and the face normals of the step:
  // each whole quad pushes its four corners with the wind's component along
  // its normal, a quarter to each (none edge-on, less as it turns away).
  void addWind();
  bool hasWind() const { return wind.x != 0.0 || wind.y != 0.0 || wind.z != 0.0; }

  // The hand. Released, the particle moves on with the velocity its last two
  // positions give it, as damped Verlet carries every particle.
  void grabParticle(int particle, Vector3 target);
  void moveGrab(Vector3 target);
  void releaseGrab() { grab.active = false; }
  // Last in a step, after the pins: the held particle on its target, held
  // inside the box as the clamp holds every particle.
  void holdGrabbedParticle();
  // The held particle on its target now rather than at the next step, at
  // rest there (its previous position with it), so that a hand moving a
  // sheet that stands still is seen at once and flings nothing when the
  // sheet starts. Nothing without a hand.
  void placeGrabbedParticle();

  // Accessors for drawing; copies, not references.
  Vector3 particlePosition(int i) const { return positions[i]; }
  Vector3 faceNormal(int q) const { return faceNormals[q]; }

  // One time step: the face normals of the sheet as it stands, gravity,
  // damped Verlet integration, then one in-place relaxation pass (box clamp
  // and springs, particle by particle) and the pins; with the lab, the wind
  // in the forces, more passes, the ball before the pins, and tearing last.
  void step();
};
