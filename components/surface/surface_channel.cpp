// The surface: link table, material from value children or saved values, saved record.
#include <iterator>

#include "base_type_guids.h"
#include "fixed_block.h"
#include "hux_dx8_direct_graphics_channel.h"
#include "hux_dx8_surface_channel.h"
#include "hux_dx8_texture_channel.h"
#include "runtime/engine_interface.h"
#include "value_child.h"

namespace {

constexpr const char* materialTag = "SUMA";
constexpr const char* transparencyTag = "SUTR";
constexpr const char* collisionTag = "SUCO";

// Seventeen floats, as the block stores them.
static_assert(sizeof(D3DMATERIAL8) == 68);

struct LinkDeclaration {
  const char* linkName;
  const char* typeName;
  GUID type;
};

constexpr LinkDeclaration linkTable[] = {
    {"Object Data", "DX8 3D ObjectData", surfaceMeshGuid},
    {"Texture", "DX8 Texture", textureChannelGuid},
    {"Diffuse Color", "Value Vector", vectorValueGuid},
    {"Ambient Color", "Value Vector", vectorValueGuid},
    {"Specular Color", "Value Vector", vectorValueGuid},
    {"Emissive Color", "Value Vector", vectorValueGuid},
    {"Diffuse Alpha", "Value", floatValueGuid},
    {"Specular Power", "Value", floatValueGuid},
};
static_assert(std::size(linkTable) == surfaceLinkCount);

D3DCOLORVALUE Color(float r, float g, float b, float a) { return D3DCOLORVALUE{r, g, b, a}; }

void ReadColorChild(Zyl_Channel* child, D3DCOLORVALUE* color) {
  const D3DXVECTOR3 rgb = ReadVectorChild(child, D3DXVECTOR3(color->r, color->g, color->b));
  color->r = rgb.x;
  color->g = rgb.y;
  color->b = rgb.z;
}

}  // namespace

Hux_DX8_SurfaceChannel::Hux_DX8_SurfaceChannel() {
  SetChildCreationCount(surfaceLinkCount);
  for (int position = 0; position < surfaceLinkCount; ++position) {
    ChildCreation link;
    CopyTextField(link.linkName, linkTable[position].linkName);
    CopyTextField(link.acceptedType.name, linkTable[position].typeName);
    link.acceptedType.guid = linkTable[position].type;
    link.requestLink = position;
    link.createChild = 0;
    link.declaredLinks = 1;
    SetChildCreateType(link, position);
  }
  SetChannelName("DX8 Surface");
  D3DXMatrixIdentity(&surfaceMatrix);
  savedMaterial.Diffuse = Color(1, 1, 1, 1);
  savedMaterial.Ambient = Color(1, 1, 1, 1);
  savedMaterial.Specular = Color(0, 0, 0, 1);
  savedMaterial.Emissive = Color(0, 0, 0, 1);
  savedMaterial.Power = 0.0f;
  if (engineInterface == nullptr) return;
  // The unique channel of this GUID is always made by the graphics device plug-in.
  graphicsDevice = static_cast<Hux_DX8_DirectGraphicsChannel*>(
      engineInterface->GetUniqueChannel(directGraphicsGuid, nullptr));
  if (graphicsDevice == nullptr) engineInterface->errorMessage("Couldn't initialize Direct Graphics !");
}

Hux_DX8_SurfaceChannel::~Hux_DX8_SurfaceChannel() = default;

bool Hux_DX8_SurfaceChannel::SaveChannel(ZylFileSaver& saver) {
  if (!Zyl_Channel::SaveChannel(saver)) return false;
  const uint8_t collision = includeInCollision ? 1 : 0;
  return SaveFixedBlock(saver, materialTag, &savedMaterial, sizeof savedMaterial) &&
         SaveFixedBlock(saver, transparencyTag, &transparencyMode, sizeof transparencyMode) &&
         SaveFixedBlock(saver, collisionTag, &collision, sizeof collision);
}

bool Hux_DX8_SurfaceChannel::LoadChannel(ZylFileLoader& loader, Zyl_ChannelGroup* group) {
  if (!Zyl_Channel::LoadChannel(loader, group)) return false;
  D3DMATERIAL8 material = savedMaterial;
  int32_t mode = transparencyMode;
  uint8_t collision = includeInCollision ? 1 : 0;
  if (LoadFixedBlock(loader, materialTag, &material, sizeof material) == BlockRead::invalid ||
      LoadFixedBlock(loader, transparencyTag, &mode, sizeof mode) == BlockRead::invalid ||
      LoadFixedBlock(loader, collisionTag, &collision, sizeof collision) == BlockRead::invalid) {
    return false;
  }
  savedMaterial = material;
  SetTransparencyMode(mode);
  includeInCollision = collision != 0;
  return true;
}

void Hux_DX8_SurfaceChannel::DoDependencyInit(Zyl_List* dependencies) {
  AddChannelGuidDepend(directGraphicsGuid, dependencies);
}

void Hux_DX8_SurfaceChannel::SetSurfaceMatrix(D3DXMATRIX matrix) { surfaceMatrix = matrix; }
D3DXMATRIX Hux_DX8_SurfaceChannel::GetSurfaceMatrix() { return surfaceMatrix; }

D3DMATERIAL8 Hux_DX8_SurfaceChannel::GetMaterial() {
  D3DMATERIAL8 material = savedMaterial;
  ReadColorChild(GetChildFromLinkPosition(surfaceLinkDiffuse, 0), &material.Diffuse);
  ReadColorChild(GetChildFromLinkPosition(surfaceLinkAmbient, 0), &material.Ambient);
  ReadColorChild(GetChildFromLinkPosition(surfaceLinkSpecular, 0), &material.Specular);
  ReadColorChild(GetChildFromLinkPosition(surfaceLinkEmissive, 0), &material.Emissive);
  material.Diffuse.a = ReadFloatChild(GetChildFromLinkPosition(surfaceLinkAlpha, 0), material.Diffuse.a);
  material.Power = ReadFloatChild(GetChildFromLinkPosition(surfaceLinkPower, 0), material.Power);
  return material;
}

D3DMATERIAL8 Hux_DX8_SurfaceChannel::GetSavedMaterial() { return savedMaterial; }
void Hux_DX8_SurfaceChannel::SetSavedMaterial(D3DMATERIAL8 material) { savedMaterial = material; }

int Hux_DX8_SurfaceChannel::GetTransparencyMode() { return transparencyMode; }

void Hux_DX8_SurfaceChannel::SetTransparencyMode(int mode) {
  // An unknown mode from a file falls back to the material's alpha.
  transparencyMode = (mode == surfaceAlwaysOpaque || mode == surfaceAlwaysTransparent)
                         ? mode
                         : surfaceByMaterialAlpha;
}

bool Hux_DX8_SurfaceChannel::GetIfTransparent() {
  if (transparencyMode == surfaceAlwaysOpaque) return false;
  if (transparencyMode == surfaceAlwaysTransparent) return true;
  return GetMaterial().Diffuse.a < 1.0f;
}

bool Hux_DX8_SurfaceChannel::GetIncludeInCollision() { return includeInCollision; }
void Hux_DX8_SurfaceChannel::SetIncludeInCollision(bool include) { includeInCollision = include; }

Zyl_Channel* Hux_DX8_SurfaceChannel::GetObjectData() {
  Zyl_Channel* mesh = GetChildFromLinkPosition(surfaceLinkObjectData, 0);
  return IsBasedOn(mesh, surfaceMeshGuid) ? mesh : nullptr;
}
