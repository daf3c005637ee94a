// Reading a value child (matrix, float or vector) by the base type its record names:
// a child counts as matrix-, float- or vector-based when its own GUID or its base GUID is
// that value library's GUID.
#pragma once

#include "d3dx/d3dx.h"
#include "graph/zyl_channel.h"

class Hux_MatrixChannel;
class Hux_FloatChannel;
class Hux_VectorChannel;

bool IsBasedOn(Zyl_Channel* child, const GUID& base);

// The child as its value class, or null when it is missing or of another kind.
Hux_MatrixChannel* AsMatrixChannel(Zyl_Channel* child);
Hux_FloatChannel* AsFloatChannel(Zyl_Channel* child);
Hux_VectorChannel* AsVectorChannel(Zyl_Channel* child);

// The child's value through its value operation, or `fallback` when it has none.
D3DXMATRIX ReadMatrixChild(Zyl_Channel* child, const D3DXMATRIX& fallback);
float ReadFloatChild(Zyl_Channel* child, float fallback);
D3DXVECTOR3 ReadVectorChild(Zyl_Channel* child, const D3DXVECTOR3& fallback);
