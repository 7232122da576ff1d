// Files for the data manager's tests, built by the tool from source text in a
// fresh folder.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "DdmTool.h"
#include "interfaces/QorDdm.h"
#include "testing/TempFolder.h"

namespace ddm::testing {

class DdmFiles {
 public:
  // The host path of a file built from the source; fails the test when the
  // source does not build.
  std::string Build(const std::string& name, const std::string& source) const {
    std::string error;
    const std::string path = m_folder / name;
    EXPECT_TRUE(BuildDdmFile(source, name + ".txt", path, &error)) << error;
    return path;
  }
  const layer::testing::TempFolder& Folder() const { return m_folder; }

 private:
  layer::testing::TempFolder m_folder;
};

// A field's bytes as a string, or "<null>" when the field is absent.
inline std::string FieldOf(const DdmDatabase& db, int hit, int field) {
  int length = -1;
  const BYTE* bytes = db.DdmDbGetField(hit, field, &length);
  return bytes ? std::string(reinterpret_cast<const char*>(bytes), length) : "<null>";
}

inline std::string ElementOf(const DdmDatabase& db, int hit, int field, int element) {
  int length = -1;
  const BYTE* bytes = db.DdmDbGetElement(hit, field, element, &length);
  return bytes ? std::string(reinterpret_cast<const char*>(bytes), length) : "<null>";
}

// What the data manager wrote to the standard error stream while `body` ran.
template <typename Body>
std::string LogOf(Body body) {
  ::testing::internal::CaptureStderr();
  body();
  return ::testing::internal::GetCapturedStderr();
}

}  // namespace ddm::testing
