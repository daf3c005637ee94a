// Textures, surfaces and vertex and index buffers of the software device.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "d3d8/d3d8.h"

namespace d3d8sw {

// What a resource knows of its device: the device may go away before the resource.
struct DeviceLink {
  IDirect3DDevice8* device = nullptr;  // null once the device is destroyed
  std::atomic<int> defaultPoolResources{0};
};

// Reference counting shared by every resource class.
template <class Interface>
class RefCounted : public Interface {
 public:
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~RefCounted() = default;

 private:
  std::atomic<ULONG> references_{1};
};

// Holds the device link and counts default-pool resources, which must be gone before
// the device can be reset.
class PoolMember {
 public:
  PoolMember(std::shared_ptr<DeviceLink> link, D3DPOOL pool);
  ~PoolMember();
  HRESULT device(IDirect3DDevice8** out) const;
  D3DPOOL pool() const { return pool_; }

 private:
  std::shared_ptr<DeviceLink> link_;
  D3DPOOL pool_;
};

// One mip level: the texels as the application wrote them and their 32-bit ARGB form,
// which sampling reads.
struct TextureLevel {
  int width = 0;
  int height = 0;
  int pitch = 0;
  std::vector<uint8_t> texels;
  std::vector<uint32_t> argb;
};

class Texture final : public RefCounted<IDirect3DTexture8>, PoolMember {
 public:
  Texture(std::shared_ptr<DeviceLink> link, int width, int height, int levels, DWORD usage,
          D3DFORMAT format, D3DPOOL pool);

  HRESULT GetDevice(IDirect3DDevice8** device) override { return PoolMember::device(device); }
  D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
  DWORD GetLevelCount() override { return static_cast<DWORD>(levels_.size()); }
  HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
  HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
  HRESULT UnlockRect(UINT level) override;

  int levelCount() const { return static_cast<int>(levels_.size()); }
  const TextureLevel& level(int index) const { return levels_[index]; }

 private:
  std::vector<TextureLevel> levels_;
  std::vector<bool> locked_;
  DWORD usage_;
  D3DFORMAT format_;
};

// A system-memory image, the destination of GetFrontBuffer.
class Surface final : public RefCounted<IDirect3DSurface8>, PoolMember {
 public:
  Surface(std::shared_ptr<DeviceLink> link, int width, int height, D3DFORMAT format);

  HRESULT GetDevice(IDirect3DDevice8** device) override { return PoolMember::device(device); }
  HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
  HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
  HRESULT UnlockRect() override;

  int width() const { return width_; }
  int height() const { return height_; }
  D3DFORMAT format() const { return format_; }
  uint8_t* bits() { return bits_.data(); }
  int pitch() const { return pitch_; }

 private:
  int width_;
  int height_;
  int pitch_;
  D3DFORMAT format_;
  std::vector<uint8_t> bits_;
  bool locked_ = false;
};

// The byte store and lock rules shared by vertex and index buffers. Drawing finishes
// before a draw call returns, so a discard lock may hand out the same memory again.
class BufferStore {
 public:
  BufferStore(UINT length, DWORD usage) : bytes_(length), usage_(usage) {}
  HRESULT lock(UINT offset, UINT size, BYTE** data, DWORD flags);
  HRESULT unlock();
  const uint8_t* data() const { return bytes_.data(); }
  UINT length() const { return static_cast<UINT>(bytes_.size()); }
  DWORD usage() const { return usage_; }

 private:
  std::vector<uint8_t> bytes_;
  DWORD usage_;
  int locks_ = 0;
};

class VertexBuffer final : public RefCounted<IDirect3DVertexBuffer8>, PoolMember, public BufferStore {
 public:
  VertexBuffer(std::shared_ptr<DeviceLink> link, UINT length, DWORD usage, DWORD fvf, D3DPOOL pool)
      : PoolMember(std::move(link), pool), BufferStore(length, usage), fvf_(fvf) {}

  HRESULT GetDevice(IDirect3DDevice8** device) override { return PoolMember::device(device); }
  D3DRESOURCETYPE GetType() override { return D3DRTYPE_VERTEXBUFFER; }
  HRESULT Lock(UINT offset, UINT size, BYTE** data, DWORD flags) override {
    return lock(offset, size, data, flags);
  }
  HRESULT Unlock() override { return unlock(); }
  HRESULT GetDesc(D3DVERTEXBUFFER_DESC* desc) override;

 private:
  DWORD fvf_;
};

class IndexBuffer final : public RefCounted<IDirect3DIndexBuffer8>, PoolMember, public BufferStore {
 public:
  IndexBuffer(std::shared_ptr<DeviceLink> link, UINT length, DWORD usage, D3DFORMAT format,
              D3DPOOL pool)
      : PoolMember(std::move(link), pool), BufferStore(length, usage), format_(format) {}

  HRESULT GetDevice(IDirect3DDevice8** device) override { return PoolMember::device(device); }
  D3DRESOURCETYPE GetType() override { return D3DRTYPE_INDEXBUFFER; }
  HRESULT Lock(UINT offset, UINT size, BYTE** data, DWORD flags) override {
    return lock(offset, size, data, flags);
  }
  HRESULT Unlock() override { return unlock(); }
  HRESULT GetDesc(D3DINDEXBUFFER_DESC* desc) override;

  D3DFORMAT format() const { return format_; }

 private:
  D3DFORMAT format_;
};

// The number of levels of a full mip chain down to 1 x 1.
int fullMipCount(int width, int height);

}  // namespace d3d8sw
