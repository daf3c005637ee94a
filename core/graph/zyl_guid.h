// GUID conventions of the channel graph: equality by the four 32-bit words, the null
// GUID (no type), the wildcard GUID (any type in a link declaration) and the text form
// that names plug-in files.
#pragma once

#include "platform/guid.h"

inline constexpr GUID nullGuid{0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
inline constexpr GUID wildcardGuid{
    0x11111111, 0x1111, 0x1111, {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11}};

bool IsEqualGuid(const GUID& a, const GUID& b);
bool IsNullGuid(const GUID& guid);

// Characters of the 8-4-4-4-12 text form, without terminator.
inline constexpr int guidTextLength = 36;

// Writes the upper-case 8-4-4-4-12 form without braces and a terminator into `text`,
// which holds at least guidTextLength + 1 characters.
void GuidToText(const GUID& guid, char* text);

// Reads the 8-4-4-4-12 form, with or without braces, in either letter case.
bool GuidFromText(const char* text, GUID* guid);
