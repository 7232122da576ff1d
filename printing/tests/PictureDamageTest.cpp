// Damaged HPGL, VEC and CAP files: cut at every length, changed at random
// places, or holding absurd numbers, they draw what they can or nothing and
// always come to an end.
#include <gtest/gtest.h>

#include <random>

#include "PictureFixture.h"
#include "VodContext.h"

namespace vod {
namespace {

using testing::CapBytes;
using testing::CapGroup;
using testing::VecBytes;

constexpr RECT kDamagedPictureFrame{10, 10, 110, 70};

struct Reader {
  const char* name;
  int kind;
  const char* file;
  std::string bytes;
};

std::vector<Reader> Readers() {
  return {
      {"hpgl", kPictureHpgl, "pic.plt",
       "IN;SP2;PU0,0;PD500,0,500,300,0,300,0,0;LT2,4,0;PA100,100,400,200;PU250,150;CI80;AA250,150,-120,10;"
       "PM0;PR10,10,20,-5;PM2;LT-8,2,1;PD20,290;SP16;PU;"},
      {"vec", kPictureVec, "pic.vec",
       VecBytes({0, 0, 500, 0x8000 | 300, 0x8000 | 80, 250, 150, 350, 10, 20, 0x8000 | 7}, 500, 300)},
      {"cap", kCapPlain, "pic.cap",
       CapBytes(kCapPlain, std::vector<testing::CapLabelSlot>(100, {0, 0, 0}),
                CapGroup(false, {{0, 0}, {200, 100}}) + CapGroup(true, {{300, 700}, {310, 720}}))},
      {"ca3", kCapCount, "pic.ca3",
       CapBytes(kCapCount, {{100, 100, 1017}, {-5, 900, -2}},
                CapGroup(false, {{0, 0}}) + CapGroup(true, {{900, 900}}))},
      {"ca4", kCapPacked, "pic.ca4",
       CapBytes(kCapPacked, {{50, 50, 3}},
                std::string("\x20\x20\x00\x03\xC8\x64\x1F\x3A\xBC\xD0\x2F\x03\xAB\xCD", 14))},
  };
}

class DamagedPictures : public testing::PictureFixture {
 protected:
  void SetUp() override {
    PictureFixture::SetUp();
    OpenPage(120, 80);
  }
  bool Picture(const Reader& reader, const std::string& bytes) {
    return Draw(reader.kind, File(reader.file, bytes), kDamagedPictureFrame);
  }
};

TEST_F(DamagedPictures, FilesCutAtEveryLengthDrawWhatTheyCan) {
  for (const Reader& reader : Readers()) {
    for (size_t length = 0; length <= reader.bytes.size(); ++length)
      EXPECT_TRUE(Picture(reader, reader.bytes.substr(0, length))) << reader.name << " cut at " << length;
    EXPECT_FALSE(Page().Blank(RECT{0, 0, 120, 80})) << reader.name << " whole";
  }
}

TEST_F(DamagedPictures, RandomDamageEndsEveryDrawing) {
  std::mt19937 random(20240617);
  for (const Reader& reader : Readers()) {
    for (int variant = 0; variant < 150; ++variant) {
      std::string bytes = reader.bytes;
      int changes = 1 + static_cast<int>(random() % 6);
      for (int change = 0; change < changes && !bytes.empty(); ++change) {
        size_t at = random() % bytes.size();
        switch (random() % 3) {
          case 0: bytes[at] = static_cast<char>(random() & 0xFF); break;
          case 1: bytes.insert(at, "99999999999999"); break;
          default: bytes.erase(at, 1 + random() % 4); break;
        }
      }
      Picture(reader, bytes);
      m_context->jobState = kJobRunning;
    }
  }
}

TEST_F(DamagedPictures, AbsurdNumbersAndLongCommandsComeToAnEnd) {
  const std::pair<int, std::string> cases[] = {
      {kPictureHpgl, "PU0,0;PD10,10;CI999999999999;AA-99999999,5,99999999,0;PD-9999999999,99999999999;"},
      {kPictureHpgl, "PU0,0;PD10,10;LT1,0.0001,0;PD-999999999,999999999;LT2,99999999,1;PD999999,0;"},
      {kPictureHpgl, "PU0,0;PD10,10;AA5,5,360,-0;AA5,5,-999999,1;CI5,-99999;"},
      {kPictureHpgl, "PU0,0;PD1,1;P" + std::string(20000, 'x')},
      {kPictureHpgl, std::string(20000, 'A')},
      {kPictureVec, VecBytes({0x8000 | 0x7FFF, 0x7FFF, 0x7FFF, 0, 0xFFFF, 0, 0, 0x7FFF, 0xFFFF}, 1, 1)},
      {kPictureVec, VecBytes(std::vector<unsigned>(3000, 0xFFFF), 2, 2)},
      {kCapPacked, CapBytes(kCapPacked, {}, std::string(5000, '\xFF'))},
      {kCapCount, std::string("\xFF") + std::string(3000, '\x7F')},
  };
  static const char* const kFiles[] = {"a.plt", "a.plt", "a.vec", "a.cap", "a.ca3", "a.ca4"};
  for (const auto& [kind, bytes] : cases) {
    Draw(kind, File(kFiles[kind], bytes), kDamagedPictureFrame);
    m_context->jobState = kJobRunning;
  }
  SUCCEED() << "every drawing ended";
}

}  // namespace
}  // namespace vod
