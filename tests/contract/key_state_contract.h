#pragma once

// The global key state as Windows means it: 0x8000 while down, 0x0001 when it went down since the
// key's last query. A subject offers: keys, Press, Release, Tap (down and up between two queries),
// each settled on return, and `sided` (tells the left key of a pair from the right).

#include "contract/contract.h"
#include "platform/key_state.h"

namespace clipnest::contract {

// Keys as the subjects press them; the key state is queried with the virtual-key codes.
enum class Key { kC, kControlLeft, kControlRight, kAltLeft, kAltRight };
inline unsigned Query(KeyState& keys, int virtual_key) {
  return static_cast<std::uint16_t>(keys.AsyncKeyState(virtual_key));
}

template <typename Subject>
class KeyStateContract : public Contract<Subject> {};
TYPED_TEST_SUITE_P(KeyStateContract);

TYPED_TEST_P(KeyStateContract, DownNowAndWentDownSinceTheLastQuery) {
  auto& s = this->s;
  s.Press(Key::kC);
  EXPECT_EQ(Query(s.keys, virtual_key::kC), 0x8001u);
  EXPECT_EQ(Query(s.keys, virtual_key::kC), 0x8000u);
  s.Release(Key::kC);
  EXPECT_EQ(Query(s.keys, virtual_key::kC), 0u);
  // A tap far shorter than a query's period is not lost.
  s.Tap(Key::kC);
  EXPECT_EQ(Query(s.keys, virtual_key::kC), 0x0001u);
  EXPECT_EQ(Query(s.keys, virtual_key::kC), 0u);
}

TYPED_TEST_P(KeyStateContract, EitherCtrlAndEitherAltHoldsItDown) {
  auto& s = this->s;
  if (!s.sided) GTEST_SKIP() << "one key of each kind";
  // Only the down bit: Windows does not promise the other one for a key of a pair.
  const auto down = [&](int key) { return (Query(s.keys, key) & 0x8000u) != 0; };
  for (auto [left, right, key] :
       {std::tuple(Key::kControlLeft, Key::kControlRight, virtual_key::kControl),
        std::tuple(Key::kAltLeft, Key::kAltRight, virtual_key::kAlt)}) {
    SCOPED_TRACE(key);
    s.Press(left);
    EXPECT_TRUE(down(key));
    s.Press(right);
    s.Release(left);  // the other one still holds it down
    EXPECT_TRUE(down(key));
    s.Release(right);
    EXPECT_FALSE(down(key));
  }
}

TYPED_TEST_P(KeyStateContract, AQuietKeyStateWakesThePollerWhenOneOfItsKeysGoesDown) {
  auto& s = this->s;
  const int keys[] = {virtual_key::kControl, virtual_key::kAlt}, c[] = {virtual_key::kC};
  if (!s.keys.Quiet(keys)) GTEST_SKIP() << "this key state cannot wake a poller";
  int wakes = 0;
  s.keys.on_key_down = [&] { ++wakes; };
  s.Press(Key::kAltLeft);
  EXPECT_GE(wakes, 1);
  EXPECT_FALSE(s.keys.Quiet(keys));
  EXPECT_TRUE(s.keys.Quiet(c));
  s.Release(Key::kAltLeft);
  EXPECT_FALSE(s.keys.Quiet(keys)) << "it went down since the last query";
  Query(s.keys, virtual_key::kAlt);
  EXPECT_TRUE(s.keys.Quiet(keys));
}

REGISTER_TYPED_TEST_SUITE_P(KeyStateContract, DownNowAndWentDownSinceTheLastQuery,
                            EitherCtrlAndEitherAltHoldsItDown,
                            AQuietKeyStateWakesThePollerWhenOneOfItsKeysGoesDown);

}  // namespace clipnest::contract
