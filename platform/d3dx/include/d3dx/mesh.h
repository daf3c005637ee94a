// Meshes, data buffers and the shape builders. A built mesh holds positions and normals
// (D3DFVF_XYZ | D3DFVF_NORMAL, 24 bytes a vertex) and a 16-bit triangle list whose front
// faces turn clockwise as seen from outside, in left-handed coordinates.
#pragma once

#include "d3d8/d3d8types.h"  // D3DERR_INVALIDCALL and the vertex format bits

// The builders only check the device pointer; they never call it.
struct IDirect3DDevice8;
using LPDIRECT3DDEVICE8 = IDirect3DDevice8*;

// Mesh creation options reported by GetOptions.
inline constexpr DWORD D3DXMESH_32BIT = 0x001;
inline constexpr DWORD D3DXMESH_MANAGED = 0x220;

// A block of memory owned by the buffer, reference counted.
struct ID3DXBuffer {
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;  // returns the references that remain
  virtual void* GetBufferPointer() = 0;
  virtual DWORD GetBufferSize() = 0;

 protected:
  ~ID3DXBuffer() = default;
};
using LPD3DXBUFFER = ID3DXBuffer*;

// A triangle-list mesh in memory, reference counted. Locks hand out the mesh's own
// storage; it stays valid until the matching unlock.
struct ID3DXMesh {
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;  // returns the references that remain
  virtual DWORD GetNumFaces() = 0;
  virtual DWORD GetNumVertices() = 0;
  virtual DWORD GetFVF() = 0;
  virtual DWORD GetOptions() = 0;
  virtual HRESULT LockVertexBuffer(DWORD flags, BYTE** data) = 0;
  virtual HRESULT UnlockVertexBuffer() = 0;
  virtual HRESULT LockIndexBuffer(DWORD flags, BYTE** data) = 0;
  virtual HRESULT UnlockIndexBuffer() = 0;

 protected:
  ~ID3DXMesh() = default;
};
using LPD3DXMESH = ID3DXMesh*;

// Every builder fails with D3DERR_INVALIDCALL and no mesh when the device or mesh pointer is
// null, a size is negative (or not a number), a count is below its minimum or the shape would
// need more than 65535 vertices (16-bit indices). adjacency, when not null, receives three face
// numbers per face (0xFFFFFFFF for an open edge). The device is only checked, never used.

// Centred box, 24 vertices and 12 faces, each side with its own four vertices and normal.
HRESULT D3DXCreateBox(IDirect3DDevice8* device, float width, float height, float depth,
                      ID3DXMesh** mesh, ID3DXBuffer** adjacency);
// Sphere about the origin with its poles on the z axis; slices >= 2, stacks >= 2.
// (stacks - 1) x slices + 2 vertices, 2 x slices x (stacks - 1) faces.
HRESULT D3DXCreateSphere(IDirect3DDevice8* device, float radius, UINT slices, UINT stacks,
                         ID3DXMesh** mesh, ID3DXBuffer** adjacency);
// Cylinder or cone along the z axis, centred, radius1 at z = -length / 2 and radius2 at
// +length / 2, closed by two caps; slices >= 2, stacks >= 1.
// slices x (stacks + 3) + 2 vertices, 2 x slices x (stacks + 1) faces.
HRESULT D3DXCreateCylinder(IDirect3DDevice8* device, float radius1, float radius2, float length,
                           UINT slices, UINT stacks, ID3DXMesh** mesh, ID3DXBuffer** adjacency);
// Torus about the z axis: a tube of radius innerRadius whose centre circles the origin at
// outerRadius in the xy plane; sides (around the tube) >= 3, rings (around the axis) >= 3.
// sides x rings vertices, 2 x sides x rings faces.
HRESULT D3DXCreateTorus(IDirect3DDevice8* device, float innerRadius, float outerRadius, UINT sides,
                        UINT rings, ID3DXMesh** mesh, ID3DXBuffer** adjacency);
// Regular polygon in the xy plane, centred, facing +z, each side of the given length;
// sides >= 3. sides + 1 vertices (the centre first), sides faces.
HRESULT D3DXCreatePolygon(IDirect3DDevice8* device, float length, UINT sides, ID3DXMesh** mesh,
                          ID3DXBuffer** adjacency);
