// Growable array of untyped pointers. It never owns or frees what the entries point to.
#pragma once

#include <cstdint>

class Zyl_List {
 public:
  Zyl_List() = default;
  Zyl_List(const Zyl_List&) = delete;
  Zyl_List& operator=(const Zyl_List&) = delete;
  virtual ~Zyl_List();

  // Appends the pointer (null allowed); -1 when the list could not grow.
  int AddItem(void* item);
  // Stores the pointer in the first null entry, else appends it.
  int AddItemOrNULL(void* item);
  // Inserts at `index`; an index beyond the end appends instead.
  bool InsertItem(void* item, int index);
  void RemoveItem(int index);
  void* GetItem(int index) const;
  // Extends the list with null entries when `index` is at or past the end.
  void SetItem(void* item, int index);
  int GetItemCount() const { return count; }
  // Makes the list exactly `n` entries long; new entries are null.
  bool Allocate(int n);
  void ClearItems() { count = 0; }
  void ReleaseItems();

 protected:
  // Grows the array to (base * 1.25 + 32) entries; base is the capacity for request -1.
  void IncreaseRealListLength(int request);

  void** items = nullptr;
  int32_t count = 0;
  int32_t capacity = 0;
};
