// The primitive channel: link table, shape settings, evaluation and the saved record (the
// shape settings only; loading rebuilds the mesh).
#include <iterator>

#include "base_type_guids.h"
#include "fixed_block.h"
#include "hux_dx8_primitive.h"
#include "hux_float_channel.h"
#include "value_child.h"

namespace {

struct LinkDeclaration {
  const char* linkName;
  const char* typeName;
  GUID type;
  int32_t requestLink;
};

constexpr LinkDeclaration linkTable[] = {
    {"Texture Matrix Set 0", "Matrix", matrixValueGuid, 0},
    {"Texture Matrix Set 1", "Matrix", matrixValueGuid, 1},
    {"Primitive Complexity", "Value", floatValueGuid, 2},
    {"Primitive Information", "Type depends on setting", wildcardGuid, -1},
};

// Reads one block into `field` when it is next (a missing block keeps it); false for a block
// of the wrong size.
template <class Field>
bool LoadInto(ZylFileLoader& loader, const char* tag, Field& field) {
  return LoadFixedBlock(loader, tag, &field, sizeof field) != BlockRead::invalid;
}

bool LoadFlag(ZylFileLoader& loader, const char* tag, bool& flag) {
  uint8_t byte = flag ? 1 : 0;
  if (!LoadInto(loader, tag, byte)) return false;
  flag = byte != 0;
  return true;
}

bool SaveFlag(ZylFileSaver& saver, const char* tag, bool flag) {
  const uint8_t byte = flag ? 1 : 0;
  return SaveFixedBlock(saver, tag, &byte, sizeof byte);
}

constexpr const char* offsetTags[Hux_DX8_ObjectDataChannel::textureSetCount] = {"PRT1", "PRT2", "PRT3"};
constexpr const char* usedTags[Hux_DX8_ObjectDataChannel::textureSetCount] = {"PRUT", "PRU2", "PRU3"};

}  // namespace

Hux_DX8_Primitive::Hux_DX8_Primitive() {
  SetChannelName("DX8 Primitive");
  SetChildCreationCount(3);
  for (int position = 0; position < static_cast<int>(std::size(linkTable)); ++position) {
    ChildCreation link;
    CopyTextField(link.linkName, linkTable[position].linkName);
    CopyTextField(link.acceptedType.name, linkTable[position].typeName);
    link.acceptedType.guid = linkTable[position].type;
    link.requestLink = linkTable[position].requestLink;
    link.createChild = 0;
    link.declaredLinks = 1;
    SetChildCreateType(link, position);
  }
}

Hux_DX8_Primitive::~Hux_DX8_Primitive() = default;

void Hux_DX8_Primitive::CallChannel() {
  if (CheckIfPrimitiveChange()) CreateShape();
  if (!shapeBuilt) return;
  if (primitiveType == primitiveLineStrip) {
    DrawLine();
  } else {
    Hux_DX8_ObjectDataChannel::CallChannel();
  }
}

void Hux_DX8_Primitive::UpdateData() {
  if (CheckIfPrimitiveChange()) CreateShape();
}

bool Hux_DX8_Primitive::CheckIfPrimitiveChange() {
  if (!shapeBuilt) return true;
  Hux_FloatChannel* value = AsFloatChannel(GetChildFromLinkPosition(complexityLink, 0));
  return value != nullptr && value->GetFloat() != static_cast<float>(complexity);
}

void Hux_DX8_Primitive::SetPrimitiveType(int type) {
  primitiveType = type;
  shapeBuilt = false;
}

int Hux_DX8_Primitive::GetPrimitiveType() { return primitiveType; }
bool Hux_DX8_Primitive::GetPolygonFlip() { return polygonFlip; }

void Hux_DX8_Primitive::SetPolygonFlip(bool flip) {
  polygonFlip = flip;
  shapeBuilt = false;
}

bool Hux_DX8_Primitive::SaveChannel(ZylFileSaver& saver) {
  // The common record only: the mesh itself is rebuilt on load.
  if (!Zyl_Channel::SaveChannel(saver)) return false;
  // A shape not built yet has no arrays to tell which sets are used; its flags stand.
  if (shapeBuilt && vertexCount > 0) {
    for (int set = 0; set < textureSetCount; ++set) textureSetUsed[set] = GetVertexTUUse(set);
  }
  bool saved = SaveFixedBlock(saver, "PRST", &primitiveType, sizeof primitiveType) &&
               SaveFlag(saver, "PRFP", polygonFlip);
  for (int set = 0; set < textureSetCount; ++set) {
    saved = saved && SaveFixedBlock(saver, offsetTags[set], &textureOffsets[set], sizeof(VertTUVOffset));
  }
  saved = saved && SaveFixedBlock(saver, "PRTM", textureMappings, sizeof textureMappings) &&
          SaveFixedBlock(saver, "POTT", textureTransformModes, sizeof textureTransformModes);
  for (int set = 0; set < textureSetCount; ++set) {
    saved = saved && SaveFlag(saver, usedTags[set], textureSetUsed[set]);
  }
  return saved;
}

bool Hux_DX8_Primitive::LoadChannel(ZylFileLoader& loader, Zyl_ChannelGroup* group) {
  if (!Zyl_Channel::LoadChannel(loader, group)) return false;
  bool loaded = LoadInto(loader, "PRST", primitiveType) && LoadFlag(loader, "PRFP", polygonFlip);
  for (int set = 0; set < textureSetCount; ++set) {
    loaded = loaded && LoadInto(loader, offsetTags[set], textureOffsets[set]);
  }
  loaded = loaded && LoadInto(loader, "PRTM", textureMappings) &&
           LoadInto(loader, "POTT", textureTransformModes);
  for (int set = 0; set < textureSetCount; ++set) {
    loaded = loaded && LoadFlag(loader, usedTags[set], textureSetUsed[set]);
  }
  if (!loaded) return false;
  shapeBuilt = false;
  CreateShape();
  return true;
}
