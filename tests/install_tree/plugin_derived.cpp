#include "plugin_base.h"

namespace {

class DerivedPluginObject : public BasePluginObject {
 public:
  int Value() const override { return BasePluginObject::Value() + 1; }
};

}  // namespace

extern "C" int DerivedPluginValue() {
  DerivedPluginObject object;
  const BasePluginObject& base = object;
  return base.Value();
}
