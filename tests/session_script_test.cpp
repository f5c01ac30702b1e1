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
    session.noteHand(c.before, c.now, false);
    EXPECT_EQ(session.text(), c.text);
  }
}

TEST(SessionScript, PlacesFollowTheHandAndOnlyTheLastPlacedMoveCounts) {
  // While the sheet stands still every hold and move is placed; a place
  // overwrites the particle and its previous position, so of moves placed
  // one after another only the last one tells.
  const Grab none{};
  const Grab holding{true, 7, Vector3(1, 2, 3)};
  const Grab moved{true, 7, Vector3(1, 2, 4)};
  const Grab movedAgain{true, 7, Vector3(1, 2, 5)};
  const Grab released{false, 7, Vector3(1, 2, 5)};
  SessionScript session;
  session.noteHand(none, holding, true);
  session.noteHand(holding, moved, true);
  session.noteHand(moved, movedAgain, true);
  EXPECT_EQ(session.text(), "grab:7@1,2,3 place move:1,2,5 place");
  session.noteHand(movedAgain, movedAgain, true);  // placed again with nothing between
  session.noteHand(movedAgain, released, false);
  session.note(Steps{3});
  EXPECT_EQ(session.text(), "grab:7@1,2,3 place move:1,2,5 place release +3");

  // Running, moves are not placed; a step between keeps both places.
  SessionScript running;
  running.noteHand(none, holding, false);
  running.noteHand(holding, moved, true);
  running.note(Steps{1});
  running.noteHand(moved, movedAgain, true);
  EXPECT_EQ(running.text(), "grab:7@1,2,3 move:1,2,4 place +1 move:1,2,5 place");
}

}  // namespace
