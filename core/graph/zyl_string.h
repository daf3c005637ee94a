// Owned zero-terminated text; "no text" (null) differs from the empty text.
#pragma once

class Zyl_String {
 public:
  // Longest text a string holds; longer texts are cut.
  static constexpr int maxLength = 65534;

  Zyl_String() = default;
  Zyl_String(const Zyl_String& other);
  Zyl_String& operator=(const Zyl_String& other);
  virtual ~Zyl_String();

  void SetString(const char* source);
  void AddString(const char* source);
  const char* GetString() const { return text; }
  void SetMaxCars(int n);
  void StrLwr();
  void StrUpr();
  // Reduces `path` in place to its last component (after the last '\' or '/').
  char* MakeFULLName(char* path);

 private:
  char* text = nullptr;
};

// Equality of two texts ignoring the case of ASCII letters; false when either is null.
bool TextEqualIgnoringCase(const char* a, const char* b);
