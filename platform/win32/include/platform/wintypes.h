// Scalar types and result codes that the graphics interfaces and the plug-ins use under
// their customary names.
#pragma once

#include <cstdint>

#include "platform/guid.h"
#include "platform/modules.h"
#include "platform/window.h"

using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = uint32_t;
using LONG = int32_t;
using ULONG = uint32_t;
using BOOL = int32_t;
using FLOAT = float;
using HRESULT = int32_t;
using HWND = platform::WindowHandle;
using HINSTANCE = platform::ModuleHandle;
using HMODULE = platform::ModuleHandle;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001);

constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }

using RECT = platform::Rect;

struct POINT {
  LONG x;
  LONG y;
};
