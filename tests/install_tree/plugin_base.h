#pragma once

// Exported by the base test plug-in; the derived one calls it through its link.
extern "C" int BasePluginValue();

// An exported class whose virtual table the derived plug-in extends.
class BasePluginObject {
 public:
  virtual ~BasePluginObject() = default;
  virtual int Value() const;
};
