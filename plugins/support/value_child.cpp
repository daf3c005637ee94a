// Value children by base type. The casts are static: the type record vouches for the
// class, and no value library needs to be linked to call its virtual operations.
#include "value_child.h"

#include "base_type_guids.h"
#include "hux_float_channel.h"
#include "hux_matrix_channel.h"
#include "hux_vector_channel.h"

bool IsBasedOn(Zyl_Channel* child, const GUID& base) {
  if (child == nullptr) return false;
  const ChannelType& type = child->CachedChannelType();
  return IsEqualGuid(type.baseGuid, base) || IsEqualGuid(type.guid, base);
}

Hux_MatrixChannel* AsMatrixChannel(Zyl_Channel* child) {
  return IsBasedOn(child, matrixValueGuid) ? static_cast<Hux_MatrixChannel*>(child) : nullptr;
}

Hux_FloatChannel* AsFloatChannel(Zyl_Channel* child) {
  return IsBasedOn(child, floatValueGuid) ? static_cast<Hux_FloatChannel*>(child) : nullptr;
}

Hux_VectorChannel* AsVectorChannel(Zyl_Channel* child) {
  return IsBasedOn(child, vectorValueGuid) ? static_cast<Hux_VectorChannel*>(child) : nullptr;
}

D3DXMATRIX ReadMatrixChild(Zyl_Channel* child, const D3DXMATRIX& fallback) {
  Hux_MatrixChannel* matrix = AsMatrixChannel(child);
  return matrix ? matrix->GetMatrix() : fallback;
}

float ReadFloatChild(Zyl_Channel* child, float fallback) {
  Hux_FloatChannel* value = AsFloatChannel(child);
  return value ? value->GetFloat() : fallback;
}

D3DXVECTOR3 ReadVectorChild(Zyl_Channel* child, const D3DXVECTOR3& fallback) {
  Hux_VectorChannel* vector = AsVectorChannel(child);
  return vector ? vector->GetVector() : fallback;
}
