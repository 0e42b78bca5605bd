// The printer font choice: its defaults and the conversions to and from the stored values.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <utility>

#include "printfont/printfont.h"

namespace {

TEST(PrinterFont, StartsAsArialTenPointsPlain) {
  EXPECT_EQ(PrinterFontChoice, kPrinterFontDefault);
  EXPECT_EQ(kPrinterFontDefault.name, "Arial");
  EXPECT_EQ(kPrinterFontDefault.size, 10.0f);
  EXPECT_FALSE(kPrinterFontDefault.bold);
  EXPECT_FALSE(kPrinterFontDefault.italic);
}

// Expects convert(from) == to for every row of a conversion table, naming the input of a
// row that differs.
template <typename From, typename To, typename Convert>
void ExpectConversions(Convert convert, std::initializer_list<std::pair<From, To>> rows) {
  for (const auto& [from, to] : rows)
    EXPECT_EQ(convert(from), to) << from;
}

TEST(PrinterFont, StoredSizeOutsideSixToSeventyTwoIsTen) {
  ExpectConversions<int32_t, float>(PrinterFontSizeFromStored,
                                    {{5, 10},
                                     {6, 6},
                                     {72, 72},
                                     {73, 10},
                                     {0, 10},
                                     {-12, 10},
                                     {12, 12},
                                     {std::numeric_limits<int32_t>::max(), 10}});
}

TEST(PrinterFont, SizeIsStoredRoundedHalvesToEven) {
  ExpectConversions<float, int32_t>(PrinterFontSizeToStored,
                                    {{10.5f, 10},
                                     {11.5f, 12},
                                     {10.49f, 10},
                                     {10.51f, 11},
                                     {9.0f, 9},
                                     {0.5f, 0},
                                     {-1.5f, -2},
                                     {1e12f, std::numeric_limits<int32_t>::max()}});
}

TEST(PrinterFont, BoldIsMinusOneOrZero) {
  EXPECT_EQ(PrinterFontBoldToStored(true), -1);
  EXPECT_EQ(PrinterFontBoldToStored(false), 0);
  EXPECT_TRUE(PrinterFontBoldFromStored(-1));
  EXPECT_TRUE(PrinterFontBoldFromStored(1));
  EXPECT_FALSE(PrinterFontBoldFromStored(0));
}

TEST(PrinterFont, FaceNamesTheFontCannotHoldAreRejected) {
  PrinterFont font;
  EXPECT_TRUE(PrinterFontSetName(font, "Courier New"));
  EXPECT_EQ(font.name, "Courier New");
  EXPECT_TRUE(PrinterFontSetName(font, std::string(31, 'x')));
  EXPECT_FALSE(PrinterFontSetName(font, std::string(32, 'y')));
  EXPECT_FALSE(PrinterFontSetName(font, ""));
  EXPECT_EQ(font.name, std::string(31, 'x'));
}

}  // namespace
