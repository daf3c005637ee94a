// The default device state and the two state caches: out-of-range states are ignored and
// unchanged values never reach the device.
#include <bit>

#include "device_channel_fixture.h"

namespace {

class StateCacheTest : public DeviceChannelTest {
 protected:
  void SetUp() override {
    ASSERT_NE(Create().GetDirect3dDevice(), nullptr);
    device = channel->GetDirect3dDevice();
  }
  DWORD RenderState(D3DRENDERSTATETYPE state) {
    DWORD value = 0;
    device->GetRenderState(state, &value);
    return value;
  }
  DWORD StageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type) {
    DWORD value = 0;
    device->GetTextureStageState(stage, type, &value);
    return value;
  }
  int DeviceSets() const { return script.setRenderStateCalls + script.setTextureStageStateCalls; }

  IDirect3DDevice8* device = nullptr;
};

TEST_F(StateCacheTest, DefaultStatesAfterCreation) {
  struct RenderCase {
    D3DRENDERSTATETYPE state;
    DWORD value;
  };
  const RenderCase renderCases[] = {
      {D3DRS_DITHERENABLE, 1},   {D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL},
      {D3DRS_NORMALIZENORMALS, 1}, {D3DRS_COLORVERTEX, 0},
      {D3DRS_LOCALVIEWER, 1},    {D3DRS_CULLMODE, D3DCULL_CCW},
      {D3DRS_ALPHABLENDENABLE, 0}, {D3DRS_SRCBLEND, D3DBLEND_ONE},
      {D3DRS_DESTBLEND, D3DBLEND_ONE}, {D3DRS_SPECULARENABLE, 0},
      {D3DRS_ZENABLE, 1},        {D3DRS_ALPHAREF, 8},
      {D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL},
  };
  for (const RenderCase& c : renderCases) EXPECT_EQ(RenderState(c.state), c.value) << c.state;

  struct StageCase {
    DWORD stage;
    D3DTEXTURESTAGESTATETYPE type;
    DWORD value;
  };
  const StageCase stageCases[] = {
      {7, D3DTSS_MINFILTER, D3DTEXF_LINEAR},  {7, D3DTSS_MIPFILTER, D3DTEXF_LINEAR},
      {0, D3DTSS_COLORARG1, D3DTA_DIFFUSE},   {2, D3DTSS_COLORARG1, D3DTA_CURRENT},
      {1, D3DTSS_COLOROP, D3DTOP_MODULATE},   {1, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1},
      {2, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2},
      {0, D3DTSS_BUMPENVMAT00, std::bit_cast<DWORD>(1.0f)},
      {2, D3DTSS_BUMPENVLSCALE, std::bit_cast<DWORD>(0.5f)},
  };
  for (const StageCase& c : stageCases) {
    EXPECT_EQ(StageState(c.stage, c.type), c.value) << c.stage << " " << c.type;
  }
  EXPECT_EQ(platform::currentCursor(), platform::Cursor::arrow);
}

TEST_F(StateCacheTest, UnchangedValuesAreNotSent) {
  const int before = DeviceSets();
  channel->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
  channel->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE);
  EXPECT_EQ(DeviceSets(), before);

  channel->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  channel->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  channel->SetTextureStageState(7, D3DTSS_RESULTARG, D3DTA_TEMP);
  channel->SetTextureStageState(7, D3DTSS_RESULTARG, D3DTA_TEMP);
  EXPECT_EQ(DeviceSets(), before + 2);
  EXPECT_EQ(RenderState(D3DRS_CULLMODE), DWORD(D3DCULL_NONE));
  EXPECT_EQ(StageState(7, D3DTSS_RESULTARG), D3DTA_TEMP);
}

TEST_F(StateCacheTest, StatesOutsideTheCacheAreIgnored) {
  const int before = DeviceSets();
  for (DWORD state : {0u, 6u, 174u, 1000u}) {
    channel->SetRenderState(static_cast<D3DRENDERSTATETYPE>(state), 12345);
  }
  channel->SetTextureStageState(8, D3DTSS_COLOROP, 12345);
  channel->SetTextureStageState(0, static_cast<D3DTEXTURESTAGESTATETYPE>(29), 12345);
  EXPECT_EQ(DeviceSets(), before);
  // The ends of the ranges are taken.
  channel->SetRenderState(D3DRS_NORMALORDER, 1);
  channel->SetRenderState(D3DRS_ZENABLE, 0);
  channel->SetTextureStageState(0, static_cast<D3DTEXTURESTAGESTATETYPE>(0), 1);
  EXPECT_EQ(DeviceSets(), before + 3);
}

TEST_F(StateCacheTest, DeviceStatesRefillTheCacheFromTheDevice) {
  device->SetRenderState(D3DRS_LIGHTING, 0);
  device->SetTextureStageState(3, D3DTSS_ADDRESSU, 3);
  ASSERT_TRUE(channel->SetDeviceStates());
  const int before = DeviceSets();
  channel->SetRenderState(D3DRS_LIGHTING, 0);
  channel->SetTextureStageState(3, D3DTSS_ADDRESSU, 3);
  EXPECT_EQ(DeviceSets(), before);
}

}  // namespace
