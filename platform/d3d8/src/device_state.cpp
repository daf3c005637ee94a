// State setters and getters and state blocks. Setters only record the value and raise
// a dirty bit; between BeginStateBlock and EndStateBlock they record into the block
// instead and leave the device state alone.
#include <algorithm>

#include "device.h"
#include "matrix.h"
#include "state_tables.h"

namespace d3d8sw {

namespace {

template <class T>
void assignReference(T*& slot, T* value) {
  if (value) value->AddRef();
  if (slot) slot->Release();
  slot = value;
}

D3DLIGHT8 defaultLight() {
  D3DLIGHT8 l{};
  l.Type = D3DLIGHT_DIRECTIONAL;
  l.Diffuse = D3DCOLORVALUE{1.0f, 1.0f, 1.0f, 0.0f};
  l.Direction = D3DVECTOR{0.0f, 0.0f, 1.0f};
  return l;
}

void growLights(std::vector<LightSlot>& lights, DWORD index) {
  if (lights.size() <= index) lights.resize(index + 1);
}

void growMask(std::vector<bool>& mask, DWORD index) {
  if (mask.size() <= index) mask.resize(index + 1, false);
}

// The matrix a transform state names; null for states the device does not keep.
D3DMATRIX* transformSlot(DeviceState& s, D3DTRANSFORMSTATETYPE state) {
  if (state == D3DTS_WORLD) return &s.world;
  if (state == D3DTS_VIEW) return &s.view;
  if (state == D3DTS_PROJECTION) return &s.projection;
  if (state >= D3DTS_TEXTURE0 && state <= D3DTS_TEXTURE7) return &s.textureMatrices[state - D3DTS_TEXTURE0];
  return nullptr;
}

void markTransform(StateMask& m, D3DTRANSFORMSTATETYPE state) {
  if (state == D3DTS_WORLD) m.world = true;
  if (state == D3DTS_VIEW) m.view = true;
  if (state == D3DTS_PROJECTION) m.projection = true;
  if (state >= D3DTS_TEXTURE0 && state <= D3DTS_TEXTURE7) m.textureMatrices[state - D3DTS_TEXTURE0] = true;
}

}  // namespace

void Device::releaseStateReferences(DeviceState& s) {
  for (Texture*& t : s.textures) assignReference<Texture>(t, nullptr);
  assignReference<VertexBuffer>(s.stream, nullptr);
  assignReference<IndexBuffer>(s.indices, nullptr);
}

void Device::resetState() {
  releaseStateReferences(state_);
  state_ = DeviceState{};
  for (const auto& d : kRenderStateDefaults) state_.renderStates[d.state] = d.value;
  state_.renderStates[D3DRS_ZENABLE] = presentation_.EnableAutoDepthStencil ? D3DZB_TRUE : D3DZB_FALSE;
  for (int s = 0; s < kMaxTextureStages; ++s)
    for (DWORD t = 0; t < static_cast<DWORD>(kTextureStageStateCount); ++t)
      state_.stageStates[s][t] = textureStageStateDefault(s, t);
  state_.world = state_.view = state_.projection = identityMatrix();
  state_.textureMatrices.fill(identityMatrix());
  state_.viewport = D3DVIEWPORT8{0, 0, static_cast<DWORD>(width_), static_cast<DWORD>(height_), 0.0f, 1.0f};
  dirty_ = kDirtyAll;
}

HRESULT Device::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
  if (!matrix) return D3DERR_INVALIDCALL;
  if (state > D3DTS_WORLD && state <= D3DTS_WORLDMATRIX(255)) return D3D_OK;  // blend matrices: unused
  if (recording_) {
    D3DMATRIX* slot = transformSlot(recording_->values, state);
    if (!slot) return D3DERR_INVALIDCALL;
    *slot = *matrix;
    markTransform(recording_->mask, state);
    return D3D_OK;
  }
  D3DMATRIX* slot = transformSlot(state_, state);
  if (!slot) return D3DERR_INVALIDCALL;
  *slot = *matrix;
  dirty_ |= kDirtyTransforms | kDirtyLights | kDirtyStages;
  return D3D_OK;
}

HRESULT Device::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) {
  if (!matrix) return D3DERR_INVALIDCALL;
  if (state > D3DTS_WORLD && state <= D3DTS_WORLDMATRIX(255)) {
    *matrix = identityMatrix();
    return D3D_OK;
  }
  const D3DMATRIX* slot = transformSlot(state_, state);
  if (!slot) return D3DERR_INVALIDCALL;
  *matrix = *slot;
  return D3D_OK;
}

HRESULT Device::MultiplyTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
  if (!matrix) return D3DERR_INVALIDCALL;
  D3DMATRIX current;
  const HRESULT result = GetTransform(state, &current);
  if (FAILED(result)) return result;
  const D3DMATRIX product = multiply(*matrix, current);
  return SetTransform(state, &product);
}

HRESULT Device::SetViewport(const D3DVIEWPORT8* viewport) {
  if (!viewport) return D3DERR_INVALIDCALL;
  const D3DVIEWPORT8& v = *viewport;
  if (v.Width == 0 || v.Height == 0 || v.X > static_cast<DWORD>(width_) || v.Y > static_cast<DWORD>(height_) ||
      v.Width > static_cast<DWORD>(width_) - v.X || v.Height > static_cast<DWORD>(height_) - v.Y ||
      !(v.MinZ >= 0.0f && v.MinZ <= 1.0f && v.MaxZ >= 0.0f && v.MaxZ <= 1.0f))
    return D3DERR_INVALIDCALL;
  if (recording_) {
    recording_->values.viewport = v;
    recording_->mask.viewport = true;
    return D3D_OK;
  }
  state_.viewport = v;
  dirty_ |= kDirtyTransforms;
  return D3D_OK;
}

HRESULT Device::GetViewport(D3DVIEWPORT8* viewport) {
  if (!viewport) return D3DERR_INVALIDCALL;
  *viewport = state_.viewport;
  return D3D_OK;
}

HRESULT Device::SetMaterial(const D3DMATERIAL8* material) {
  if (!material) return D3DERR_INVALIDCALL;
  if (recording_) {
    recording_->values.material = *material;
    recording_->mask.material = true;
    return D3D_OK;
  }
  state_.material = *material;
  dirty_ |= kDirtyLights;
  return D3D_OK;
}

HRESULT Device::GetMaterial(D3DMATERIAL8* material) {
  if (!material) return D3DERR_INVALIDCALL;
  *material = state_.material;
  return D3D_OK;
}

HRESULT Device::SetLight(DWORD index, const D3DLIGHT8* light) {
  if (!light || index >= static_cast<DWORD>(kMaxLightIndex)) return D3DERR_INVALIDCALL;
  if (light->Type < D3DLIGHT_POINT || light->Type > D3DLIGHT_DIRECTIONAL || light->Range < 0.0f)
    return D3DERR_INVALIDCALL;
  if (recording_) {
    growLights(recording_->values.lights, index);
    growMask(recording_->mask.lights, index);
    recording_->values.lights[index].light = *light;
    recording_->mask.lights[index] = true;
    return D3D_OK;
  }
  growLights(state_.lights, index);
  state_.lights[index].light = *light;
  dirty_ |= kDirtyLights;
  return D3D_OK;
}

HRESULT Device::GetLight(DWORD index, D3DLIGHT8* light) {
  if (!light || index >= state_.lights.size()) return D3DERR_INVALIDCALL;
  *light = state_.lights[index].light;
  return D3D_OK;
}

HRESULT Device::LightEnable(DWORD index, BOOL enable) {
  if (index >= static_cast<DWORD>(kMaxLightIndex)) return D3DERR_INVALIDCALL;
  // Enabling a light that was never set gives it the default light's parameters.
  auto ensure = [index](std::vector<LightSlot>& lights) {
    if (lights.size() <= index) {
      const size_t old = lights.size();
      lights.resize(index + 1);
      for (size_t i = old; i <= index; ++i) lights[i].light = defaultLight();
    }
  };
  if (recording_) {
    ensure(recording_->values.lights);
    growMask(recording_->mask.lightEnables, index);
    recording_->values.lights[index].enabled = enable != FALSE;
    recording_->mask.lightEnables[index] = true;
    return D3D_OK;
  }
  ensure(state_.lights);
  state_.lights[index].enabled = enable != FALSE;
  dirty_ |= kDirtyLights;
  return D3D_OK;
}

HRESULT Device::GetLightEnable(DWORD index, BOOL* enable) {
  if (!enable || index >= state_.lights.size()) return D3DERR_INVALIDCALL;
  *enable = state_.lights[index].enabled ? TRUE : FALSE;
  return D3D_OK;
}

HRESULT Device::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  if (!isDefinedRenderState(state)) return D3DERR_INVALIDCALL;
  if (recording_) {
    recording_->values.renderStates[state] = value;
    recording_->mask.renderStates[state] = true;
    return D3D_OK;
  }
  state_.renderStates[state] = value;
  dirty_ |= kDirtyRender | kDirtyLights | kDirtyStages;
  return D3D_OK;
}

HRESULT Device::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
  if (!value || !isDefinedRenderState(state)) return D3DERR_INVALIDCALL;
  *value = state_.renderStates[state];
  return D3D_OK;
}

HRESULT Device::SetTexture(DWORD stage, IDirect3DTexture8* texture) {
  if (stage >= static_cast<DWORD>(kMaxTextureStages)) return D3DERR_INVALIDCALL;
  Texture* ours = nullptr;
  if (texture) {
    ours = dynamic_cast<Texture*>(texture);
    if (!ours) return D3DERR_INVALIDCALL;
  }
  if (recording_) {
    assignReference(recording_->values.textures[stage], ours);
    recording_->mask.textures[stage] = true;
    return D3D_OK;
  }
  assignReference(state_.textures[stage], ours);
  dirty_ |= kDirtyStages;
  return D3D_OK;
}

HRESULT Device::GetTexture(DWORD stage, IDirect3DTexture8** texture) {
  if (!texture || stage >= static_cast<DWORD>(kMaxTextureStages)) return D3DERR_INVALIDCALL;
  *texture = state_.textures[stage];
  if (*texture) (*texture)->AddRef();
  return D3D_OK;
}

HRESULT Device::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
  if (stage >= static_cast<DWORD>(kMaxTextureStages) || !isDefinedTextureStageState(type)) return D3DERR_INVALIDCALL;
  if (recording_) {
    recording_->values.stageStates[stage][type] = value;
    recording_->mask.stageStates[stage][type] = true;
    return D3D_OK;
  }
  state_.stageStates[stage][type] = value;
  dirty_ |= kDirtyStages;
  return D3D_OK;
}

HRESULT Device::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) {
  if (!value || stage >= static_cast<DWORD>(kMaxTextureStages) || !isDefinedTextureStageState(type))
    return D3DERR_INVALIDCALL;
  *value = state_.stageStates[stage][type];
  return D3D_OK;
}

HRESULT Device::SetVertexShader(DWORD handle) {
  if (recording_) {
    recording_->values.vertexShader = handle;
    recording_->mask.vertexShader = true;
    return D3D_OK;
  }
  state_.vertexShader = handle;
  dirty_ |= kDirtyStages;
  return D3D_OK;
}

HRESULT Device::GetVertexShader(DWORD* handle) {
  if (!handle) return D3DERR_INVALIDCALL;
  *handle = state_.vertexShader;
  return D3D_OK;
}

HRESULT Device::SetStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer, UINT stride) {
  if (stream != 0) return D3DERR_INVALIDCALL;
  VertexBuffer* ours = nullptr;
  if (buffer) {
    ours = dynamic_cast<VertexBuffer*>(buffer);
    if (!ours) return D3DERR_INVALIDCALL;
  }
  DeviceState& target = recording_ ? recording_->values : state_;
  assignReference(target.stream, ours);
  target.streamStride = stride;
  if (recording_) recording_->mask.stream = true;
  return D3D_OK;
}

HRESULT Device::GetStreamSource(UINT stream, IDirect3DVertexBuffer8** buffer, UINT* stride) {
  if (stream != 0 || !buffer || !stride) return D3DERR_INVALIDCALL;
  *buffer = state_.stream;
  if (*buffer) (*buffer)->AddRef();
  *stride = state_.streamStride;
  return D3D_OK;
}

HRESULT Device::SetIndices(IDirect3DIndexBuffer8* buffer, UINT baseVertexIndex) {
  IndexBuffer* ours = nullptr;
  if (buffer) {
    ours = dynamic_cast<IndexBuffer*>(buffer);
    if (!ours) return D3DERR_INVALIDCALL;
  }
  DeviceState& target = recording_ ? recording_->values : state_;
  assignReference(target.indices, ours);
  target.baseVertexIndex = baseVertexIndex;
  if (recording_) recording_->mask.indices = true;
  return D3D_OK;
}

HRESULT Device::GetIndices(IDirect3DIndexBuffer8** buffer, UINT* baseVertexIndex) {
  if (!buffer || !baseVertexIndex) return D3DERR_INVALIDCALL;
  *buffer = state_.indices;
  if (*buffer) (*buffer)->AddRef();
  *baseVertexIndex = state_.baseVertexIndex;
  return D3D_OK;
}

// State blocks.

HRESULT Device::BeginStateBlock() {
  if (recording_) return D3DERR_INVALIDCALL;
  recording_ = std::make_unique<StateBlock>();
  return D3D_OK;
}

HRESULT Device::EndStateBlock(DWORD* token) {
  if (!token || !recording_) return D3DERR_INVALIDCALL;
  *token = nextStateBlock_++;
  stateBlocks_[*token] = std::move(recording_);
  return D3D_OK;
}

void Device::captureInto(StateBlock& block) {
  StateMask& m = block.mask;
  DeviceState& v = block.values;
  for (int i = 0; i < kRenderStateCount; ++i)
    if (m.renderStates[i]) v.renderStates[i] = state_.renderStates[i];
  for (int s = 0; s < kMaxTextureStages; ++s) {
    for (int t = 0; t < kTextureStageStateCount; ++t)
      if (m.stageStates[s][t]) v.stageStates[s][t] = state_.stageStates[s][t];
    if (m.textures[s]) assignReference(v.textures[s], state_.textures[s]);
    if (m.textureMatrices[s]) v.textureMatrices[s] = state_.textureMatrices[s];
  }
  if (m.world) v.world = state_.world;
  if (m.view) v.view = state_.view;
  if (m.projection) v.projection = state_.projection;
  if (m.material) v.material = state_.material;
  if (m.viewport) v.viewport = state_.viewport;
  if (m.vertexShader) v.vertexShader = state_.vertexShader;
  if (m.stream) {
    assignReference(v.stream, state_.stream);
    v.streamStride = state_.streamStride;
  }
  if (m.indices) {
    assignReference(v.indices, state_.indices);
    v.baseVertexIndex = state_.baseVertexIndex;
  }
  const size_t lights = std::max(m.lights.size(), m.lightEnables.size());
  growLights(v.lights, static_cast<DWORD>(lights));
  for (size_t i = 0; i < lights && i < state_.lights.size(); ++i) {
    if (i < m.lights.size() && m.lights[i]) v.lights[i].light = state_.lights[i].light;
    if (i < m.lightEnables.size() && m.lightEnables[i]) v.lights[i].enabled = state_.lights[i].enabled;
  }
}

void Device::applyFrom(const StateBlock& block) {
  const StateMask& m = block.mask;
  const DeviceState& v = block.values;
  for (int i = 0; i < kRenderStateCount; ++i)
    if (m.renderStates[i]) SetRenderState(static_cast<D3DRENDERSTATETYPE>(i), v.renderStates[i]);
  for (int s = 0; s < kMaxTextureStages; ++s) {
    for (int t = 0; t < kTextureStageStateCount; ++t)
      if (m.stageStates[s][t])
        SetTextureStageState(s, static_cast<D3DTEXTURESTAGESTATETYPE>(t), v.stageStates[s][t]);
    if (m.textures[s]) SetTexture(s, v.textures[s]);
    if (m.textureMatrices[s])
      SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(D3DTS_TEXTURE0 + s), &v.textureMatrices[s]);
  }
  if (m.world) SetTransform(D3DTS_WORLD, &v.world);
  if (m.view) SetTransform(D3DTS_VIEW, &v.view);
  if (m.projection) SetTransform(D3DTS_PROJECTION, &v.projection);
  if (m.material) SetMaterial(&v.material);
  if (m.viewport) SetViewport(&v.viewport);
  if (m.vertexShader) SetVertexShader(v.vertexShader);
  if (m.stream) SetStreamSource(0, v.stream, v.streamStride);
  if (m.indices) SetIndices(v.indices, v.baseVertexIndex);
  for (size_t i = 0; i < m.lights.size() && i < v.lights.size(); ++i)
    if (m.lights[i]) SetLight(static_cast<DWORD>(i), &v.lights[i].light);
  for (size_t i = 0; i < m.lightEnables.size() && i < v.lights.size(); ++i)
    if (m.lightEnables[i]) LightEnable(static_cast<DWORD>(i), v.lights[i].enabled);
}

HRESULT Device::ApplyStateBlock(DWORD token) {
  const auto it = stateBlocks_.find(token);
  if (it == stateBlocks_.end()) return D3DERR_INVALIDCALL;
  applyFrom(*it->second);
  return D3D_OK;
}

HRESULT Device::CaptureStateBlock(DWORD token) {
  const auto it = stateBlocks_.find(token);
  if (it == stateBlocks_.end() || recording_) return D3DERR_INVALIDCALL;
  captureInto(*it->second);
  return D3D_OK;
}

HRESULT Device::DeleteStateBlock(DWORD token) {
  if (stateBlocks_.erase(token) == 0) return D3DERR_INVALIDCALL;
  return D3D_OK;
}

HRESULT Device::CreateStateBlock(D3DSTATEBLOCKTYPE type, DWORD* token) {
  if (!token || recording_ || type < D3DSBT_ALL || type > D3DSBT_VERTEXSTATE) return D3DERR_INVALIDCALL;
  auto block = std::make_unique<StateBlock>();
  StateMask& m = block->mask;
  const bool all = type == D3DSBT_ALL, pixel = type == D3DSBT_PIXELSTATE, vertex = type == D3DSBT_VERTEXSTATE;
  for (const auto& d : kRenderStateDefaults)
    m.renderStates[d.state] = all || (pixel && isPixelRenderState(d.state)) || (vertex && isVertexRenderState(d.state));
  for (int s = 0; s < kMaxTextureStages; ++s) {
    for (DWORD t = 0; t < static_cast<DWORD>(kTextureStageStateCount); ++t)
      m.stageStates[s][t] = isDefinedTextureStageState(t) &&
                            (all || (pixel && !isVertexTextureStageState(t)) || (vertex && isVertexTextureStageState(t)));
    m.textures[s] = all;
    m.textureMatrices[s] = all;
  }
  m.world = m.view = m.projection = all;
  m.material = m.viewport = m.stream = m.indices = all;
  m.vertexShader = all || vertex;
  if (all || vertex) {
    m.lights.assign(state_.lights.size(), true);
    m.lightEnables.assign(state_.lights.size(), true);
  }
  captureInto(*block);
  *token = nextStateBlock_++;
  stateBlocks_[*token] = std::move(block);
  return D3D_OK;
}

}  // namespace d3d8sw
