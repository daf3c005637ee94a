#include "plugin_base.h"

extern "C" int BasePluginValue() { return 41; }

int BasePluginObject::Value() const { return BasePluginValue(); }
