// The channel catalogue: the known channel types and the plug-in files they live in, built
// from channel.lst and a scan of the channels folder, and written back at shutdown.
#pragma once

#include <cstdint>

#include "graph/channel_records.h"
#include "graph/zyl_list.h"
#include "graph/zyl_string.h"
#include "runtime/dll_interface.h"

class EngineInterface;
class Zyl_Channel;

// One catalogue entry (owned by ChannelList::items).
struct ChannelListItem {
  int32_t index = 0;
  ChannelType type;
  Zyl_String fileName;
  bool onDisk = false;
  bool typeVerified = false;
  HINSTANCE module = nullptr;
};

class ChannelList {
 public:
  // Highest number of positions channel.lst may describe; a file asking for more is corrupt.
  static constexpr int32_t maxStoredPositions = 65536;

  explicit ChannelList(EngineInterface* engine);
  ChannelList(const ChannelList&) = delete;
  ChannelList& operator=(const ChannelList&) = delete;

  // Virtual operations, in slot order.
  virtual ~ChannelList();
  // Builds the catalogue at engine start; always true.
  virtual bool CreateChannelList();
  virtual bool SaveChannelList();
  // False when there is no reader, no file, or the file belongs to another install
  // directory (then the catalogue is empty).
  virtual bool LoadChannelList();
  virtual void SortChannelList();
  virtual void Release();
  // Catalogues the libraries of the folder and its subfolders; `depth` is only passed on.
  virtual void AddDirectory(const char* folder, int depth);
  // Takes ownership when true; false when the type GUID is already catalogued.
  virtual bool AddItem(ChannelListItem* item);
  virtual ChannelListItem* AddItemFromFile(const char* path);
  virtual ChannelListItem* GetItem(GUID type);
  virtual ChannelListItem* GetItem(int position);
  virtual int GetItemCount();
  virtual bool GetOnDisk(GUID type);
  virtual ChannelType GetChannelType(GUID type);
  virtual uint32_t Char2Hex(char c, int power);
  // The folder scanned for plug-ins (at most 259 characters kept; null ignored).
  virtual void SetChannelDir(const char* folder);
  virtual void CheckChannelUpdate(Zyl_Channel* channel);
  virtual void SetVersionInfo(GUID type, int32_t first, int32_t second, int32_t third);

  Zyl_List items;  // owned ChannelListItem*, positions may be empty
  char channelDir[260] = {};
  EngineInterface* engineInterface;

 private:
  void Report(const char* text) const;
  // The entry whose path equals `path` ignoring case, or null.
  ChannelListItem* FindByPath(const char* path) const;
};
