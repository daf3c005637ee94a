// Writes values into the ten debug text slots of an engine, which hosts and tools display.
#pragma once

class EngineInterface;

class ShowDebug {
 public:
  explicit ShowDebug(EngineInterface* engine = nullptr) : engineInterface(engine) {}

  // The last argument is always the slot (0 to 9).
  void operator()(const char* text, int slot);
  void operator()(float value, int slot);
  void operator()(int value, int slot);
  void operator()(unsigned int value, int slot);
  void operator()(double value, int slot);
  // The text directly followed by the value; nothing for a null or over-long text.
  void operator()(const char* text, float value, int slot);
  void operator()(const char* text, int value, int slot);
  // The two texts joined; nothing when either is null or they are too long together.
  void operator()(const char* text, const char* second, int slot);

  EngineInterface* engineInterface;

 private:
  void Write(const char* text, int slot);
};
