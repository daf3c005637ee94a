// Position and block rules of a tagged stream held in memory; every access is bounded by
// the buffer, whatever it holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tagvault {

struct Block {
  size_t data;  // offset of the first data byte
  uint32_t size;
};

class TagReader {
 public:
  // Reads `data` in place (the caller keeps it alive) or from an own copy.
  void Assign(const uint8_t* data, size_t size, bool keepCopy);
  void Take(std::vector<uint8_t> data);
  void Clear();

  // The 4 bytes at the position equal the tag; on a match the position moves past it.
  bool MatchTag(const char* tag);
  // The stream at the position starts with this tag and a well-formed block.
  bool CheckHeader(const char* tag, bool enter);
  // The block at the position. Right after a matched tag the position is at its size.
  // Otherwise a size whose data fits is a block without tag (as written with a size
  // alone); failing that, four printable characters followed by a fitting size are a
  // tagged block. Anything else, or data running past the buffer, is no block.
  std::optional<Block> CurrentBlock() const;
  void Enter(const Block& block);
  void MovePast(const Block& block);
  void Move(long long n);
  bool FindTag(const char* tag);
  void Rewind();

  const uint8_t* Data() const { return data_; }
  size_t Size() const { return size_; }
  size_t Position() const { return position_; }
  const uint8_t* AtPosition() const { return data_ ? data_ + position_ : nullptr; }

 private:
  std::optional<Block> BlockWithSizeAt(size_t at) const;
  bool TagAt(size_t at, const char* tag) const;

  std::vector<uint8_t> own_;
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  size_t position_ = 0;
  bool afterTag_ = false;
};

}  // namespace tagvault
