#include <gtest/gtest.h>

#include <string>

#include "win32/DebugOutput.h"

TEST(DebugOutput, AnInstalledSinkReceivesEveryStringUntilRemoved) {
  std::string seen;
  layer::SetDebugOutputSink([&](std::string_view text) { seen += text; });
  OutputDebugString("Sleep(1)\n");
  OutputDebugString(nullptr);
  OutputDebugString("Fehler Delayload!\n");
  layer::SetDebugOutputSink({});
  OutputDebugString("not seen\n");
  EXPECT_EQ(seen, "Sleep(1)\nFehler Delayload!\n");
}
