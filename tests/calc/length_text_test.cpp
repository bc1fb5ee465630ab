#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

#include "calc/formulas.h"

namespace duct {
namespace {

struct ParseCase {
  std::string text;
  std::optional<float> expected;
  friend std::ostream& operator<<(std::ostream& out, const ParseCase& c) {
    return out << '"' << (c.text.size() > 40 ? c.text.substr(0, 40) + "..." : c.text) << '"';
  }
};

class ParseLengthTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseLengthTest, ReadsPlainDecimalsOnly) {
  EXPECT_EQ(ParseLength(GetParam().text), GetParam().expected);
}

// 1 + 2^-24, the exact midpoint between 1 and the next float.
const std::string kMidpointAfterOne = "1.000000059604644775390625";

INSTANTIATE_TEST_SUITE_P(
    Accepted, ParseLengthTest,
    testing::Values(
        ParseCase{"500", 500.0F}, ParseCase{"12.", 12.0F}, ParseCase{".5", 0.5F},
        ParseCase{"0", 0.0F}, ParseCase{"007", 7.0F}, ParseCase{"493.8", 493.8F},
        ParseCase{" \t12.5\t ", 12.5F},  // pasted text keeps its blanks
        // Ties go to even; anything past the midpoint, however far out, goes up.
        ParseCase{kMidpointAfterOne, 1.0F},
        ParseCase{kMidpointAfterOne + std::string(5000, '0') + "1", std::nextafter(1.0F, 2.0F)},
        ParseCase{std::string(3000, '0') + "42", 42.0F},
        ParseCase{"340282346638528859811704183484516925440", std::numeric_limits<float>::max()},
        ParseCase{"0.000000000000000000000000000000000000000000001",
                  std::numeric_limits<float>::denorm_min()},
        ParseCase{"0." + std::string(60, '0') + "1", 0.0F}));  // nearest float is 0

INSTANTIATE_TEST_SUITE_P(
    Refused, ParseLengthTest,
    // The fuzz corpus replays many more refused forms against an independent reading; these
    // are the placeholder, the malformed numbers and one of each notation the rule refuses.
    testing::Values(ParseCase{"", std::nullopt}, ParseCase{"(空白)", std::nullopt},
                    ParseCase{".", std::nullopt}, ParseCase{"1.2.3", std::nullopt},
                    ParseCase{"-1", std::nullopt}, ParseCase{"1e5", std::nullopt},
                    ParseCase{"1,5", std::nullopt}, ParseCase{"inf", std::nullopt},
                    ParseCase{"１２", std::nullopt},
                    // The midpoint above the largest float rounds to infinity.
                    ParseCase{"340282356779733661637539395458142568448", std::nullopt}));

struct FormatCase {
  float value;
  int decimals;
  std::string expected;
  friend std::ostream& operator<<(std::ostream& out, const FormatCase& c) {
    return out << c.value << " with " << c.decimals << " decimals";
  }
};

class FormatLengthTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatLengthTest, RoundsAndWritesTheFieldText) {
  EXPECT_EQ(FormatLength(GetParam().value, GetParam().decimals), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FormatLengthTest,
    testing::Values(FormatCase{444.44446F, 0, "444"}, FormatCase{493.82516F, 1, "493.8"},
                    FormatCase{309.04907F, 1, "309"}, FormatCase{122.5F, 0, "122"},
                    FormatCase{123.5F, 0, "124"}, FormatCase{231.25F, 1, "231.2"},
                    FormatCase{1234567.75F, 1, "1234568"},
                    FormatCase{12345678.0F, 0, "1.234568E+07"}, FormatCase{10000000.0F, 0, "1E+07"},
                    FormatCase{9999999.0F, 0, "9999999"}));

INSTANTIATE_TEST_SUITE_P(
    Edges, FormatLengthTest,
    testing::Values(FormatCase{0.5F, 0, "0"}, FormatCase{1.5F, 0, "2"}, FormatCase{0.25F, 1, "0.2"},
                    FormatCase{0.75F, 1, "0.8"},
                    FormatCase{0.35F, 1, "0.3"},  // 0.3499999940..., no half
                    FormatCase{0.05F, 1, "0.1"},  // 0.0500000007..., no half
                    FormatCase{0.04F, 1, "0"}, FormatCase{0.0F, 1, "0"}, FormatCase{-0.3F, 0, "0"},
                    FormatCase{-2.5F, 0, "-2"}, FormatCase{-493.82516F, 1, "-493.8"},
                    // Exactly halfway at the seventh digit: to even.
                    FormatCase{1234566.5F, 1, "1234566"}, FormatCase{1234567.5F, 1, "1234568"},
                    FormatCase{99999.95F, 1, "100000"}, FormatCase{16777216.0F, 0, "1.677722E+07"},
                    FormatCase{-12345678.0F, 0, "-1.234568E+07"}, FormatCase{1.0e20F, 1, "1E+20"},
                    FormatCase{std::numeric_limits<float>::max(), 0, "3.402823E+38"},
                    FormatCase{std::numeric_limits<float>::infinity(), 0, ""},
                    FormatCase{std::numeric_limits<float>::quiet_NaN(), 1, ""}));

// Sets a comma-decimal locale for the test's duration; the process starts in "C".
class CommaLocale : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale is missing: run scripts/install-deps";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(CommaLocale, ChangesNeitherParsingNorFormatting) {
  EXPECT_EQ(ParseLength("12.5"), 12.5F);
  EXPECT_EQ(ParseLength(".5"), 0.5F);
  EXPECT_EQ(ParseLength("12,5"), std::nullopt);
  EXPECT_EQ(ParseLength("1.000"), 1.0F);
  EXPECT_EQ(FormatLength(493.82516F, 1), "493.8");
  EXPECT_EQ(FormatLength(1234567.75F, 1), "1234568");
  EXPECT_EQ(FormatLength(12345678.0F, 0), "1.234568E+07");
}

}  // namespace
}  // namespace duct
