// A field's text read as a length, and a length written as a field's text, against references
// written from their definitions with the C library: its reading of a plain decimal (strtof,
// correctly rounded, in the "C" locale every program starts in) and its %G writing of seven
// significant digits. Neither may depend on the process locale.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "calc/length_text.h"

namespace duct {
namespace {

// The plain form checked by hand (blanks and tabs around digits with at most one point), then
// read by the C library; beyond the float range it fails.
std::optional<float> ReadingReference(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  const std::string number = first == std::string::npos
                                 ? ""
                                 : text.substr(first, text.find_last_not_of(" \t") - first + 1);
  const auto digits = std::count_if(number.begin(), number.end(), ::isdigit);
  const auto points = std::count(number.begin(), number.end(), '.');
  if (digits == 0 || points > 1 || static_cast<std::size_t>(digits + points) != number.size()) {
    return std::nullopt;
  }
  const float value = std::strtof(number.c_str(), nullptr);
  return std::isinf(value) ? std::nullopt : std::optional<float>(value);
}

// Every text of up to five characters from those a paste may hold around a number (a full-width
// digit among them), and the kept texts of field_texts/: a float's halfway points and edges,
// digit strings thousands long, the placeholder, and a former fuzz target's corpus; read to the
// bit as the C library reads them.
TEST(ParseLength, ReadsPlainDecimalsAsTheCLibraryDoes) {
  const std::vector<std::string> pieces = {
      "0", "7", ".", " ", "\t", "-", "+", "e", ",", "x", std::string(1, '\0'), "１"};
  std::vector<std::string> texts = {""};
  for (std::size_t length = 1, from = 0; length <= 5; ++length) {
    const std::size_t to = texts.size();
    for (std::size_t i = from; i < to; ++i) {
      const std::string text = texts[i];
      std::transform(pieces.begin(), pieces.end(), std::back_inserter(texts),
                     [&text](const std::string& piece) { return text + piece; });
    }
    from = to;
  }
  for (const auto& entry : std::filesystem::directory_iterator(DUCTCALC_FIELD_TEXTS)) {
    std::ifstream in(entry.path(), std::ios::binary);
    texts.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  for (const std::string& text : texts) {
    ASSERT_EQ(ParseLength(text), ReadingReference(text)) << '"' << text << '"';
  }
}

// The field text as defined: halves to the even neighbour at 0 or 1 decimals, then at most seven
// significant digits in the C library's %G form, which writes "444", "0.5" and "1.234568E+07".
std::string FormatReference(float value, int decimals) {
  const double scale = decimals == 1 ? 10.0 : 1.0;
  const double scaled = double{value} * scale;
  double whole = std::floor(scaled);
  const double fraction = scaled - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
    whole += 1.0;
  }
  const auto rounded = static_cast<float>(whole / scale);
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%.7G", rounded == 0.0F ? 0.0 : double{rounded});
  return text.data();
}

TEST(FormatLength, WritesTheDefinedText) {
  // Every multiple of 0.05 up to 50,000 (the halfway cases of both roundings), and floats of
  // every magnitude.
  std::mt19937 random(20261208);
  for (int i = -1'000'000; i <= 2'000'000; ++i) {
    const float value = i <= 1'000'000 ? static_cast<float>(i) / 20.0F
                                       : std::bit_cast<float>(static_cast<std::uint32_t>(random()));
    for (const int decimals : {0, 1}) {
      if (std::isfinite(value)) {
        ASSERT_EQ(FormatLength(value, decimals), FormatReference(value, decimals))
            << value << " with " << decimals;
      }
    }
  }
}

TEST(LengthText, IgnoresTheProcessLocale) {
  // A comma locale, by its name on Linux or on Windows.
  const auto names = {"de_DE.UTF-8", "de-DE", "German_Germany.1252"};
  ASSERT_TRUE(std::any_of(names.begin(), names.end(), [](const char* name) {
    return std::setlocale(LC_ALL, name) != nullptr;
  })) << "the de_DE.UTF-8 locale is missing: run scripts/install-deps";
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  EXPECT_TRUE(ParseLength("12.5") == 12.5F && !ParseLength("12,5"));
  EXPECT_EQ(FormatLength(12345678.0F, 0) + FormatLength(493.82516F, 1), "1.234568E+07493.8");
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace duct
