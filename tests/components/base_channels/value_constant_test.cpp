// The plain value channels of the matrix, float and vector libraries keep their values
// through a save and a load of their record; a block of the wrong size fails the load.
#include <memory>
#include <string>

#include "base_channels_fixture.h"
#include "fixed_block.h"
#include "hux_float_channel.h"
#include "hux_matrix_channel.h"
#include "hux_vector_channel.h"

namespace {

class ValueConstantTest : public BaseChannelsTest {
 protected:
  // The channel's record as written into memory.
  std::string Save(Zyl_Channel& channel) {
    ZylFileSaver saver(&engine);
    EXPECT_TRUE(saver.OpenMemory());
    EXPECT_TRUE(channel.SaveChannel(saver));
    return std::string(saver.GetBuffer(), static_cast<size_t>(saver.GetBufferSize()));
  }

  bool Load(Zyl_Channel& channel, std::string bytes) {
    ZylFileLoader loader(&engine);
    loader.SetBuffer(bytes.data(), static_cast<int>(bytes.size()), true);
    return channel.LoadChannel(loader, &group);
  }

  // A record whose value block has `size` bytes: the base record of a fresh channel, then
  // the block.
  std::string WithBlock(Zyl_Channel& channel, const char* tag, unsigned long size) {
    ZylFileSaver saver(&engine);
    saver.OpenMemory();
    channel.Zyl_Channel::SaveChannel(saver);
    std::string data(size, '\0');
    SaveFixedBlock(saver, tag, data.data(), size);
    return std::string(saver.GetBuffer(), static_cast<size_t>(saver.GetBufferSize()));
  }

  Zyl_ChannelGroup group{&engine};
};

TEST_F(ValueConstantTest, MatrixSurvivesSaveAndLoad) {
  std::unique_ptr<Hux_MatrixChannel> saved(matrix.Create<Hux_MatrixChannel>(&engine));
  D3DXMATRIX value;
  D3DXMatrixRotationY(&value, 0.7f);
  value._41 = -3.5f;
  saved->SetMatrix(value);
  std::unique_ptr<Hux_MatrixChannel> loaded(matrix.Create<Hux_MatrixChannel>(&engine));
  ASSERT_TRUE(Load(*loaded, Save(*saved)));
  EXPECT_EQ(loaded->GetMatrix(), value);
}

TEST_F(ValueConstantTest, FloatSurvivesSaveAndLoad) {
  std::unique_ptr<Hux_FloatChannel> saved(floats.Create<Hux_FloatChannel>(&engine));
  saved->SetFloat(-12.625f);
  std::unique_ptr<Hux_FloatChannel> loaded(floats.Create<Hux_FloatChannel>(&engine));
  ASSERT_TRUE(Load(*loaded, Save(*saved)));
  EXPECT_EQ(loaded->GetFloat(), -12.625f);
}

TEST_F(ValueConstantTest, VectorSurvivesSaveAndLoad) {
  std::unique_ptr<Hux_VectorChannel> saved(vectors.Create<Hux_VectorChannel>(&engine));
  saved->SetVector(D3DXVECTOR3(1.5f, -2.25f, 1e6f));
  std::unique_ptr<Hux_VectorChannel> loaded(vectors.Create<Hux_VectorChannel>(&engine));
  ASSERT_TRUE(Load(*loaded, Save(*saved)));
  D3DXVECTOR3 v = loaded->GetVector();
  EXPECT_EQ(v.x, 1.5f);
  EXPECT_EQ(v.y, -2.25f);
  EXPECT_EQ(v.z, 1e6f);
}

TEST_F(ValueConstantTest, ARecordWithoutValueKeepsTheCurrentValue) {
  std::unique_ptr<Hux_FloatChannel> plain(floats.Create<Hux_FloatChannel>(&engine));
  ZylFileSaver saver(&engine);
  saver.OpenMemory();
  plain->Zyl_Channel::SaveChannel(saver);
  std::string bytes(saver.GetBuffer(), static_cast<size_t>(saver.GetBufferSize()));
  plain->SetFloat(3.0f);
  ASSERT_TRUE(Load(*plain, bytes));
  EXPECT_EQ(plain->GetFloat(), 3.0f);
}


TEST_F(ValueConstantTest, AValueBlockOfTheWrongSizeFailsTheLoad) {
  std::unique_ptr<Hux_MatrixChannel> m(matrix.Create<Hux_MatrixChannel>(&engine));
  std::unique_ptr<Hux_FloatChannel> f(floats.Create<Hux_FloatChannel>(&engine));
  std::unique_ptr<Hux_VectorChannel> v(vectors.Create<Hux_VectorChannel>(&engine));
  struct Case {
    Zyl_Channel* channel;
    const char* tag;
    unsigned long size;
  };
  const Case cases[] = {{m.get(), "MAVA", 63}, {m.get(), "MAVA", 65}, {f.get(), "FLVA", 8},
                        {v.get(), "VEVA", 4},  {v.get(), "VEVA", 0}};
  for (const Case& c : cases) {
    capture.messages.clear();
    EXPECT_FALSE(Load(*c.channel, WithBlock(*c.channel, c.tag, c.size))) << c.tag << c.size;
    EXPECT_TRUE(
        capture.Contains(errorMessageType, std::string("Block of the wrong size: ") + c.tag));
  }
  D3DXMATRIX identity;
  D3DXMatrixIdentity(&identity);
  EXPECT_EQ(m->GetMatrix(), identity);
  EXPECT_EQ(f->GetFloat(), 0.0f);
}

// The base classes themselves save only the channel record: a deriving channel that keeps
// the matrix base's SaveChannel writes no value block.
TEST_F(ValueConstantTest, TheMatrixBaseSavesOnlyTheChannelRecord) {
  Hux_MatrixChannel base;
  ZylFileSaver plainSaver(&engine);
  plainSaver.OpenMemory();
  base.Zyl_Channel::SaveChannel(plainSaver);
  EXPECT_EQ(Save(base), std::string(plainSaver.GetBuffer(),
                                    static_cast<size_t>(plainSaver.GetBufferSize())));
}

}  // namespace
