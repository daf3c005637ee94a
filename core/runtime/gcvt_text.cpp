// The classic runtime's _gcvt: a 17-digit decimal mantissa, rounded half up to the wanted
// digits, in decimal or exponent form, trailing zeros of the fraction removed.
#include "runtime/gcvt_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Digits the runtime's conversion produced before padding with zeros.
constexpr int mantissaDigits = 17;
constexpr int maxDigits = 50;

struct Decimal {
  char digits[maxDigits + 2];  // significant digits, no point, zero padded
  int pointPosition;           // the value is 0.digits x 10^pointPosition
};

// The 17-digit mantissa of |value| and its decimal point position; zero has position 0.
Decimal Mantissa(double magnitude) {
  Decimal result{};
  std::memset(result.digits, '0', sizeof result.digits - 1);
  if (magnitude == 0.0) {
    result.pointPosition = 0;
    return result;
  }
  char text[40];
  std::snprintf(text, sizeof text, "%.*e", mantissaDigits - 1, magnitude);
  // text is "d.dddddddddddddddde[+-]xx"
  result.digits[0] = text[0];
  std::memcpy(result.digits + 1, text + 2, mantissaDigits - 1);
  result.pointPosition = std::atoi(std::strchr(text, 'e') + 1) + 1;
  return result;
}

// Rounds the mantissa half up to `count` digits (1..maxDigits); a carry out of the first
// digit moves the point one place right.
void RoundTo(Decimal& decimal, int count) {
  const bool up = decimal.digits[count] >= '5';
  for (int i = count; i < maxDigits + 1; ++i) decimal.digits[i] = '0';
  if (!up) return;
  int i = count - 1;
  while (i >= 0 && decimal.digits[i] == '9') decimal.digits[i--] = '0';
  if (i >= 0) {
    ++decimal.digits[i];
  } else {
    std::memmove(decimal.digits + 1, decimal.digits, maxDigits);
    decimal.digits[0] = '1';
    ++decimal.pointPosition;
  }
}

// Removes the zeros in front of `end` back to the decimal point, which stays.
char* TrimFraction(char* start, char* end) {
  char* point = std::strchr(start, '.');
  if (point == nullptr || point >= end) return end;
  while (end > point + 1 && end[-1] == '0') --end;
  return end;
}

char* WriteExponentForm(Decimal decimal, int digits, char* out) {
  RoundTo(decimal, digits);
  char* start = out;
  *out++ = decimal.digits[0];
  *out++ = '.';
  for (int i = 1; i < digits; ++i) *out++ = decimal.digits[i];
  out = TrimFraction(start, out);
  const int exponent = decimal.pointPosition - 1;
  out += std::snprintf(out, 8, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
  return out;
}

char* WriteDecimalForm(Decimal decimal, int digits, char* out) {
  const int decimals = digits - decimal.pointPosition;
  // Digits kept: those before the point plus `decimals` after it.
  const int kept = decimal.pointPosition + decimals;
  if (kept > 0) RoundTo(decimal, kept);
  char* start = out;
  if (decimal.pointPosition <= 0) {
    *out++ = '0';
  } else {
    for (int i = 0; i < decimal.pointPosition; ++i) *out++ = decimal.digits[i];
  }
  // The point comes with the fraction: a value that fills all digits before it has none.
  if (decimals > 0) *out++ = '.';
  for (int i = 0; i < decimals; ++i) {
    const int index = decimal.pointPosition + i;
    *out++ = index < 0 ? '0' : decimal.digits[index];
  }
  return TrimFraction(start, out);
}

}  // namespace

void FormatGcvt(double value, int digits, char* buffer) {
  if (digits < 1) digits = 1;
  if (digits > maxDigits) digits = maxDigits;
  char* out = buffer;
  if (std::signbit(value)) *out++ = '-';
  const double magnitude = std::fabs(value);
  if (std::isinf(magnitude)) {
    std::strcpy(out, "1.#INF");
    return;
  }
  if (std::isnan(magnitude)) {
    std::strcpy(out, "1.#QNAN");
    return;
  }
  const Decimal decimal = Mantissa(magnitude);
  const int exponent = decimal.pointPosition - 1;
  if (magnitude != 0.0 && (exponent < -1 || exponent > digits - 1)) {
    out = WriteExponentForm(decimal, digits, out);
  } else {
    out = WriteDecimalForm(decimal, digits, out);
  }
  *out = '\0';
}
