// The classic _gcvt text: decimal and exponent forms, trailing point, half-up rounding of
// the 17-digit mantissa, for the digit counts the engine uses and the runtime's own examples.
#include <gtest/gtest.h>

#include <string>

#include "runtime/gcvt_text.h"

namespace {

struct GcvtCase {
  double value;
  int digits;
  const char* expected;
};

std::string Gcvt(double value, int digits) {
  char buffer[gcvtBufferSize];
  FormatGcvt(value, digits, buffer);
  return buffer;
}

TEST(GcvtText, KnownOutputs) {
  const GcvtCase cases[] = {
      // The runtime's documented examples, 12 digits.
      {-1234567890.123, 12, "-1234567890.12"},
      {-12345678901.23, 12, "-12345678901.2"},
      {-123456789012.3, 12, "-123456789012"},
      {-1234567890123.0, 12, "-1.23456789012e+012"},
      {-12.34567890123, 12, "-12.3456789012"},
      {-1.234567890123, 12, "-1.23456789012"},
      {-0.1234567890123, 12, "-0.123456789012"},
      {-0.01234567890123, 12, "-1.23456789012e-002"},
      {-314150.0, 7, "-314150."},
      // Messages: 5 digits of a float.
      {1.0f, 5, "1."},
      {0.0f, 5, "0."},
      {2.5f, 5, "2.5"},
      {-0.5f, 5, "-0.5"},
      {1.23456789f, 5, "1.2346"},
      {12345.0f, 5, "12345"},
      {123456.0f, 5, "1.2346e+005"},
      {100000.0f, 5, "1.e+005"},
      {99999.5f, 5, "100000"},
      {1.03125f, 5, "1.0313"},
      {0.1f, 5, "0.1"},
      {0.05f, 5, "5.e-002"},
      {0.001f, 5, "1.e-003"},
      {1e-10f, 5, "1.e-010"},
      {3e38f, 5, "3.e+038"},
      // Debug slots: 10 digits.
      {3.14159265f, 10, "3.141592741"},
      {0.3f, 10, "0.3000000119"},
      {16777216.0f, 10, "16777216."},
      {1234567890.0f, 10, "1234567936"},
      {12345678901.0f, 10, "1.234567885e+010"},
      {1e20f, 10, "1.00000002e+020"},
      // The float form: 50 digits, of which 17 are significant.
      {1.0f, 50, "1."},
      {0.1f, 50, "0.10000000149011612"},
      {2.0f / 3.0f, 50, "0.66666668653488159"},
      {1e20f, 50, "100000002004087730000."},
      {1e30f, 50, "1000000015047466200000000000000."},
      {1e-5f, 50, "9.9999997473787516e-006"},
      {1e-10f, 50, "1.000000013351432e-010"},
  };
  for (const GcvtCase& c : cases) {
    EXPECT_EQ(Gcvt(c.value, c.digits), c.expected) << c.value << " with " << c.digits;
  }
}

TEST(GcvtText, LongestTextsFitTheBuffer) {
  EXPECT_EQ(Gcvt(-1.0e-300, 50).size(), std::string("-1.e-300").size());
  EXPECT_LT(Gcvt(-1.2345678901234567e45, 50).size(), static_cast<size_t>(gcvtBufferSize));
  EXPECT_LT(Gcvt(-0.12345678901234567, 50).size(), static_cast<size_t>(gcvtBufferSize));
}

}  // namespace
