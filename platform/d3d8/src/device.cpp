// Device life cycle, frame buffers, resources, scenes, Clear and Present.
#include "device.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "caps.h"
#include "pixel_format.h"

namespace d3d8sw {

namespace {

int defaultThreadCount() {
  if (const char* value = std::getenv("KELVANE_D3D8_THREADS")) {
    const int n = std::atoi(value);
    if (n >= 1 && n <= 64) return n;
  }
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

RasterOptions defaultOptions() {
  RasterOptions options;
  if (const char* value = std::getenv("KELVANE_D3D8_RASTER")) {
    const std::string path = value;
    if (path == "reference") options.path = RasterPath::Reference;
    if (path == "none") options.path = RasterPath::None;
  }
  return options;
}

}  // namespace

StateBlock::~StateBlock() {
  for (Texture*& t : values.textures)
    if (t) t->Release();
  if (values.stream) values.stream->Release();
  if (values.indices) values.indices->Release();
}

Device::Device(IDirect3D8* direct3d, UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD flags)
    : direct3d_(direct3d), link_(std::make_shared<DeviceLink>()), creation_{adapter, type, focusWindow, flags} {
  direct3d_->AddRef();
  link_->device = this;
  setRasterOptions(defaultOptions());
}

Device::~Device() {
  releaseStateReferences(state_);
  recording_.reset();
  stateBlocks_.clear();
  link_->device = nullptr;
  direct3d_->Release();
}

ULONG Device::AddRef() { return ++references_; }

ULONG Device::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

void Device::setRasterOptions(const RasterOptions& options) {
  options_ = options;
  const int threads = options.path != RasterPath::Optimised ? 1
                      : options.threads > 0                 ? std::min(options.threads, 64)
                                                            : defaultThreadCount();
  if (!pool_ || pool_->size() != threads) pool_ = std::make_unique<ThreadPool>(threads);
  scratch_.assign(threads, {});
}

bool SetRasterOptions(IDirect3DDevice8* device, const RasterOptions& options) {
  auto* ours = dynamic_cast<Device*>(device);
  if (!ours) return false;
  ours->setRasterOptions(options);
  return true;
}

HRESULT Device::createFrameBuffers(const D3DPRESENT_PARAMETERS& p) {
  HWND window = p.hDeviceWindow ? p.hDeviceWindow : creation_.hFocusWindow;
  int width = static_cast<int>(p.BackBufferWidth), height = static_cast<int>(p.BackBufferHeight);
  if (p.Windowed && window) {
    if (width == 0) width = window->clientWidth();
    if (height == 0) height = window->clientHeight();
  }
  if (width <= 0 || height <= 0 || width > kMaxBackBufferSize || height > kMaxBackBufferSize)
    return D3DERR_INVALIDCALL;
  D3DFORMAT format = p.BackBufferFormat;
  if (format == D3DFMT_UNKNOWN && p.Windowed) format = desktopMode().Format;
  if (format != D3DFMT_X8R8G8B8 && format != D3DFMT_A8R8G8B8) return D3DERR_INVALIDCALL;
  int depthBits = 0;
  if (p.EnableAutoDepthStencil) {
    if (p.AutoDepthStencilFormat == D3DFMT_D16)
      depthBits = 16;
    else if (p.AutoDepthStencilFormat == D3DFMT_D24S8 || p.AutoDepthStencilFormat == D3DFMT_D24X8)
      depthBits = 24;
    else
      return D3DERR_INVALIDCALL;
  }
  presentation_ = p;
  presentation_.BackBufferWidth = static_cast<UINT>(width);
  presentation_.BackBufferHeight = static_cast<UINT>(height);
  presentation_.BackBufferFormat = format;
  width_ = width;
  height_ = height;
  const size_t pixels = static_cast<size_t>(width) * height;
  backBuffer_.assign(pixels, 0);
  frontBuffer_.assign(pixels, 0);
  depthBits_ = depthBits;
  depthBuffer_.assign(depthBits ? pixels : 0, 0);
  stencilBuffer_.assign(p.EnableAutoDepthStencil && p.AutoDepthStencilFormat == D3DFMT_D24S8 ? pixels : 0, 0);
  for (auto& s : scratch_) s.assign(scratchFloatsPerPixel * static_cast<size_t>(width), 0.0f);
  return D3D_OK;
}

HRESULT Device::initialise(D3DPRESENT_PARAMETERS* parameters) {
  const HRESULT result = createFrameBuffers(*parameters);
  if (FAILED(result)) return result;
  *parameters = presentation_;
  resetState();
  return D3D_OK;
}

HRESULT Device::Reset(D3DPRESENT_PARAMETERS* parameters) {
  if (!parameters) return D3DERR_INVALIDCALL;
  // The device's own bindings go first; resources of the default pool that the
  // application still holds make the reset fail, as they would lose their contents.
  releaseStateReferences(state_);
  recording_.reset();
  if (link_->defaultPoolResources.load() > 0) return D3DERR_INVALIDCALL;
  const HRESULT result = createFrameBuffers(*parameters);
  if (FAILED(result)) return result;
  *parameters = presentation_;
  inScene_ = false;
  resetState();
  return D3D_OK;
}

HRESULT Device::GetDirect3D(IDirect3D8** direct3d) {
  if (!direct3d) return D3DERR_INVALIDCALL;
  direct3d_->AddRef();
  *direct3d = direct3d_;
  return D3D_OK;
}

HRESULT Device::GetDeviceCaps(D3DCAPS8* caps) {
  if (!caps) return D3DERR_INVALIDCALL;
  fillCaps(creation_.DeviceType, creation_.AdapterOrdinal, caps);
  return D3D_OK;
}

HRESULT Device::GetDisplayMode(D3DDISPLAYMODE* mode) {
  if (!mode) return D3DERR_INVALIDCALL;
  *mode = desktopMode();
  return D3D_OK;
}

HRESULT Device::GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* parameters) {
  if (!parameters) return D3DERR_INVALIDCALL;
  *parameters = creation_;
  return D3D_OK;
}

BOOL Device::ShowCursor(BOOL show) {
  const BOOL previous = cursorShown_;
  cursorShown_ = show;
  return previous;
}

HRESULT Device::Present(const RECT*, const RECT*, HWND destWindowOverride, const void*) {
  frontBuffer_ = backBuffer_;
  HWND window = destWindowOverride ? destWindowOverride
                : presentation_.hDeviceWindow ? presentation_.hDeviceWindow
                                              : creation_.hFocusWindow;
  if (window) window->present(frontBuffer_.data(), width_, height_, width_ * 4);
  return D3D_OK;
}

HRESULT Device::GetFrontBuffer(IDirect3DSurface8* destination) {
  auto* surface = dynamic_cast<Surface*>(destination);
  if (!surface || surface->format() != D3DFMT_A8R8G8B8 || surface->width() != width_ ||
      surface->height() != height_)
    return D3DERR_INVALIDCALL;
  for (int y = 0; y < height_; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(surface->bits() + static_cast<size_t>(y) * surface->pitch());
    const uint32_t* source = frontBuffer_.data() + static_cast<size_t>(y) * width_;
    for (int x = 0; x < width_; ++x) row[x] = source[x] | 0xFF000000u;
  }
  return D3D_OK;
}

HRESULT Device::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                              D3DPOOL pool, IDirect3DTexture8** texture) {
  if (!texture) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  if (width == 0 || height == 0 || width > kMaxTextureSize || height > kMaxTextureSize) return D3DERR_INVALIDCALL;
  if (colorFormatBytes(format) == 0 || (usage & (D3DUSAGE_RENDERTARGET | D3DUSAGE_DEPTHSTENCIL)))
    return D3DERR_INVALIDCALL;
  if (pool > D3DPOOL_SYSTEMMEM) return D3DERR_INVALIDCALL;
  const int full = fullMipCount(static_cast<int>(width), static_cast<int>(height));
  if (levels > static_cast<UINT>(full)) return D3DERR_INVALIDCALL;
  *texture = new Texture(link_, static_cast<int>(width), static_cast<int>(height),
                         levels == 0 ? full : static_cast<int>(levels), usage, format, pool);
  return D3D_OK;
}

HRESULT Device::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                   IDirect3DVertexBuffer8** buffer) {
  if (!buffer) return D3DERR_INVALIDCALL;
  *buffer = nullptr;
  if (length == 0 || length > kMaxBufferBytes || pool > D3DPOOL_SYSTEMMEM) return D3DERR_INVALIDCALL;
  *buffer = new VertexBuffer(link_, length, usage, fvf, pool);
  return D3D_OK;
}

HRESULT Device::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                  IDirect3DIndexBuffer8** buffer) {
  if (!buffer) return D3DERR_INVALIDCALL;
  *buffer = nullptr;
  if (length == 0 || length > kMaxBufferBytes || pool > D3DPOOL_SYSTEMMEM) return D3DERR_INVALIDCALL;
  if (format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32) return D3DERR_INVALIDCALL;
  *buffer = new IndexBuffer(link_, length, usage, format, pool);
  return D3D_OK;
}

HRESULT Device::CreateImageSurface(UINT width, UINT height, D3DFORMAT format, IDirect3DSurface8** surface) {
  if (!surface) return D3DERR_INVALIDCALL;
  *surface = nullptr;
  if (width == 0 || height == 0 || width > kMaxBackBufferSize || height > kMaxBackBufferSize ||
      colorFormatBytes(format) == 0)
    return D3DERR_INVALIDCALL;
  *surface = new Surface(link_, static_cast<int>(width), static_cast<int>(height), format);
  return D3D_OK;
}

HRESULT Device::BeginScene() {
  if (inScene_) return D3DERR_INVALIDCALL;
  inScene_ = true;
  return D3D_OK;
}

HRESULT Device::EndScene() {
  if (!inScene_) return D3DERR_INVALIDCALL;
  inScene_ = false;
  return D3D_OK;
}

HRESULT Device::Clear(DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                      DWORD stencil) {
  if ((flags & D3DCLEAR_ZBUFFER) && depthBuffer_.empty()) return D3DERR_INVALIDCALL;
  if ((flags & D3DCLEAR_STENCIL) && stencilBuffer_.empty()) return D3DERR_INVALIDCALL;
  const RenderTarget target = renderTarget();
  const D3DRECT whole{target.clipLeft, target.clipTop, target.clipRight, target.clipBottom};
  if (!rects) rectCount = 0;
  const uint32_t depth = quantizeDepth(z, depthBits_);
  for (DWORD i = 0; i < std::max<DWORD>(rectCount, 1); ++i) {
    const D3DRECT r = rectCount ? rects[i] : whole;
    const int x0 = std::max<int>(r.x1, whole.x1), x1 = std::min<int>(r.x2, whole.x2);
    const int y0 = std::max<int>(r.y1, whole.y1), y1 = std::min<int>(r.y2, whole.y2);
    for (int y = y0; y < y1; ++y) {
      const size_t row = static_cast<size_t>(y) * width_;
      if (flags & D3DCLEAR_TARGET) std::fill(backBuffer_.begin() + row + x0, backBuffer_.begin() + row + x1, color);
      if (flags & D3DCLEAR_ZBUFFER) std::fill(depthBuffer_.begin() + row + x0, depthBuffer_.begin() + row + x1, depth);
      if (flags & D3DCLEAR_STENCIL)
        std::fill(stencilBuffer_.begin() + row + x0, stencilBuffer_.begin() + row + x1, static_cast<uint8_t>(stencil));
    }
  }
  return D3D_OK;
}

RenderTarget Device::renderTarget() {
  RenderTarget t;
  t.color = backBuffer_.data();
  t.width = width_;
  t.height = height_;
  t.hasAlpha = presentation_.BackBufferFormat == D3DFMT_A8R8G8B8;
  t.depth = depthBuffer_.empty() ? nullptr : depthBuffer_.data();
  t.depthBits = depthBits_;
  t.stencil = stencilBuffer_.empty() ? nullptr : stencilBuffer_.data();
  const D3DVIEWPORT8& vp = state_.viewport;
  t.clipLeft = static_cast<int>(std::min<DWORD>(vp.X, width_));
  t.clipTop = static_cast<int>(std::min<DWORD>(vp.Y, height_));
  t.clipRight = static_cast<int>(std::min<DWORD>(vp.X + vp.Width, width_));
  t.clipBottom = static_cast<int>(std::min<DWORD>(vp.Y + vp.Height, height_));
  return t;
}

}  // namespace d3d8sw
