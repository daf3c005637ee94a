// Writing and reading one tagged block of a fixed size through the file facades.
#pragma once

#include "graph/zyl_file_loader.h"
#include "graph/zyl_file_saver.h"

// Tag, size and data; false when the saver could not take them.
bool SaveFixedBlock(ZylFileSaver& saver, const char* tag, const void* data, unsigned long size);

enum class BlockRead { missing, read, invalid };

// Reads the block `tag` when it is next: `read` fills exactly `size` bytes; a block of any
// other size is `invalid` (reported through the engine's error message, destination
// untouched); `missing` leaves the destination as it was.
BlockRead LoadFixedBlock(ZylFileLoader& loader, const char* tag, void* data, unsigned long size);
