#pragma once

// Runs of the start-up sheet with the lab's parts at work, for the checks
// that every build and both steps move it alike: what the user does before
// each step n.

#include <functional>

#include "sim/cloth.h"

struct LabScenario {
  const char* name;
  int steps;
  std::function<void(Cloth&, int)> beforeStep;
};

inline const LabScenario LAB_SCENARIOS[] = {
    {"wind, turning", 300,
     [](Cloth& c, int n) {
       if (n == 0) c.wind = Vector3(0.004, 0.0, 0.006);
       if (n == 150) c.wind = Vector3(-0.01, 0.002, -0.003);
     }},
    {"a ball swept through the hanging sheet", 300,
     [](Cloth& c, int n) {
       c.ball = {true, Vector3(42.0, 55.0, -45.0 + 0.3 * n), 12.0};
       if (n == 250) c.ball.present = false;
     }},
    {"torn by a pull, then laid out again", 300,
     [](Cloth& c, int n) {
       if (n == 0) c.tearRatio = 1.8;
       if (n == 40) c.grabParticle(2024, Vector3(90, 10, 0));
       if (n > 40 && n < 160) c.moveGrab(Vector3(90 + n, 10 - 0.5 * n, 0.7 * n));
       if (n == 160) c.releaseGrab();
       if (n == 280) c.layOutSprings();
     }},
    {"cut across the middle", 200,
     [](Cloth& c, int n) {
       if (n == 80)
         c.cutSprings(Vector3(-100, 60, -200), Vector3(200, 60, -200), Vector3(50, 60, 300));
       if (n == 120)
         c.cutSprings(Vector3(30, -50, -200), Vector3(30, 200, -200), Vector3(30, 50, 300));
     }},
    {"ten passes, less damping, gravity aslant", 200,
     [](Cloth& c, int n) {
       if (n == 0) {
         c.relaxationPasses = 10;
         c.damping = 0.95;
         c.setGravity(0.002, -0.02, 0.001);
       }
       if (n == 100) c.relaxationPasses = 3;
     }},
    {"everything at once", 300,
     [](Cloth& c, int n) {
       if (n == 0) {
         c.wind = Vector3(0.003, 0.0, 0.008);
         c.tearRatio = 2.5;
         c.relaxationPasses = 4;
         c.damping = 0.999;
       }
       c.ball = {true, Vector3(40.0 + 0.1 * n, 50.0, 10.0), 9.5};
       if (n == 100)
         c.cutSprings(Vector3(-100, 70, -200), Vector3(200, 70, -200), Vector3(50, 70, 300));
       if (n == 150) c.grabParticle(2000, Vector3(30, 5, 40));
       if (n > 150) c.moveGrab(Vector3(30 - 0.5 * (n - 150), 5, 40));
     }},
};
