// Floating-point text in the form the classic C runtime's _gcvt gave it, which the engine's
// messages and debug slots show.
#pragma once

// Longest text FormatGcvt writes for up to 50 significant digits, terminator included.
inline constexpr int gcvtBufferSize = 80;

// Writes `value` with `digits` significant digits (1 to 50) into `buffer`, which holds at
// least gcvtBufferSize characters. Decimal form while the decimal exponent lies between -1
// and digits - 1, else the exponent form "d.ddde+ddd"; trailing zeros of the fraction are
// dropped but the decimal point stays ("1.", "1.e+005"). Like that runtime, at most 17
// digits are significant; further digits are zeros.
void FormatGcvt(double value, int digits, char* buffer);
