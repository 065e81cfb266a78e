#include "core/text/LeadingNumber.h"

#include <limits>

#include <QString>

#include <gtest/gtest.h>

namespace vek {
namespace {

TEST(LeadingNumber, TheLongestLeadingDecimalNumber) {
  const double infinity = std::numeric_limits<double>::infinity();
  const std::pair<const char16_t*, double> numbers[] = {
      {u"  12abc", 12},
      {u"-3.5", -3.5},
      {u".5", 0.5},
      {u"1e3", 1000},
      {u"1e", 1},
      {u"+", 0},
      {u"abc", 0},
      {u"\t7", 7},
      {u"1.2.3", 1.2},
      {u"-", 0},
      {u"５", 0},
      {u"+4", 4},
      {u"2E-1x", 0.2},
      {u"", 0},
      {u"1e+", 1},
      {u"1e999", infinity},
      {u"-1e999", -infinity},
      {u"1e-999", 0},
      {u"- 1", 0},
  };
  for (const auto& [text, value] : numbers)
    EXPECT_EQ(leadingNumber(QStringView(text)), value) << QString::fromUtf16(text).toStdString();
}

TEST(LeadingNumber, IntegersRoundHalfToEvenAndMustFit) {
  const std::pair<const char16_t*, std::optional<int>> numbers[] = {
      {u"2.5", 2},
      {u"3.5", 4},
      {u"3x", 3},
      {u"x", 0},
      {u"-2.5", -2},
      {u"0.49", 0},
      {u"1e10", std::nullopt},
      {u"1e999", std::nullopt},
      {u"2147483647", 2147483647},
      {u"2147483648", std::nullopt},
  };
  for (const auto& [text, value] : numbers)
    EXPECT_EQ(leadingInteger(QStringView(text)), value) << QString::fromUtf16(text).toStdString();
}

}  // namespace
}  // namespace vek
