// Type records of the base libraries and the behaviour deriving plug-ins rely on.
#include <memory>
#include <string>

#include "base_channels_fixture.h"
#include "graph/channel_dependency.h"
#include "hux_dx8_d3d_device_use.h"
#include "hux_dx8_direct_graphics_channel.h"
#include "hux_dx8_render_channel.h"
#include "hux_float_channel.h"
#include "hux_matrix_channel.h"
#include "hux_vector_channel.h"
#include "platform/headless_window.h"
#include "value_child.h"

namespace {

struct TypeCase {
  const char* file;
  const char* name;
  GUID guid;
  int32_t reserved;
};

TEST_F(BaseChannelsTest, EachLibraryNamesItsOwnGuidAsTypeAndBase) {
  const TypeCase cases[] = {
      {"73C8E640-D7EB-45B1-B90A-28495061723E.dll", "DX8 D3DDeviceUse", deviceUseGuid, 0},
      {"950C2A84-1B2F-49F5-BD4E-6C8394051672.dll", "DX8 RenderChannel", renderBaseGuid, 0},
      {"84EA0862-F90D-47D3-9B2C-4A6172839450.dll", "Matrix", matrixValueGuid, 0},
      {"E5FB1973-0A1E-48E4-AC3D-5B7283940561.dll", "Value", floatValueGuid, 0},
      {"D4D9F751-E8FC-46C2-8A1B-39506172834F.dll", "Value Vector", vectorValueGuid, 0},
      {"6A2E4C96-0D3F-4B17-9F60-8A9B0C1D2E54.dll", "DX8 DirectGraphicsChannel",
       directGraphicsGuid, 1},
  };
  for (const TypeCase& c : cases) {
    StagedLibrary library(c.file);
    ASSERT_NE(library.module, nullptr) << c.file;
    ChannelType type = library.Type();
    EXPECT_STREQ(type.name, c.name);
    EXPECT_TRUE(IsEqualGuid(type.guid, c.guid)) << c.file;
    EXPECT_TRUE(IsEqualGuid(type.baseGuid, c.guid)) << c.file;
    EXPECT_EQ(type.versionInfo[0], 1);
    EXPECT_EQ(type.versionInfo[1], 41);
    EXPECT_EQ(type.versionInfo[2], 1);
    EXPECT_EQ(type.reserved, c.reserved);
    EXPECT_EQ(type.reservedFlag, 0);
  }
}

TEST_F(BaseChannelsTest, InitDllMakesAChannelOfTheExportedClass) {
  std::unique_ptr<Hux_MatrixChannel> m(matrix.Create<Hux_MatrixChannel>(&engine));
  std::unique_ptr<Hux_FloatChannel> f(floats.Create<Hux_FloatChannel>(&engine));
  std::unique_ptr<Hux_VectorChannel> v(vectors.Create<Hux_VectorChannel>(&engine));
  std::unique_ptr<Hux_DX8_D3DDeviceUse> u(deviceUse.Create<Hux_DX8_D3DDeviceUse>(&engine));
  std::unique_ptr<Hux_DX8_RenderChannel> r(render.Create<Hux_DX8_RenderChannel>(&engine));
  EXPECT_NE(m, nullptr);
  EXPECT_NE(f, nullptr);
  EXPECT_NE(v, nullptr);
  EXPECT_NE(u, nullptr);
  EXPECT_NE(r, nullptr);
}

// Exposes the members deriving plug-ins reach directly.
class MatrixProbe : public Hux_MatrixChannel {
 public:
  D3DXMATRIX* ValueMatrix() const { return valueMatrix; }
  D3DXMATRIX GetMatrix() override {
    ++computed;
    return Hux_MatrixChannel::GetMatrix();
  }
  int computed = 0;
};

TEST_F(BaseChannelsTest, MatrixBaseProvidesItsValueMatrix) {
  MatrixProbe probe;
  ASSERT_NE(probe.ValueMatrix(), nullptr);
  EXPECT_TRUE(D3DXMatrixIsIdentity(probe.ValueMatrix()));
  D3DXMATRIX m;
  D3DXMatrixTranslation(&m, 1, 2, 3);
  probe.SetMatrix(m);
  EXPECT_EQ(*probe.ValueMatrix(), m);
  probe.ValueMatrix()->_11 = 5;
  EXPECT_EQ(probe.GetMatrix()._11, 5);
  probe.computed = 0;
  probe.CallChannel();
  EXPECT_EQ(probe.computed, 1);  // evaluation computes through the virtual GetMatrix
}

class FloatProbe : public Hux_FloatChannel {
 public:
  float* FirstMember() { return &floatValue; }
};

TEST_F(BaseChannelsTest, FloatBaseKeepsValueOldValueAndDefault) {
  FloatProbe value;
  value.SetFloat(2.5f);
  value.SetFloat(4.0f);
  EXPECT_EQ(value.GetFloat(), 4.0f);
  EXPECT_EQ(value.GetOldFloat(), 2.5f);
  *value.FirstMember() = 7.0f;  // deriving channels store computed values here
  EXPECT_EQ(value.GetFloat(), 7.0f);
  EXPECT_FALSE(value.GetDefaultFloatSetting());
  value.SetDefaultFloat(1.25f);
  value.SetDefaultFloatSetting(true);
  EXPECT_EQ(value.GetDefaultFloat(), 1.25f);
  EXPECT_TRUE(value.GetDefaultFloatSetting());
}

TEST_F(BaseChannelsTest, VectorBaseSetsComponentsByIndex) {
  Hux_VectorChannel vector;
  vector.SetVector(D3DXVECTOR3(1, 2, 3));
  struct IndexCase {
    int index;
    bool taken;
  };
  for (IndexCase c : {IndexCase{0, true}, IndexCase{1, true}, IndexCase{2, true},
                      IndexCase{3, false}, IndexCase{-1, false}}) {
    EXPECT_EQ(vector.SetFloat(c.index, 10.0f + static_cast<float>(c.index)), c.taken) << c.index;
  }
  D3DXVECTOR3 v = vector.GetVector();
  EXPECT_EQ(v.x, 10.0f);
  EXPECT_EQ(v.y, 11.0f);
  EXPECT_EQ(v.z, 12.0f);
}

// A value channel of a deriving plug-in: its own GUID, the value library's as base.
template <class Base>
class Derived : public Base {
 public:
  explicit Derived(GUID base) {
    type.guid = GUID{0x0BADF00D, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    type.baseGuid = base;
  }
  ChannelType GetChannelType() override { return type; }
  ChannelType type;
};

TEST_F(BaseChannelsTest, ValueChildrenAreReadByTheirBaseType) {
  Derived<Hux_MatrixChannel> m(matrixValueGuid);
  Derived<Hux_FloatChannel> f(floatValueGuid);
  Derived<Hux_VectorChannel> v(vectorValueGuid);
  TestChannel other(GUID{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 12}}, GUID{5, 6, 7, {}});
  D3DXMATRIX translation;
  D3DXMatrixTranslation(&translation, 4, 5, 6);
  m.SetMatrix(translation);
  f.SetFloat(0.75f);
  v.SetVector(D3DXVECTOR3(7, 8, 9));

  D3DXMATRIX fallback;
  D3DXMatrixIdentity(&fallback);
  EXPECT_EQ(ReadMatrixChild(&m, fallback), translation);
  EXPECT_EQ(ReadMatrixChild(&f, fallback), fallback);
  EXPECT_EQ(ReadMatrixChild(&other, fallback), fallback);
  EXPECT_EQ(ReadMatrixChild(nullptr, fallback), fallback);
  EXPECT_EQ(ReadFloatChild(&f, -1.0f), 0.75f);
  EXPECT_EQ(ReadFloatChild(&v, -1.0f), -1.0f);
  EXPECT_EQ(ReadVectorChild(&v, D3DXVECTOR3(0, 0, 0)).y, 8.0f);
  EXPECT_EQ(ReadVectorChild(&m, D3DXVECTOR3(0, 0, -1)).z, -1.0f);
  EXPECT_EQ(AsVectorChannel(&other), nullptr);
  EXPECT_EQ(AsFloatChannel(&f), &f);
}

// A render channel that counts its draws and notes whether it drew inside a scene.
class CountingRender : public Hux_DX8_RenderChannel {
 public:
  void UseDevice(Hux_DX8_DirectGraphicsChannel* device) { graphicsDevice = device; }
  void RenderObjects() override {
    ++renders;
    IDirect3DDevice8* device = graphicsDevice ? graphicsDevice->GetDirect3dDevice() : nullptr;
    insideScene = device != nullptr && FAILED(device->BeginScene());
  }
  int renders = 0;
  bool insideScene = false;
};

TEST_F(BaseChannelsTest, RenderBaseBracketsItsDrawsWithASceneWhenNoneIsOpen) {
  platform::HeadlessWindow window(32, 32);
  engine.engine->SetWindowHandle(&window);
  StagedLibrary deviceLibrary("6A2E4C96-0D3F-4B17-9F60-8A9B0C1D2E54.dll");
  std::unique_ptr<Hux_DX8_DirectGraphicsChannel> device(
      deviceLibrary.Create<Hux_DX8_DirectGraphicsChannel>(&engine));
  ASSERT_NE(device, nullptr);
  IDirect3DDevice8* d3d = device->GetDirect3dDevice();
  ASSERT_NE(d3d, nullptr);

  CountingRender renderChannel;
  renderChannel.UseDevice(device.get());
  EXPECT_EQ(renderChannel.GetRuntimeFunctionType(), renderCameraAndObjects);
  renderChannel.SetRuntimeFunctionType(renderCameraOnly);
  EXPECT_EQ(renderChannel.GetRuntimeFunctionType(), renderCameraOnly);

  engine.SetTreeCalculateCount(1);
  renderChannel.CallChannel();
  renderChannel.CallChannel();  // same tree count: drawn once
  EXPECT_EQ(renderChannel.renders, 1);
  EXPECT_TRUE(renderChannel.insideScene);
  ASSERT_TRUE(SUCCEEDED(d3d->BeginScene()));  // the channel closed its scene

  // A scene the caller opened stays open.
  engine.SetTreeCalculateCount(2);
  renderChannel.CallChannel();
  EXPECT_EQ(renderChannel.renders, 2);
  EXPECT_TRUE(renderChannel.insideScene);
  EXPECT_TRUE(SUCCEEDED(d3d->EndScene()));

  // Without a device the objects are still asked to render.
  CountingRender lonely;
  engine.SetTreeCalculateCount(3);
  lonely.CallChannel();
  EXPECT_EQ(lonely.renders, 1);
  EXPECT_FALSE(lonely.insideScene);
}

class UserProbe : public Hux_DX8_D3DDeviceUse {
 public:
  Hux_DX8_DirectGraphicsChannel* Device() const { return graphicsDevice; }
  void UseDevice(Hux_DX8_DirectGraphicsChannel* device) { graphicsDevice = device; }
};

TEST_F(BaseChannelsTest, DeviceUserForgetsTheDeviceWhenItGoes) {
  platform::HeadlessWindow window(32, 32);
  engine.engine->SetWindowHandle(&window);
  StagedLibrary deviceLibrary("6A2E4C96-0D3F-4B17-9F60-8A9B0C1D2E54.dll");
  std::unique_ptr<Hux_DX8_DirectGraphicsChannel> device(
      deviceLibrary.Create<Hux_DX8_DirectGraphicsChannel>(&engine));
  ASSERT_NE(device, nullptr);
  UserProbe user;
  user.UseDevice(device.get());
  user.InvalidateDeviceObjects();
  EXPECT_EQ(user.Device(), device.get());
  user.InvalidateDirectGraphics();
  EXPECT_EQ(user.Device(), nullptr);
}

}  // namespace

namespace {

// Projects passed on must carry the device channel for every channel that draws. The walk
// creates a temporary channel of each type it adds; a stand-in of the device type serves.
class DependencyEngine : public ComponentEngine {
 public:
  using ComponentEngine::InitChannelFromType;
  Zyl_Channel* InitChannelFromType(GUID type, Zyl_ChannelGroup* group, bool children) override {
    if (IsEqualGuid(type, directGraphicsGuid)) return new TestChannel(type, type);
    return ComponentEngine::InitChannelFromType(type, group, children);
  }
};

TEST_F(BaseChannelsTest, DeviceUserAndRenderBaseDependOnTheDeviceChannel) {
  DependencyEngine walkEngine;
  globalEngine = &walkEngine;
  std::unique_ptr<Zyl_Channel> user(deviceUse.Create<Hux_DX8_D3DDeviceUse>(&walkEngine));
  std::unique_ptr<Zyl_Channel> renderer(render.Create<Hux_DX8_RenderChannel>(&walkEngine));
  for (Zyl_Channel* channel : {user.get(), renderer.get()}) {
    Zyl_List dependencies;
    channel->DoDependencyInit(&dependencies);
    EXPECT_NE(FindChannelDependency(&dependencies, directGraphicsGuid), nullptr);
    for (int i = 0; i < dependencies.GetItemCount(); ++i)
      delete static_cast<ChannelDependency*>(dependencies.GetItem(i));
  }
  globalEngine = &engine;
}

}  // namespace
