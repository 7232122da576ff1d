// A face over a rendered key that the test writes statement by statement,
// shown in windows that only record what the face asks of them.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "Main/CFace.h"
#include "Main/tests/EngineFixture.h"
#include "Main/tests/RecordingWindows.h"

namespace varno::testing {

// A rendered key as the engine writes it: the file head, statements, then
// the frame definitions and the closing 0 0.
class LayoutStream {
 public:
  LayoutStream() { m_bytes = {'\0', 'a', 4, 0, 1}; }

  // A statement with a text operand.
  LayoutStream& Text(int tag, const std::string& text) {
    Statement(tag);
    m_bytes += text;
    return *this;
  }
  // A statement with fixed operand bytes (or none).
  LayoutStream& Tag(int tag, std::initializer_list<int> operand = {}) {
    Statement(tag);
    for (int byte : operand) m_bytes += static_cast<char>(byte);
    return *this;
  }
  LayoutStream& Rows(const std::string& sizes) { return Text(27, sizes); }
  LayoutStream& Columns(const std::string& sizes) { return Text(26, sizes); }
  LayoutStream& End() { return Tag(71); }
  LayoutStream& Frame(const std::string& name) { return Text(21, name); }
  // A print entry: its list, then the value code of its second and third texts.
  LayoutStream& Print(const std::string& list, const std::string& second, const std::string& third) {
    Text(118, list).Text(119, second).Text(120, third);
    return Tag(121);
  }
  LayoutStream& Raw(const std::string& bytes) {
    m_bytes += bytes;
    return *this;
  }
  // The frame definitions that close the layout part, and the stream's end.
  std::string Done() const { return m_bytes + std::string("\0HKopf\0I\0\0", 10); }
  const std::string& Bytes() const { return m_bytes; }

 private:
  void Statement(int tag) {
    m_bytes += '\0';
    m_bytes += static_cast<char>(tag);
  }
  std::string m_bytes;
};

// A key scrambled: bytes changed, zero bytes and statement tags put in,
// pieces cut out and repeated, one to four times.
inline std::string Scrambled(std::string key, std::mt19937& random) {
  const int changes = 1 + static_cast<int>(random() % 4);
  for (int i = 0; i < changes; ++i) {
    const size_t at = random() % key.size();
    switch (random() % 5) {
      case 0: key[at] = static_cast<char>(random()); break;
      case 1: key[at] = '\0'; break;
      case 2: key.erase(at, 1 + random() % 8); break;
      case 3: key.insert(at, key.substr(random() % key.size(), 1 + random() % 12)); break;
      default: key.insert(at, 1, static_cast<char>(std::string("\0\x15\x1a\x1b\x47\x76\x77\x78", 8)[random() % 8]));
    }
    if (key.empty()) key = "x";
  }
  return key;
}

// The engine's single objects, an application that records the commands a
// key enables, and a face in recording windows.
class FaceFixture : public EngineFixture {
 protected:
  class RecordingApp : public CViewerApp {
   public:
    void EnableCommand(int command, BOOL enable) override { commands.emplace_back(command, enable); }
    void EnablePrint(BOOL enable) override { prints.push_back(enable); }
    std::vector<std::pair<int, BOOL>> commands;
    std::vector<BOOL> prints;
  };

  void SetUp() override {
    EngineFixture::SetUp();
    theGlobals.m_papp = &app;
    theGlobals.m_varno_ver = 0x040001;
    face.SetWindows(&windows);
  }
  void TearDown() override {
    face.Clear();
    theGlobals.m_papp = nullptr;
    theGlobals.m_act_key_buf.Empty();
    theGlobals.m_leftneighbour.Empty();
    theGlobals.m_rightneighbour.Empty();
    theGlobals.m_notiz_allowed = FALSE;
    theGlobals.m_varno_ver = 0;
    EngineFixture::TearDown();
  }

  // Declares the face of a key whose rendered stream is bytes.
  BOOL Declare(const std::string& bytes) {
    face.Clear();
    theGlobals.m_act_key_buf = Buf(bytes);
    return face.NewKey();
  }
  BOOL Declare(const LayoutStream& stream) { return Declare(stream.Done()); }

  // The error codes on the trace, newest first.
  static std::vector<int> Trace() {
    std::vector<int> codes;
    for (CErrorTrace* node = theGlobals.m_error_trace_newest; node != nullptr; node = node->older) {
      codes.push_back(node->error_code);
    }
    return codes;
  }
  static int NewestValue() {
    return theGlobals.m_error_trace_newest != nullptr ? theGlobals.m_error_trace_newest->value : 0;
  }

  RecordingApp app;
  RecordingWindows windows;
  CFace face;
};

}  // namespace varno::testing
