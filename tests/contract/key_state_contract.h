#pragma once

// The global key state with the meaning of the Windows one: 0x8000 while the key is down, 0x0001
// when it went down since the last query of that key. A subject offers: keys, Press(key),
// Release(key), Tap(key) (down and up between two queries), each settled when it returns, and
// `sided`: whether it tells the left key of a pair from the right one.

#include "contract/contract.h"
#include "platform/key_state.h"

namespace clipnest::contract {

// Keys as the subjects press them; the key state is queried with the virtual-key codes.
enum class Key { kC, kControlLeft, kControlRight, kAltLeft, kAltRight };

template <typename Subject>
class KeyStateContract : public Contract<Subject> {
 protected:
  unsigned Query(int virtual_key) {
    return static_cast<std::uint16_t>(this->s.keys.AsyncKeyState(virtual_key));
  }
};
TYPED_TEST_SUITE_P(KeyStateContract);

TYPED_TEST_P(KeyStateContract, DownNowAndWentDownSinceTheLastQuery) {
  auto& s = this->s;
  s.Press(Key::kC);
  EXPECT_EQ(this->Query(virtual_key::kC), 0x8001u);
  EXPECT_EQ(this->Query(virtual_key::kC), 0x8000u);
  s.Release(Key::kC);
  EXPECT_EQ(this->Query(virtual_key::kC), 0u);
  // A tap far shorter than a query's period is not lost.
  s.Tap(Key::kC);
  EXPECT_EQ(this->Query(virtual_key::kC), 0x0001u);
  EXPECT_EQ(this->Query(virtual_key::kC), 0u);
}

TYPED_TEST_P(KeyStateContract, EitherCtrlAndEitherAltHoldsItDown) {
  auto& s = this->s;
  if (!s.sided) GTEST_SKIP() << "one key of each kind";
  // Only the down bit: Windows does not promise the other one for a key of a pair.
  const auto down = [&](int key) { return (this->Query(key) & 0x8000u) != 0; };
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
  this->Query(virtual_key::kAlt);
  EXPECT_TRUE(s.keys.Quiet(keys));
}

REGISTER_TYPED_TEST_SUITE_P(KeyStateContract, DownNowAndWentDownSinceTheLastQuery,
                            EitherCtrlAndEitherAltHoldsItDown,
                            AQuietKeyStateWakesThePollerWhenOneOfItsKeysGoesDown);

}  // namespace clipnest::contract
