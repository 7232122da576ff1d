// Helpers of the hotspot library's tests: lists made from a table, their
// contents read back, and the message boxes that the writers show.
#pragma once

#include <string>
#include <vector>

#include "interfaces/QridHtSp.h"
#include "win32/MessageBox.h"

namespace hotspots::testing {

struct Spot {
  int left, top, right, bottom;
  std::string name, text2;
  int mode;
  bool operator==(const Spot&) const = default;
};

inline HS_HANDLE MakeList(const std::vector<Spot>& spots) {
  HS_HANDLE list = HS_New();
  for (const Spot& s : spots) HS_AddHotspot(list, s.left, s.top, s.right, s.bottom, s.name.c_str(), s.text2.c_str(), s.mode);
  return list;
}

inline std::vector<Spot> Contents(HS_HANDLE list) {
  std::vector<Spot> spots;
  for (int i = 0; i < HS_GetNumberOfHotspots(list); ++i) {
    RECT r;
    CString* text = nullptr;
    CString* text2 = nullptr;
    BYTE mode = 0;
    HS_GetHotspot(list, i, &r, &text, &text2, &mode);
    spots.push_back({r.left, r.top, r.right, r.bottom, std::string(*text), std::string(*text2), mode});
  }
  return spots;
}

inline void PrintTo(const Spot& s, std::ostream* os) {
  *os << "{" << s.left << "," << s.top << "," << s.right << "," << s.bottom << ",\"" << s.name << "\",\"" << s.text2
      << "\"," << s.mode << "}";
}

// Collects the message boxes shown while it lives.
class MessageBoxes {
 public:
  MessageBoxes() {
    m_before = layer::SetMessageBoxPresenter([this](HWND, const char* text, const char* caption, UINT type) {
      texts.push_back(text);
      captions.push_back(caption);
      types.push_back(type);
      return IDOK;
    });
  }
  ~MessageBoxes() { layer::SetMessageBoxPresenter(m_before); }

  std::vector<std::string> texts, captions;
  std::vector<UINT> types;

 private:
  layer::MessageBoxPresenter m_before;
};

}  // namespace hotspots::testing
