// Writes CAP vector pictures in the plain ".cap" form: the 100 label slots,
// then the polylines as groups of points that share the high bits of their
// coordinates. For the sample catalogue and for tests of the readers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace imaging::testing {

struct CapPoint {
  int x = 0;  // 0 to 1023
  int y = 0;
};

struct CapLabel {
  int x = 0;
  int y = 0;
  std::uint16_t number = 0;  // shown as number mod 1000, a letter for the thousands
};

struct CapDrawing {
  std::vector<CapLabel> labels;                 // at most 100
  std::vector<std::vector<CapPoint>> polylines;  // each of two points or more
};

// The file's bytes; empty when a label slot or a coordinate does not fit the form.
std::string WriteCapFile(const CapDrawing& drawing);

}  // namespace imaging::testing
