// Out-of-line destructors give the component interfaces their type information in the core,
// so that the core can check a channel's class across library boundaries.
#include "graph/zyl_dynamic_group_loading.h"
#include "graph/zyl_file_channels.h"
#include "graph/zyl_file_lister.h"

Zyl_FileLoaderChannel::~Zyl_FileLoaderChannel() = default;
Zyl_FileSaverChannel::~Zyl_FileSaverChannel() = default;
Zyl_DirectoryLister::~Zyl_DirectoryLister() = default;
Zyl_DynamicGroupLoadingChannel::~Zyl_DynamicGroupLoadingChannel() = default;
