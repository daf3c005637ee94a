// Writing and reading the small fixed blocks of channel records and group files through
// the file facades; every read is bounded by its destination.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/guid.h"

class ZylFileLoader;
class ZylFileSaver;

enum class BlockRead { missing, read, bad };

void SaveBlock(ZylFileSaver& saver, const char* tag, const void* data, unsigned long size);
void SaveInt32Block(ZylFileSaver& saver, const char* tag, int32_t value);
void SaveGuidBlock(ZylFileSaver& saver, const char* tag, const GUID& guid);
// A text block holding the text and its terminator.
void SaveTextBlock(ZylFileSaver& saver, const char* tag, const char* text);

// The next block when it carries `tag` and exactly `size` bytes; a block of that tag with
// another size (or none that fits the stream) is `bad`.
BlockRead LoadExactBlock(ZylFileLoader& loader, const char* tag, void* data, size_t size);
BlockRead LoadInt32Block(ZylFileLoader& loader, const char* tag, int32_t* value);
BlockRead LoadGuidBlock(ZylFileLoader& loader, const char* tag, GUID* guid);
// The next block when it carries `tag`, as text up to its first zero byte (a block without
// terminator gives all its bytes). Its size is bounded by the stream.
BlockRead LoadTextBlock(ZylFileLoader& loader, const char* tag, std::string* text);
