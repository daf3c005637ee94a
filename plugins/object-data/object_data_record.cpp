// The saved record: vertex arrays, texture offsets, indices, polygon type, texture
// mappings and transform modes as tagged blocks, with the older block names on reading.
#include <new>

#include "fixed_block.h"
#include "object_data_channel.h"
#include "runtime/engine_interface.h"

namespace {

void Report(ZylFileLoader& loader, const char* text, const char* detail = nullptr) {
  if (loader.engineInterface == nullptr) return;
  if (detail != nullptr) {
    loader.engineInterface->errorMessage(text, detail);
  } else {
    loader.engineInterface->errorMessage(text);
  }
}

template <typename T>
bool SaveArray(ZylFileSaver& saver, const char* tag, const std::unique_ptr<T[]>& array,
               uint32_t count) {
  return SaveFixedBlock(saver, tag, array.get(), static_cast<unsigned long>(count) * sizeof(T));
}

// Reads the block `tag`, when it is next, into a new array of `count` elements (none when
// `count` is 0). The block must hold exactly that many; its size is checked before anything
// is allocated.
template <typename T>
BlockRead LoadArray(ZylFileLoader& loader, const char* tag, uint32_t count,
                    std::unique_ptr<T[]>& out) {
  if (!loader.GetInfoIfTag(tag)) return BlockRead::missing;
  const unsigned long size = static_cast<unsigned long>(count) * sizeof(T);
  if (loader.GetSizeDataBlock(false) != size) {
    Report(loader, "Hux_DX8_ObjectDataChannel::LoadChannel: block size disagrees with the count:",
           tag);
    return BlockRead::invalid;
  }
  std::unique_ptr<T[]> array;
  if (count > 0) {
    array.reset(new (std::nothrow) T[count]());
    if (!array) {
      Report(loader, "Hux_DX8_ObjectDataChannel::LoadChannel: out of memory for", tag);
      return BlockRead::invalid;
    }
  }
  if (!loader.CopyTagDataToPointer(array.get(), size)) return BlockRead::invalid;
  if (count > 0) out = std::move(array);
  return BlockRead::read;
}

}  // namespace

bool Hux_DX8_ObjectDataChannel::SaveChannel(ZylFileSaver& saver) {
  if (!Zyl_Channel::SaveChannel(saver)) return false;
  uint32_t flags = 0;
  if (positions) flags |= D3DFVF_XYZ;
  if (normals) flags |= D3DFVF_NORMAL;
  if (textureSets[2]) {
    flags |= D3DFVF_TEX3;
  } else if (textureSets[1]) {
    flags |= D3DFVF_TEX2;
  } else if (textureSets[0]) {
    flags |= D3DFVF_TEX1;
  }
  if (colours) flags |= D3DFVF_DIFFUSE;
  vertexFormat = flags;
  SaveFixedBlock(saver, "VRCO", &vertexCount, 4);
  SaveFixedBlock(saver, "VRFL", &flags, 4);
  if (positions) SaveArray(saver, "VPPI", positions, vertexCount);
  if (normals) SaveArray(saver, "VNNI", normals, vertexCount);
  static constexpr const char* dataTags[textureSetCount] = {"VTD0", "VTD1", "VTD2"};
  static constexpr const char* offsetTags[textureSetCount] = {"VTO0", "VTO1", "VTO2"};
  for (int s = 0; s < textureSetCount; ++s) {
    if (!textureSets[s]) continue;
    SaveArray(saver, dataTags[s], textureSets[s], vertexCount);
    SaveFixedBlock(saver, offsetTags[s], &textureOffsets[s], sizeof(VertTUVOffset));
  }
  if (colours) SaveArray(saver, "VCNC", colours, vertexCount);
  // An index count without stored indices saves zero indices, so the record reloads.
  if (!indices && indexCount > 0) {
    indices.reset(new (std::nothrow) uint16_t[indexCount]());
    if (!indices) return false;
  }
  SaveFixedBlock(saver, "POCO", &indexCount, 4);
  SaveArray(saver, "PODA", indices, indexCount);
  SaveFixedBlock(saver, "POTY", &polygonType, 4);
  SaveFixedBlock(saver, "PONM", textureMappings, sizeof(textureMappings));
  SaveFixedBlock(saver, "POTT", textureTransformModes, sizeof(textureTransformModes));
  return true;
}

bool Hux_DX8_ObjectDataChannel::LoadChannel(ZylFileLoader& loader, Zyl_ChannelGroup* group) {
  Release();
  if (!Zyl_Channel::LoadChannel(loader, group)) return false;
  uint32_t count = 0;
  BlockRead read = LoadFixedBlock(loader, "VRCO", &count, 4);
  if (read == BlockRead::missing) {
    Report(loader, "Couldn't find VRCO header");
    return true;
  }
  if (read == BlockRead::invalid) return false;
  uint32_t flags = 0;
  read = LoadFixedBlock(loader, "VRFL", &flags, 4);
  if (read != BlockRead::read) {
    if (read == BlockRead::missing) Report(loader, "Couldn't find VRFL header");
    return false;
  }
  vertexFormat = flags;
  // Every vertex array takes at least 4 bytes a vertex in the record, so a larger count
  // cannot be genuine; checked before the zero-filled arrays of the older layout exist.
  constexpr uint32_t arrayFlags = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX3;
  const int bufferSize = loader.GetBufferSize();
  const uint32_t recordBytes = bufferSize > 0 ? static_cast<uint32_t>(bufferSize) : 0;
  if ((flags & arrayFlags) != 0 && count > recordBytes / 4) {
    Report(loader, "Hux_DX8_ObjectDataChannel::LoadChannel: vertex count exceeds the record");
    return false;
  }
  vertexCount = count;
  if (!LoadVertexBlocks(loader)) return false;
  if (!LoadIndexBlocks(loader)) return false;
  if (vertexCount > 0) CreateVertexBuffer();
  return true;
}

bool Hux_DX8_ObjectDataChannel::LoadVertexBlocks(ZylFileLoader& loader) {
  const uint32_t n = vertexCount;
  auto ok = [](BlockRead r) { return r != BlockRead::invalid; };
  if (vertexFormat & D3DFVF_XYZ) {
    if (!ok(LoadArray(loader, "VPDA", n, positions))) return false;
    if (!ok(LoadArray(loader, "VPPI", n, positions))) return false;
  }
  if (vertexFormat & D3DFVF_NORMAL) {
    if (!ok(LoadArray(loader, "VNDA", n, normals))) return false;
    if (!ok(LoadArray(loader, "VNNI", n, normals))) return false;
  }
  // The older layout: each flag bit gives a set its (zero-filled) array, then the next
  // "VTDA" and "VTOP" blocks fill it. 0x300 thus reads sets 0, 0, 1 in turn.
  auto loadOldSet = [&](int set) {
    std::unique_ptr<D3DXVECTOR2[]> array;
    if (n > 0) {
      array.reset(new (std::nothrow) D3DXVECTOR2[n]());
      if (!array) return false;
    }
    if (!ok(LoadArray(loader, "VTDA", n, array))) return false;
    textureSets[set] = std::move(array);
    return ok(LoadFixedBlock(loader, "VTOP", &textureOffsets[set], sizeof(VertTUVOffset)));
  };
  if ((vertexFormat & D3DFVF_TEX1) && !loadOldSet(0)) return false;
  if (vertexFormat & D3DFVF_TEX2) {
    if (!loadOldSet(0) || !loadOldSet(1)) return false;
  }
  static constexpr const char* dataTags[textureSetCount] = {"VTD0", "VTD1", "VTD2"};
  static constexpr const char* offsetTags[textureSetCount] = {"VTO0", "VTO1", "VTO2"};
  for (int s = 0; s < textureSetCount; ++s) {
    BlockRead data = LoadArray(loader, dataTags[s], n, textureSets[s]);
    if (!ok(data)) return false;
    if (data == BlockRead::read &&
        !ok(LoadFixedBlock(loader, offsetTags[s], &textureOffsets[s], sizeof(VertTUVOffset)))) {
      return false;
    }
  }
  if ((vertexFormat & D3DFVF_DIFFUSE) && n > 0) {
    if (!ok(LoadArray(loader, "VCDA", n, colours))) return false;
    if (!ok(LoadArray(loader, "VCNC", n, colours))) return false;
  }
  return true;
}

bool Hux_DX8_ObjectDataChannel::LoadIndexBlocks(ZylFileLoader& loader) {
  uint32_t count = 0;
  BlockRead read = LoadFixedBlock(loader, "POCO", &count, 4);
  if (read != BlockRead::read) {
    if (read == BlockRead::missing) Report(loader, "Couldn't find POCO header");
    return false;
  }
  indexCount = count;
  read = LoadArray(loader, "PODA", count, indices);
  if (read != BlockRead::read) {
    if (read == BlockRead::missing) Report(loader, "Couldn't find PODA header");
    return false;
  }
  read = LoadFixedBlock(loader, "POTY", &polygonType, 4);
  if (read != BlockRead::read) {
    if (read == BlockRead::missing) Report(loader, "Couldn't find POTY header");
    return false;
  }
  if (LoadFixedBlock(loader, "POTM", textureMappings, sizeof(textureMappings)) ==
          BlockRead::invalid ||
      LoadFixedBlock(loader, "PONM", textureMappings, sizeof(textureMappings)) ==
          BlockRead::invalid ||
      LoadFixedBlock(loader, "POTT", textureTransformModes, sizeof(textureTransformModes)) ==
          BlockRead::invalid) {
    return false;
  }
  return true;
}
