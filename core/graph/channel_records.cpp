// Defaults of the records that need more than member initialisers.
#include "graph/channel_records.h"

PublicCallInfo::PublicCallInfo() {
  CopyTextField(targetName, "No Name");
  CopyTextField(targetPool, "No Pool");
  CopyTextField(targetFile, "No File");
}
