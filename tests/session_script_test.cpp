// The session's script, as the page's link to this moment writes it: what
// merges, what collapses, and what the hand's state changes become.
#include "app/session_script.h"

#include <gtest/gtest.h>

namespace {

TEST(SessionScript, StepsMergeAndMovesBetweenStepsCollapseToTheLast) {
  SessionScript session;
  for (const ScriptToken& token : std::vector<ScriptToken>{
           KeyPress{'t'}, Steps{1}, Steps{1}, Steps{30}, GrabHold{2024, Vector3(95, 5, 0)},
           GrabMove{Vector3(90, 10, 0)}, GrabMove{Vector3(85, 15, 1)}, Steps{2},
           GrabMove{Vector3(80, 20, 2)}, GrabRelease{}, Steps{1}})
    session.note(token);
  EXPECT_EQ(session.text(), "t +32 grab:2024@95,5,0 move:85,15,1 +2 move:80,20,2 release +1");
  EXPECT_EQ(session.steps(), 35);
}

TEST(SessionScript, ALongSessionsStepsAreWrittenAsTokensTheParserTakes) {
  SessionScript session;
  for (int n = 0; n < 3; ++n) session.note(Steps{MAX_STEPS_PER_TOKEN});
  EXPECT_EQ(session.text(), "+1000000 +1000000 +1000000");
}

TEST(SessionScript, TheHandsStateChangesBecomeItsTokens) {
  const Grab none{};
  const Grab holding{true, 7, Vector3(1, 2, 3)};
  const Grab moved{true, 7, Vector3(1, 2, 4)};
  const Grab other{true, 8, Vector3(1, 2, 4)};
  const Grab released{false, 7, Vector3(1, 2, 4)};
  struct Case {
    Grab before, now;
    const char* text;
  };
  const Case cases[] = {
      {none, none, ""},
      {none, holding, "grab:7@1,2,3"},
      {holding, holding, ""},
      {holding, moved, "move:1,2,4"},
      {moved, other, "grab:8@1,2,4"},
      {moved, released, "release"},
      {released, released, ""},
  };
  for (const Case& c : cases) {
    SessionScript session;
    session.noteHand(c.before, c.now);
    EXPECT_EQ(session.text(), c.text);
  }
}

}  // namespace
