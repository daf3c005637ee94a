// TagReader: bounded block lookup over a memory buffer.
#include "tag_reader.h"

#include <cstring>

#include "tag_encoding.h"

namespace tagvault {

void TagReader::Assign(const uint8_t* data, size_t size, bool keepCopy) {
  if (data == nullptr) size = 0;
  if (keepCopy) {
    // Copy first: the source may be this reader's own buffer.
    std::vector<uint8_t> copy(data, data + size);
    Take(std::move(copy));
    return;
  }
  own_.clear();
  data_ = data;
  size_ = size;
  Rewind();
}

void TagReader::Take(std::vector<uint8_t> data) {
  own_ = std::move(data);
  data_ = own_.data();
  size_ = own_.size();
  Rewind();
}

void TagReader::Clear() {
  own_.clear();
  data_ = nullptr;
  size_ = 0;
  Rewind();
}

void TagReader::Rewind() {
  position_ = 0;
  afterTag_ = false;
}

bool TagReader::TagAt(size_t at, const char* tag) const {
  if (tag == nullptr || data_ == nullptr || at > size_ || size_ - at < tagSize) return false;
  return std::memcmp(data_ + at, tag, tagSize) == 0;
}

bool TagReader::MatchTag(const char* tag) {
  if (!TagAt(position_, tag)) return false;
  position_ += tagSize;
  afterTag_ = true;
  return true;
}

std::optional<Block> TagReader::BlockWithSizeAt(size_t at) const {
  if (data_ == nullptr || at > size_ || size_ - at < sizeFieldSize) return std::nullopt;
  uint32_t size = ReadLittleEndian32(data_ + at);
  size_t data = at + sizeFieldSize;
  if (size > size_ - data) return std::nullopt;
  return Block{data, size};
}

bool TagReader::CheckHeader(const char* tag, bool enter) {
  if (!TagAt(position_, tag) || !BlockWithSizeAt(position_ + tagSize)) return false;
  if (enter) {
    position_ += tagSize;
    afterTag_ = true;
  }
  return true;
}

std::optional<Block> TagReader::CurrentBlock() const {
  if (afterTag_) return BlockWithSizeAt(position_);
  if (auto untagged = BlockWithSizeAt(position_)) return untagged;
  if (data_ == nullptr || size_ - position_ < tagSize) return std::nullopt;
  for (size_t i = 0; i < tagSize; ++i) {
    uint8_t c = data_[position_ + i];
    if (c < 0x21 || c > 0x7E) return std::nullopt;
  }
  return BlockWithSizeAt(position_ + tagSize);
}

void TagReader::Enter(const Block& block) {
  position_ = block.data;
  afterTag_ = false;
}

void TagReader::MovePast(const Block& block) {
  position_ = block.data + block.size;
  afterTag_ = false;
}

void TagReader::Move(long long n) {
  long long target = static_cast<long long>(position_) + n;
  if (target < 0) target = 0;
  if (static_cast<unsigned long long>(target) > size_) target = static_cast<long long>(size_);
  position_ = static_cast<size_t>(target);
  afterTag_ = false;
}

bool TagReader::FindTag(const char* tag) {
  for (size_t at = position_; at + tagSize <= size_; ++at) {
    if (TagAt(at, tag)) {
      position_ = at;
      afterTag_ = false;
      return true;
    }
  }
  return false;
}

}  // namespace tagvault
