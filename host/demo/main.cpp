// kelvane-demo: builds a channel graph in code (a sub-graph shared by two parents),
// evaluates frames through the start group and prints what each frame computed and how
// often each channel was asked and actually computed.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "demo_channels.h"
#include "graph/zyl_channel_group.h"
#include "runtime/engine.h"
#include "runtime/engine_interface.h"
#include "runtime/engine_interface_ext.h"

namespace {

int FrameCount(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--frames") == 0) {
      const int frames = std::atoi(argv[i + 1]);
      if (frames > 0) return frames;
    }
  }
  return 3;
}

}  // namespace

int main(int argc, char** argv) {
  EngineInterface engine;
  globalEngine = &engine;  // channel constructors take their engine from here

  auto* group = new Zyl_ChannelGroup(&engine);
  engine.engine->AddGroup(group);
  group->SetPoolName("Demo");

  auto* report = new DemoReportChannel;
  auto* time = new DemoCounterChannel("Time", 1.0f);
  auto* speed = new DemoConstantChannel("Speed", 2.0f);
  auto* distance = new DemoProductChannel("Distance");
  auto* offset = new DemoConstantChannel("Offset", 10.0f);
  auto* position = new DemoSumChannel("Position");
  auto* area = new DemoProductChannel("Area");
  const std::vector<DemoValueChannel*> values = {time, speed, distance, offset, position, area};

  group->AddChannel(report);  // index 0: the start channel
  for (DemoValueChannel* value : values) group->AddChannel(value);

  // Distance = Time x Speed is shared: Position and Area (twice) both read it.
  distance->SetChild(time, -1, 0);
  distance->SetChild(speed, -1, 1);
  position->SetChild(distance, -1, 0);
  position->SetChild(offset, -1, 0);
  area->SetChild(distance, -1, 0);
  area->SetChild(distance, -1, 1);
  report->SetChild(position, -1, 0);
  report->SetChild(area, -1, 0);
  report->SetChild(distance, -1, 0);

  std::printf("Graph: Report <- Position = Distance + Offset, Area = Distance x Distance,"
              " Distance; Distance = Time x Speed\n");
  const int frames = FrameCount(argc, argv);
  for (int frame = 1; frame <= frames; ++frame) {
    for (DemoValueChannel* value : values) value->requests = value->computations = 0;
    engine.extension->IncreaseTreeCount();
    group->CallStartChannel();
    std::printf("frame %d (tree count %d): %s\n", frame, group->GetTreeCalculateCount(),
                report->line.c_str());
    for (DemoValueChannel* value : values) {
      std::printf("  %-9s asked %d, computed %d\n", value->GetChannelName(), value->requests,
                  value->computations);
    }
  }

  globalEngine = nullptr;
  return 0;
}
