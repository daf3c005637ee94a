// Zyl_List: growth rule, insertion, removal and failure messages.
#include "graph/zyl_list.h"

#include <climits>
#include <cstring>
#include <new>

#include "runtime/engine_interface.h"

Zyl_List::~Zyl_List() { delete[] items; }

void Zyl_List::IncreaseRealListLength(int request) {
  if (request < -1) request = -1;
  const int64_t current = capacity < 0 ? 0 : capacity;
  const int64_t base = request == -1 ? current : request;
  const int64_t wanted = static_cast<int64_t>(static_cast<double>(base) * 1.25 + 32.0);
  void** grown = nullptr;
  if (wanted <= INT_MAX) grown = new (std::nothrow) void*[static_cast<size_t>(wanted)];
  if (grown == nullptr) {
    if (globalEngine != nullptr) {
      globalEngine->messageBox("Error couldn't extend list",
                               static_cast<int>(wanted > INT_MAX ? INT_MAX : wanted));
    }
    return;
  }
  if (count > 0) std::memcpy(grown, items, sizeof(void*) * static_cast<size_t>(count));
  delete[] items;
  items = grown;
  capacity = static_cast<int32_t>(wanted);
}

int Zyl_List::AddItem(void* item) {
  if (count >= capacity) IncreaseRealListLength(-1);
  if (count >= capacity) return -1;
  items[count] = item;
  return count++;
}

int Zyl_List::AddItemOrNULL(void* item) {
  for (int i = 0; i < count; ++i) {
    if (items[i] == nullptr) {
      items[i] = item;
      return i;
    }
  }
  return AddItem(item);
}

bool Zyl_List::InsertItem(void* item, int index) {
  if (index < 0) return false;
  if (index > count) return AddItem(item) >= 0;
  if (count + 1 >= capacity) IncreaseRealListLength(count + 1);
  if (count + 1 >= capacity) {
    if (globalEngine != nullptr) {
      globalEngine->messageBox("Zyl_List::InsertItem Error reallist is to small!!!");
    }
    return false;
  }
  std::memmove(items + index + 1, items + index,
               sizeof(void*) * static_cast<size_t>(count - index));
  items[index] = item;
  ++count;
  return true;
}

void Zyl_List::RemoveItem(int index) {
  if (index < 0 || index >= count) return;
  std::memmove(items + index, items + index + 1,
               sizeof(void*) * static_cast<size_t>(count - index - 1));
  --count;
}

void* Zyl_List::GetItem(int index) const {
  if (index < 0 || index >= count) return nullptr;
  return items[index];
}

void Zyl_List::SetItem(void* item, int index) {
  if (index < 0) return;
  if (index >= count && (index == INT_MAX || !Allocate(index + 1))) return;
  items[index] = item;
}

bool Zyl_List::Allocate(int n) {
  if (n < 0) return false;
  if (n >= capacity - 1) {
    IncreaseRealListLength(n);
    if (n >= capacity) return false;
  }
  for (int i = count; i < n; ++i) items[i] = nullptr;
  count = n;
  return true;
}

void Zyl_List::ReleaseItems() {
  delete[] items;
  items = nullptr;
  count = 0;
  capacity = 0;
}
