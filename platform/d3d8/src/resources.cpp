// Resource storage, locking and the bookkeeping of the default pool.
#include "resources.h"

#include <algorithm>

#include "pixel_format.h"

namespace d3d8sw {

PoolMember::PoolMember(std::shared_ptr<DeviceLink> link, D3DPOOL pool)
    : link_(std::move(link)), pool_(pool) {
  if (pool_ == D3DPOOL_DEFAULT) ++link_->defaultPoolResources;
}

PoolMember::~PoolMember() {
  if (pool_ == D3DPOOL_DEFAULT) --link_->defaultPoolResources;
}

HRESULT PoolMember::device(IDirect3DDevice8** out) const {
  if (!out) return D3DERR_INVALIDCALL;
  *out = link_->device;
  if (!*out) return D3DERR_INVALIDCALL;
  (*out)->AddRef();
  return D3D_OK;
}

int fullMipCount(int width, int height) {
  int levels = 1;
  while (width > 1 || height > 1) {
    width = std::max(1, width / 2);
    height = std::max(1, height / 2);
    ++levels;
  }
  return levels;
}

namespace {

// Checks a lock rectangle against an image and returns the byte offset of its corner.
bool rectOffset(const RECT* rect, int width, int height, int pitch, int texelBytes, size_t* offset) {
  *offset = 0;
  if (!rect) return true;
  if (rect->left < 0 || rect->top < 0 || rect->right > width || rect->bottom > height ||
      rect->left >= rect->right || rect->top >= rect->bottom)
    return false;
  *offset = static_cast<size_t>(rect->top) * pitch + static_cast<size_t>(rect->left) * texelBytes;
  return true;
}

}  // namespace

Texture::Texture(std::shared_ptr<DeviceLink> link, int width, int height, int levels, DWORD usage,
                 D3DFORMAT format, D3DPOOL pool)
    : PoolMember(std::move(link), pool), usage_(usage), format_(format) {
  const int bytes = colorFormatBytes(format);
  levels_.resize(levels);
  locked_.assign(levels, false);
  for (auto& level : levels_) {
    level.width = width;
    level.height = height;
    level.pitch = width * bytes;
    level.texels.assign(static_cast<size_t>(level.pitch) * height, 0);
    level.argb.assign(static_cast<size_t>(width) * height, 0);
    decodeToArgb(format_, level.texels.data(), level.argb.data(), width * height);
    width = std::max(1, width / 2);
    height = std::max(1, height / 2);
  }
}

HRESULT Texture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
  if (!desc || level >= levels_.size()) return D3DERR_INVALIDCALL;
  const auto& l = levels_[level];
  *desc = D3DSURFACE_DESC{format_, D3DRTYPE_SURFACE, usage_, pool(),
                          static_cast<UINT>(l.texels.size()), D3DMULTISAMPLE_NONE,
                          static_cast<UINT>(l.width), static_cast<UINT>(l.height)};
  return D3D_OK;
}

HRESULT Texture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
  if (!locked || level >= levels_.size() || locked_[level]) return D3DERR_INVALIDCALL;
  auto& l = levels_[level];
  size_t offset = 0;
  if (!rectOffset(rect, l.width, l.height, l.pitch, colorFormatBytes(format_), &offset))
    return D3DERR_INVALIDCALL;
  locked->Pitch = l.pitch;
  locked->pBits = l.texels.data() + offset;
  locked_[level] = true;
  return D3D_OK;
}

HRESULT Texture::UnlockRect(UINT level) {
  if (level >= levels_.size() || !locked_[level]) return D3DERR_INVALIDCALL;
  auto& l = levels_[level];
  decodeToArgb(format_, l.texels.data(), l.argb.data(), l.width * l.height);
  locked_[level] = false;
  return D3D_OK;
}

Surface::Surface(std::shared_ptr<DeviceLink> link, int width, int height, D3DFORMAT format)
    : PoolMember(std::move(link), D3DPOOL_SYSTEMMEM),
      width_(width),
      height_(height),
      pitch_(width * colorFormatBytes(format)),
      format_(format),
      bits_(static_cast<size_t>(pitch_) * height) {}

HRESULT Surface::GetDesc(D3DSURFACE_DESC* desc) {
  if (!desc) return D3DERR_INVALIDCALL;
  *desc = D3DSURFACE_DESC{format_, D3DRTYPE_SURFACE, 0, D3DPOOL_SYSTEMMEM,
                          static_cast<UINT>(bits_.size()), D3DMULTISAMPLE_NONE,
                          static_cast<UINT>(width_), static_cast<UINT>(height_)};
  return D3D_OK;
}

HRESULT Surface::LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
  if (!locked || locked_) return D3DERR_INVALIDCALL;
  size_t offset = 0;
  if (!rectOffset(rect, width_, height_, pitch_, colorFormatBytes(format_), &offset))
    return D3DERR_INVALIDCALL;
  locked->Pitch = pitch_;
  locked->pBits = bits_.data() + offset;
  locked_ = true;
  return D3D_OK;
}

HRESULT Surface::UnlockRect() {
  if (!locked_) return D3DERR_INVALIDCALL;
  locked_ = false;
  return D3D_OK;
}

HRESULT BufferStore::lock(UINT offset, UINT size, BYTE** data, DWORD flags) {
  if (!data) return D3DERR_INVALIDCALL;
  if (size == 0) size = offset <= length() ? length() - offset : 0;
  if (offset > length() || size > length() - offset) return D3DERR_INVALIDCALL;
  *data = bytes_.data() + offset;
  ++locks_;
  return D3D_OK;
}

HRESULT BufferStore::unlock() {
  if (locks_ == 0) return D3DERR_INVALIDCALL;
  --locks_;
  return D3D_OK;
}

HRESULT VertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC* desc) {
  if (!desc) return D3DERR_INVALIDCALL;
  *desc = D3DVERTEXBUFFER_DESC{D3DFMT_VERTEXDATA, D3DRTYPE_VERTEXBUFFER, usage(), pool(), length(), fvf_};
  return D3D_OK;
}

HRESULT IndexBuffer::GetDesc(D3DINDEXBUFFER_DESC* desc) {
  if (!desc) return D3DERR_INVALIDCALL;
  *desc = D3DINDEXBUFFER_DESC{format_, D3DRTYPE_INDEXBUFFER, usage(), pool(), length()};
  return D3D_OK;
}

}  // namespace d3d8sw
