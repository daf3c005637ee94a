// The staged plug-ins through the real engine: the device channel made from its type,
// one unique device channel shared by its users, and value constants kept in a group file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "base_type_guids.h"
#include "component_test_support.h"
#include "graph/graph_test_support.h"
#include "graph/zyl_channel_group.h"
#include "hux_dx8_d3d_device_use.h"
#include "hux_dx8_direct_graphics_channel.h"
#include "hux_float_channel.h"
#include "hux_matrix_channel.h"
#include "hux_vector_channel.h"
#include "platform/headless_window.h"
#include "runtime/engine_control.h"
#include "value_child.h"

namespace {

// An engine started on an install directory of its own whose channels folder is the staged
// one (the catalogue it writes stays out of the stage), with a private registry store.
class StagedEngineTest : public testing::Test {
 protected:
  StagedEngineTest() {
    setenv("KELVANE_REGISTRY", (folder.path() / "registry").c_str(), 1);
    std::filesystem::create_directory_symlink(KELVANE_STAGE_DIR "/channels",
                                              folder.path() / "channels");
    control.SetInstallDir(folder.engine().c_str());
    control.SetKelvaneRegKey("Software\\Kelvane\\DeviceIntegration");
  }
  ~StagedEngineTest() override { unsetenv("KELVANE_REGISTRY"); }

  void SetUp() override {
    ASSERT_TRUE(control.InitEngine(nullptr, "device-integration", &window));
    engine = control.GetEngineInterface();
    ASSERT_NE(engine, nullptr);
  }

  TempFolder folder;
  platform::HeadlessWindow window{96, 64};
  MessageCapture capture;
  EngineControl control;
  EngineInterface* engine = nullptr;
};

TEST_F(StagedEngineTest, DeviceChannelFromItsType) {
  std::unique_ptr<Zyl_Channel> made(engine->InitChannelFromType(directGraphicsGuid, nullptr, true));
  auto* device = dynamic_cast<Hux_DX8_DirectGraphicsChannel*>(made.get());
  ASSERT_NE(device, nullptr);
  EXPECT_NE(device->GetDirect3dDevice(), nullptr);
  EXPECT_TRUE(IsEqualGuid(device->GetChannelType().guid, directGraphicsGuid));
  EXPECT_EQ(device->GetChildFromLinkPosition(0, 0), nullptr);  // "Textures" creates nothing
}

TEST_F(StagedEngineTest, TwoUsersShareTheOneUniqueDeviceChannel) {
  Zyl_Channel* unique = engine->GetUniqueChannel(directGraphicsGuid, nullptr);
  auto* device = dynamic_cast<Hux_DX8_DirectGraphicsChannel*>(unique);
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(engine->GetUniqueChannel(directGraphicsGuid, nullptr), unique);

  Zyl_ChannelGroup* group = engine->CreateNewGroup("Users", false, 0);
  ASSERT_NE(group, nullptr);
  Zyl_Channel* first = engine->InitChannelFromType(deviceUseGuid, group, true);
  Zyl_Channel* second = engine->InitChannelFromType(deviceUseGuid, group, true);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(engine->GetUniqueChannel(directGraphicsGuid, nullptr), unique);
  // Both registered with the same device channel as its device users.
  EXPECT_EQ(device->GetChildFromLinkPosition(0, 0), first);
  EXPECT_EQ(device->GetChildFromLinkPosition(0, 1), second);
  EXPECT_TRUE(device->ResetDevice());

  // A user that goes leaves no trace at the device.
  ASSERT_TRUE(group->RemoveChannel(first));  // deletes it
  EXPECT_EQ(device->GetChildFromLinkPosition(0, 0), nullptr);
  EXPECT_EQ(device->GetChildFromLinkPosition(0, 1), second);
}

TEST_F(StagedEngineTest, ValueConstantsSurviveSaveAndLoad) {
  Zyl_ChannelGroup* group = engine->CreateNewGroup("Values", false, 0);
  ASSERT_NE(group, nullptr);
  auto make = [&](const GUID& type) { return engine->InitChannelFromType(type, group, true); };
  auto* m = dynamic_cast<Hux_MatrixChannel*>(make(matrixValueGuid));
  auto* f = dynamic_cast<Hux_FloatChannel*>(make(floatValueGuid));
  auto* v = dynamic_cast<Hux_VectorChannel*>(make(vectorValueGuid));
  ASSERT_TRUE(m && f && v);
  D3DXMATRIX matrix;
  D3DXMatrixRotationZ(&matrix, 1.25f);
  matrix._42 = 9.0f;
  m->SetMatrix(matrix);
  f->SetFloat(0.3125f);
  v->SetVector(D3DXVECTOR3(-1.0f, 2.0f, -3.5f));
  const std::string path = folder.engine("values.cgr");
  ASSERT_TRUE(group->SaveChannelGroup(path.c_str()));

  Zyl_ChannelGroup* loaded = engine->LoadChannelGroup(path.c_str(), "Loaded");
  ASSERT_NE(loaded, nullptr);
  ASSERT_NE(loaded, group);
  Hux_MatrixChannel* m2 = nullptr;
  Hux_FloatChannel* f2 = nullptr;
  Hux_VectorChannel* v2 = nullptr;
  for (int i = 0; i < loaded->GetChannelCount(); ++i) {
    Zyl_Channel* channel = loaded->GetChannel(i);
    if (auto* x = dynamic_cast<Hux_MatrixChannel*>(channel)) m2 = x;
    if (auto* x = dynamic_cast<Hux_FloatChannel*>(channel)) f2 = x;
    if (auto* x = dynamic_cast<Hux_VectorChannel*>(channel)) v2 = x;
  }
  ASSERT_TRUE(m2 && f2 && v2);
  EXPECT_EQ(m2->GetMatrix(), matrix);
  EXPECT_EQ(f2->GetFloat(), 0.3125f);
  D3DXVECTOR3 vector = v2->GetVector();
  EXPECT_EQ(vector.x, -1.0f);
  EXPECT_EQ(vector.y, 2.0f);
  EXPECT_EQ(vector.z, -3.5f);
  // Their type records name their own GUIDs as base: parents recognise them as values.
  D3DXMATRIX identity;
  D3DXMatrixIdentity(&identity);
  EXPECT_EQ(ReadMatrixChild(m2, identity), matrix);
  EXPECT_EQ(ReadFloatChild(f2, -1.0f), 0.3125f);
  EXPECT_EQ(ReadVectorChild(v2, D3DXVECTOR3(0, 0, 0)).z, -3.5f);
  EXPECT_EQ(ReadFloatChild(m2, -1.0f), -1.0f);
}

}  // namespace
