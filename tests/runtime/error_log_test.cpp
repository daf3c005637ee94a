// The error-log sink: the WriteErrorLog switch, the log lines byte for byte, the message
// box of type 3, silencing; and the boxes shown while no sink exists.
#include <regex>
#include <string>

#include "platform/registry.h"
#include "runtime/engine_interface.h"
#include "runtime/engine_interface_ext.h"
#include "runtime/error_log.h"
#include "runtime/runtime_test_support.h"

namespace {

const char* const key = "Software\\Kelvane\\LogTest";

class ErrorLog : public RuntimeTest {
 protected:
  ErrorLog() {
    engine.extension->SetInstallDir(folder.engine().c_str());
    engine.extension->SetKelvaneRegKey(key);
  }

  // Sends one message of every type through the engine's message objects.
  void SendAllTypes() {
    ShowDebugMessage* all[] = {&engine.debugMessage,    &engine.errorMessage,
                               &engine.infoMessage,     &engine.messageBox,
                               &engine.userInfoMessage, &engine.userWarningMessage,
                               &engine.userErrorMessage};
    for (int type = 0; type < 7; ++type) (*all[type])("text", type);
  }

  std::string Log() const { return folder.read("error.log"); }

  EngineInterface engine;
};

TEST_F(ErrorLog, FreshRegistrySwitchesTheLogOff) {
  ErrorLogOutput sink(&engine);
  EXPECT_FALSE(sink.writeEnabled);
  const auto stored = platform::registryGetValue(key, "WriteErrorLog");
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->data, "No");
  DebugOutPut* previous = debugOutPut;
  debugOutPut = &sink;
  SendAllTypes();
  debugOutPut = previous;
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "error.log"));
  // Only the message box is visible.
  ASSERT_EQ(boxCapture.boxes.size(), 1u);
  EXPECT_EQ(boxCapture.boxes[0].text, "text 3");
  EXPECT_EQ(boxCapture.boxes[0].caption, "Message");
  EXPECT_EQ(boxCapture.boxes[0].owner, nullptr);
}

TEST_F(ErrorLog, SwitchValues) {
  const std::pair<const char*, bool> cases[] = {
      {"No", false}, {"nO", false}, {"yes", true}, {"", true}, {"No ", true}};
  for (const auto& [value, enabled] : cases) {
    ASSERT_TRUE(platform::registrySetString(key, "WriteErrorLog", value));
    EXPECT_EQ(ErrorLogOutput(&engine).writeEnabled, enabled) << '"' << value << '"';
  }
}

TEST_F(ErrorLog, EveryTypeBecomesALine) {
  ASSERT_TRUE(platform::registrySetString(key, "WriteErrorLog", "yes"));
  ErrorLogOutput sink(&engine);
  DebugOutPut* previous = debugOutPut;
  debugOutPut = &sink;
  SendAllTypes();
  debugOutPut = previous;

  const char* const prefixes[] = {"Debug: ", "Error: ", "Info : ", "", "", "", ""};
  const std::regex stamp("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d ");
  const std::string log = Log();
  size_t at = 0;
  for (int type = 0; type < 7; ++type) {
    const std::string rest = std::string(prefixes[type]) + "text " + std::to_string(type) + "\r\n";
    ASSERT_LE(at + 20 + rest.size(), log.size()) << "line " << type;
    EXPECT_TRUE(std::regex_match(log.substr(at, 20), stamp)) << log.substr(at, 20);
    EXPECT_EQ(log.substr(at + 20, rest.size()), rest);
    at += 20 + rest.size();
  }
  EXPECT_EQ(at, log.size());
  EXPECT_EQ(boxCapture.boxes.size(), 1u);
}

TEST_F(ErrorLog, SilencedSinkShowsNothing) {
  ASSERT_TRUE(platform::registrySetString(key, "WriteErrorLog", "yes"));
  ErrorLogOutput sink(&engine);
  sink.SetUseDebug(false);
  DebugMessage box;
  box.SetDebugMessage("hidden");
  box.SetMessageType(messageBoxType);
  sink.ShowDebugMessage(&box);
  sink.ShowDebugMessage(nullptr);
  DebugMessage empty;
  sink.SetUseDebug(true);
  sink.ShowDebugMessage(&empty);
  EXPECT_TRUE(boxCapture.boxes.empty());
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "error.log"));
}

TEST_F(ErrorLog, UnwritableLogIsSkipped) {
  ASSERT_TRUE(platform::registrySetString(key, "WriteErrorLog", "yes"));
  engine.extension->SetInstallDir((folder.engine() + "\\absent\\folder").c_str());
  ErrorLogOutput sink(&engine);
  DebugMessage message;
  message.SetDebugMessage("lost");
  sink.ShowDebugMessage(&message);
  EXPECT_TRUE(boxCapture.boxes.empty());
}

TEST_F(ErrorLog, WithoutSinkShowMessageOpensABox) {
  ASSERT_EQ(debugOutPut, nullptr);
  const char* const captions[] = {"Debug", "Error", "Info", "Message", "Error", "Error", "Error"};
  ShowDebugMessage* all[] = {&engine.debugMessage,    &engine.errorMessage,
                             &engine.infoMessage,     &engine.messageBox,
                             &engine.userInfoMessage, &engine.userWarningMessage,
                             &engine.userErrorMessage};
  for (ShowDebugMessage* message : all) message->ShowMessage("direct");
  // The call forms stay silent without a sink.
  engine.errorMessage("dropped");
  ASSERT_EQ(boxCapture.boxes.size(), 7u);
  for (int type = 0; type < 7; ++type) {
    EXPECT_EQ(boxCapture.boxes[type].caption, captions[type]);
    EXPECT_EQ(boxCapture.boxes[type].text, "direct");
  }
}

}  // namespace
