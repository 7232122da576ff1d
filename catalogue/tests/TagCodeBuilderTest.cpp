#include "TagCodeBuilder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string B(std::initializer_list<int> bytes) {
  std::string out;
  for (int b : bytes) out += static_cast<char>(b);
  return out;
}

TEST(TagCodeBuilder, StatementsAndMarkersAsTheReadersExpectThem) {
  TagCodeBuilder file(0x040001);
  file.Include("teile").Tag(0).Field(4).MasterField(4, 1).TextNumber(1000).Variable("A").If("A = 1").Text("x").EndIf();
  const std::string expected = B({0, 97, 4, 0, 1}) + B({0, 21}) + "teile" + B({0, 0, 0, 63, 4, 0, 129, 4, 1}) +
                               B({0, 62, 0xE8, 3, 0, 0, 0, 65}) + "A" + B({0, 64, 0, 166}) + "A = 1" +
                               B({0, 167}) + "x" + B({0, 169});
  EXPECT_EQ(file.Bytes(), expected);
  EXPECT_EQ(marker::TextNumber(-2), B({1, 3, 0xFE, 0xFF, 0xFF, 0xFF, 1, 3}));
  EXPECT_EQ(marker::Link("T", "K"), B({1, 7}) + "T" + B({1, 8}) + "K" + B({1, 7}));
}

}  // namespace
