// The global key state from real raw key events, pressed through XTest on a private Xvfb.
#include "platform/linux/x11_key_state.h"
#include "x_session.h"

#include <gtest/gtest.h>

namespace clipnest::x11 {
namespace {

namespace keycode = test_support::keycode;
using test_support::RunEventsUntil;
using test_support::XSession;

class X11KeyStateTest : public ::testing::Test {
 protected:
  // The state as Windows gives it: 0x8000 down now, 0x0001 went down since the last query.
  unsigned Query(int virtual_key) {
    return static_cast<std::uint16_t>(keys_.AsyncKeyState(virtual_key));
  }
  bool QuietFor(int virtual_key) { return keys_.Quiet(std::span<const int>(&virtual_key, 1)); }
  void Press(int code) {
    x_.Key(code, true);
    Settle();
  }
  void Release(int code) {
    x_.Key(code, false);
    Settle();
  }
  // Makes sure the key state has read every event so far: it reads them in order, so once it
  // has seen a press and release of Pause, it has seen all that came before.
  void Settle() {
    x_.Key(keycode::kPause, true);
    ASSERT_TRUE(RunEventsUntil([&] { return !QuietFor(virtual_key::kPause); }));
    x_.Key(keycode::kPause, false);
    Query(virtual_key::kPause);
    ASSERT_TRUE(RunEventsUntil([&] { return QuietFor(virtual_key::kPause); }));
  }

  XSession& x_ = XSession::Get();
  X11KeyState keys_;
};

TEST_F(X11KeyStateTest, DownNowAndWentDownSinceTheLastQuery) {
  Press(keycode::kPlaceOfC);
  EXPECT_EQ(Query(virtual_key::kC), 0x8001u);
  for (int query = 0; query < 5; ++query) EXPECT_EQ(Query(virtual_key::kC), 0x8000u);
  // A keyboard that repeats a held key sends raw presses without releases.
  Press(keycode::kPlaceOfC);
  EXPECT_EQ(Query(virtual_key::kC), 0x8000u);
  Release(keycode::kPlaceOfC);
  EXPECT_EQ(Query(virtual_key::kC), 0u);

  // A tap far shorter than a millisecond, between two queries, is not lost.
  x_.Keys({{keycode::kPlaceOfC, true}, {keycode::kPlaceOfC, false}});
  Settle();
  EXPECT_EQ(Query(virtual_key::kC), 0x0001u);
  EXPECT_EQ(Query(virtual_key::kC), 0u);
}

TEST_F(X11KeyStateTest, EitherCtrlAndEitherAltCount) {
  struct Pair {
    int left, right, key;
  };
  for (const Pair pair :
       {Pair{keycode::kControlLeft, keycode::kControlRight, virtual_key::kControl},
        Pair{keycode::kAltLeft, keycode::kAltRight, virtual_key::kAlt}}) {
    SCOPED_TRACE(pair.key);
    Press(pair.left);
    EXPECT_EQ(Query(pair.key), 0x8001u);
    Press(pair.right);  // the key is down already: no new press
    EXPECT_EQ(Query(pair.key), 0x8000u);
    Release(pair.left);  // the other one still holds it down
    EXPECT_EQ(Query(pair.key), 0x8000u);
    Release(pair.right);
    EXPECT_EQ(Query(pair.key), 0u);
    Press(pair.right);
    Release(pair.right);
    EXPECT_EQ(Query(pair.key), 0x0001u);
  }
}

TEST_F(X11KeyStateTest, CIsTheKeyAtItsPlaceWithoutLatinLettersAndFollowsOtherLayouts) {
  ASSERT_TRUE(x_.Run("setxkbmap ru"));
  Press(keycode::kPlaceOfC);
  EXPECT_EQ(Query(virtual_key::kC), 0x8001u);
  Release(keycode::kPlaceOfC);

  ASSERT_TRUE(x_.Run("setxkbmap us -variant dvorak"));
  Press(keycode::kPlaceOfC);
  EXPECT_EQ(Query(virtual_key::kC), 0u);
  Release(keycode::kPlaceOfC);
  Press(keycode::kPlaceOfI);
  EXPECT_EQ(Query(virtual_key::kC), 0x8001u);
  Release(keycode::kPlaceOfI);
  ASSERT_TRUE(x_.Run("setxkbmap us"));
}

TEST_F(X11KeyStateTest, QuietUntilOneOfTheKeysGoesDownWhichWakesThePollerOnce) {
  int wakes = 0;
  keys_.on_key_down = [&] { ++wakes; };
  EXPECT_TRUE(keys_.Quiet(virtual_key::kAll));
  EXPECT_FALSE(QuietFor(0x41));  // it never reports A, so it could not wake a poller of A

  x_.Key(keycode::kAltLeft, true);
  ASSERT_TRUE(RunEventsUntil([&] { return wakes == 1; }));
  EXPECT_FALSE(keys_.Quiet(virtual_key::kAll));
  EXPECT_TRUE(QuietFor(virtual_key::kC));
  x_.Keys({{keycode::kAltLeft, true}, {keycode::kAltRight, true}});  // repeat, other Alt
  x_.Keys({{keycode::kAltLeft, false}, {keycode::kAltRight, false}});
  EXPECT_FALSE(keys_.Quiet(virtual_key::kAll));  // went down since the last query
  Query(virtual_key::kAlt);
  ASSERT_TRUE(RunEventsUntil([&] { return keys_.Quiet(virtual_key::kAll); }));
  EXPECT_EQ(wakes, 1);
}

}  // namespace
}  // namespace clipnest::x11
