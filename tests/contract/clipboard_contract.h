#pragma once

// The clipboard as another program fills it. A subject offers: clipboard, OfferNothing(),
// OfferText(utf8), OfferPicture(dib).

#include "contract/contract.h"
#include "headless/dib_bytes.h"
#include "platform/clipboard.h"
#include "platform/dib.h"

namespace clipnest::contract {

template <typename Subject>
class ClipboardContract : public Contract<Subject> {};
TYPED_TEST_SUITE_P(ClipboardContract);

TYPED_TEST_P(ClipboardContract, TextComesBackAsUtf8AndWhatIsNotThereIsEmpty) {
  auto& s = this->s;
  s.OfferNothing();
  EXPECT_EQ(s.clipboard.Text(), "");
  EXPECT_TRUE(s.clipboard.Image().empty());
  s.OfferText("Привет\r\nмир ✓");
  EXPECT_EQ(s.clipboard.Text(), "Привет\r\nмир ✓");
  EXPECT_TRUE(s.clipboard.Image().empty());
}

TYPED_TEST_P(ClipboardContract, APictureComesBackWithItsPixelsAndIsNoText) {
  auto& s = this->s;
  // 2 x 2 pixels of 24 bits, bottom-up, each row padded to four bytes.
  s.OfferPicture(test_support::InfoHeader(2, 2, 24, 0) +
                 std::string("\xFF\0\0\xFF\xFF\xFF\0\0\0\0\xFF\0\xFF\0\0\0", 16));
  EXPECT_EQ(s.clipboard.Text(), "");
  const std::string dib = s.clipboard.Image().dib;
  ASSERT_EQ(MeasureDib(dib).verdict, DibVerdict::kUsable);
  ASSERT_EQ(test_support::Get32(dib, 4), 2u);
  ASSERT_EQ(test_support::Get32(dib, 8), 2u);
  const std::uint32_t rows[2][2] = {{0xFF0000u, 0x00FF00u}, {0x0000FFu, 0xFFFFFFu}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(test_support::Pixel24(dib, x, y), rows[y][x]) << x << y;
}

REGISTER_TYPED_TEST_SUITE_P(ClipboardContract, TextComesBackAsUtf8AndWhatIsNotThereIsEmpty,
                            APictureComesBackWithItsPixelsAndIsNoText);

}  // namespace clipnest::contract
