// The staged file components, with the five base libraries and the device library loaded
// as the engine would load them.
#pragma once

#include <memory>
#include <string>

#include "base_type_guids.h"
#include "component_test_support.h"
#include "graph/graph_test_support.h"
#include "graph/record_file_forms.h"
#include "graph/zyl_channel_group.h"
#include "graph/zyl_file_loader.h"
#include "graph/zyl_file_saver.h"

class BaseChannelsTest : public testing::Test {
 protected:
  BaseChannelsTest() : previous(globalEngine) { globalEngine = &engine; }
  ~BaseChannelsTest() override { globalEngine = previous; }

  void SetUp() override {
    for (const StagedLibrary* library : {&matrix, &floats, &vectors, &deviceUse, &render}) {
      ASSERT_NE(library->module, nullptr) << platform::lastModuleErrorText();
    }
  }

  ComponentEngine engine;
  MessageCapture capture;
  StagedLibrary matrix{"84EA0862-F90D-47D3-9B2C-4A6172839450.dll"};
  StagedLibrary floats{"E5FB1973-0A1E-48E4-AC3D-5B7283940561.dll"};
  StagedLibrary vectors{"D4D9F751-E8FC-46C2-8A1B-39506172834F.dll"};
  StagedLibrary deviceUse{"73C8E640-D7EB-45B1-B90A-28495061723E.dll"};
  StagedLibrary render{"950C2A84-1B2F-49F5-BD4E-6C8394051672.dll"};

 private:
  EngineInterface* previous;
};
