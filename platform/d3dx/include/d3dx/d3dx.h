// The math and mesh helper library: include this one header.
#pragma once

#include "d3dx/color.h"
#include "d3dx/matrix.h"
#include "d3dx/mesh.h"
#include "d3dx/plane.h"
#include "d3dx/quaternion.h"
#include "d3dx/vector.h"
