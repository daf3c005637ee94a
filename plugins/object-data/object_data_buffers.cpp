// The Direct3D vertex and index buffers: vertex format, interleaving, streaming and drawing.
#include <climits>
#include <cstring>
#include <new>

#include "graph/zyl_channel_group.h"
#include "hux_dx8_direct_graphics_channel.h"
#include "object_data_channel.h"
#include "runtime/engine_interface.h"

namespace {

constexpr DWORD positionSize = 12;
constexpr DWORD normalSize = 12;
constexpr DWORD colourSize = 4;
constexpr DWORD textureCoordSize = 8;

}  // namespace

void Hux_DX8_ObjectDataChannel::ComputeVertexFormat() {
  // The format counts texture sets up to the highest one present; missing lower sets are
  // given zero coordinates so that the interleaved vertex always matches the format.
  int highestSet = -1;
  for (int s = 0; s < textureSetCount; ++s) {
    if (textureSets[s]) highestSet = s;
  }
  for (int s = 0; s < highestSet; ++s) {
    if (!textureSets[s]) textureSets[s].reset(new (std::nothrow) D3DXVECTOR2[vertexCount]());
  }
  vertexFormat = 0;
  vertexSize = 0;
  if (positions) {
    vertexFormat |= D3DFVF_XYZ;
    vertexSize += positionSize;
  }
  if (normals) {
    vertexFormat |= D3DFVF_NORMAL;
    vertexSize += normalSize;
  }
  if (colours) {
    vertexFormat |= D3DFVF_DIFFUSE;
    vertexSize += colourSize;
  }
  static constexpr DWORD texFlags[textureSetCount] = {D3DFVF_TEX1, D3DFVF_TEX2, D3DFVF_TEX3};
  if (highestSet >= 0) {
    vertexFormat |= texFlags[highestSet];
    vertexSize += textureCoordSize * static_cast<DWORD>(highestSet + 1);
  }
}

bool Hux_DX8_ObjectDataChannel::FillVertexBuffer() {
  const size_t total = static_cast<size_t>(vertexSize) * vertexCount;
  std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[total]);
  if (!block) {
    if (engineInterface != nullptr) engineInterface->errorMessage("Couldn't lock buffer");
    return false;
  }
  uint8_t* out = block.get();
  auto put = [&out](const void* data, size_t size) {
    std::memcpy(out, data, size);
    out += size;
  };
  for (uint32_t i = 0; i < vertexCount; ++i) {
    if (positions) put(&positions[i], positionSize);
    if (normals) put(&normals[i], normalSize);
    if (colours) put(&colours[i], colourSize);
    for (const auto& set : textureSets) {
      if (set) put(&set[i], textureCoordSize);
    }
  }
  BYTE* locked = nullptr;
  if (FAILED(vertexBuffer->Lock(0, 0, &locked, 0)) || locked == nullptr) {
    if (engineInterface != nullptr) engineInterface->errorMessage("Couldn't lock buffer");
    return false;
  }
  std::memcpy(locked, block.get(), total);
  vertexBuffer->Unlock();
  return true;
}

bool Hux_DX8_ObjectDataChannel::FillIndexBuffer() {
  BYTE* locked = nullptr;
  if (FAILED(indexBuffer->Lock(0, 0, &locked, 0)) || locked == nullptr) {
    if (engineInterface != nullptr) engineInterface->errorMessage("Couldn't lock INDEX buffer");
    return false;
  }
  if (indices) {
    for (uint32_t i = 0; i < indexCount; ++i) {
      if (indices[i] >= vertexCount) {
        indexBuffer->Unlock();
        if (engineInterface != nullptr) {
          engineInterface->messageBox(
              "Hux_DX8_ObjectDataChannel::CreateVertexBuffer Invalid index data");
        }
        return false;
      }
    }
    std::memcpy(locked, indices.get(), static_cast<size_t>(indexCount) * sizeof(uint16_t));
  } else if (engineInterface != nullptr) {
    engineInterface->errorMessage("Index buffer == NULL!!!");
  }
  indexBuffer->Unlock();
  return true;
}

bool Hux_DX8_ObjectDataChannel::CreateVertexBuffer() {
  buffersValid = false;
  IDirect3DDevice8* device =
      graphicsDevice != nullptr ? graphicsDevice->GetDirect3dDevice() : nullptr;
  if (device == nullptr || vertexCount == 0) return false;
  // Buffers left from an earlier call would leak when replaced.
  ReleaseBuffers();
  boundingBoxValid = false;
  ComputeVertexFormat();
  const uint64_t length = static_cast<uint64_t>(vertexSize) * vertexCount;
  if (length > UINT_MAX || vertexSize == 0 ||
      FAILED(device->CreateVertexBuffer(static_cast<UINT>(length), vertexBufferUsage,
                                        vertexFormat, D3DPOOL_DEFAULT, &vertexBuffer))) {
    vertexBuffer = nullptr;
    if (engineInterface != nullptr) {
      ShowErrorMessage& error = engineInterface->errorMessage;
      error("Failed to create vertex buffer");
      error(GetChannelName());
      if (GetChannelGroup() != nullptr) error(GetChannelGroup()->GetChannelGroupFileName());
      error(static_cast<unsigned long>(vertexCount));
      error(static_cast<unsigned long>(vertexSize));
    }
    return false;
  }
  bool filled = FillVertexBuffer();
  if (filled && indexCount == 0) {
    // A zero-length index buffer cannot be made; a mesh without indices (a point list)
    // still draws from its vertex buffer.
    if (engineInterface != nullptr) engineInterface->errorMessage("Index buffer == NULL!!!");
  } else if (filled) {
    if (FAILED(device->CreateIndexBuffer(indexCount * 2, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16,
                                         D3DPOOL_DEFAULT, &indexBuffer))) {
      indexBuffer = nullptr;
      if (engineInterface != nullptr) engineInterface->errorMessage("Couldn't CreateIndexBuffer");
      filled = false;
    } else {
      filled = FillIndexBuffer();
    }
  }
  if (!filled) {
    ReleaseBuffers();
    return false;
  }
  buffersValid = true;
  SetTimeStamp();
  return true;
}

void Hux_DX8_ObjectDataChannel::UpdateData() {
  if (!buffersValid) CreateVertexBuffer();
}

void Hux_DX8_ObjectDataChannel::SetStreams(UINT stream) {
  IDirect3DDevice8* device = graphicsDevice->GetDirect3dDevice();
  device->SetVertexShader(vertexFormat);
  device->SetStreamSource(stream, vertexBuffer, vertexSize);
  device->SetIndices(indexBuffer, 0);
}

bool Hux_DX8_ObjectDataChannel::SetDataToStream(int stream) {
  if (graphicsDevice == nullptr) return false;
  IDirect3DDevice8* device = graphicsDevice->GetDirect3dDevice();
  if (device == nullptr) return false;
  StreamTextureMatrices();
  if (!buffersValid) CreateVertexBuffer();
  if (!buffersValid || !GetIfObjectIsVisible()) return false;
  SetStreams(static_cast<UINT>(stream));
  return true;
}

void Hux_DX8_ObjectDataChannel::ResetTextureMatrices(bool resetStageFlags) {
  if (!textureMatricesSet) return;
  IDirect3DDevice8* device = graphicsDevice->GetDirect3dDevice();
  D3DXMATRIX identity;
  D3DXMatrixIdentity(&identity);
  for (int s = 0; s < textureSetCount; ++s) {
    device->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(D3DTS_TEXTURE0 + s), &identity);
    if (resetStageFlags) {
      graphicsDevice->SetTextureStageState(static_cast<DWORD>(s), D3DTSS_TEXTURETRANSFORMFLAGS,
                                           D3DTTFF_COUNT2);
    }
  }
  textureMatricesSet = false;
}

void Hux_DX8_ObjectDataChannel::StreamVertexData() {
  if (graphicsDevice == nullptr) return;
  IDirect3DDevice8* device = graphicsDevice->GetDirect3dDevice();
  if (device == nullptr) return;
  bool draw;
  if (CheckRenderCount()) {
    draw = SetDataToStream(0);
  } else {
    // A repeated evaluation in this frame: no texture matrices, no buffer creation.
    draw = GetIfObjectIsVisible();
    if (draw && buffersValid) SetStreams(0);
  }
  if (!draw) {
    ResetTextureMatrices(false);
    return;
  }
  if (buffersValid) {
    switch (polygonType) {
      case D3DPT_POINTLIST:
        device->DrawPrimitive(D3DPT_POINTLIST, 0, vertexCount);
        break;
      case D3DPT_LINELIST:
        device->DrawIndexedPrimitive(D3DPT_LINELIST, 0, vertexCount, 0, indexCount / 2);
        break;
      case D3DPT_LINESTRIP:
        if (indexCount > 0) {
          device->DrawIndexedPrimitive(D3DPT_LINESTRIP, 0, vertexCount, 0, indexCount - 1);
        }
        break;
      case D3DPT_TRIANGLELIST:
        device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, vertexCount, 0, indexCount / 3);
        break;
      default:
        break;  // strips and fans are stored but not drawn
    }
  }
  ResetTextureMatrices(true);
}

void Hux_DX8_ObjectDataChannel::CallChannel() {
  if (!worldMatrixSet && graphicsDevice != nullptr) {
    worldMatrix = graphicsDevice->GetWorldMatrix();
  }
  StreamVertexData();
  worldMatrixSet = false;
}
