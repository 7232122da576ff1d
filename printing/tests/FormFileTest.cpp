#include <gtest/gtest.h>

#include "VodFixture.h"
#include "VodFormFile.h"

namespace vod {
namespace {

using testing::FormFileBytes;
using testing::FormItemBytes;
using testing::FrameItem;

class FormFile : public testing::VodFixture {
 protected:
  std::vector<ItemNode*> Items() {
    std::vector<ItemNode*> items;
    for (ItemNode* item = *m_context->model.currentForm; item; item = item->next) items.push_back(item);
    return items;
  }
};

TEST_F(FormFile, EveryItemKindLoadsWithItsFields) {
  FormItemBytes line(0), picture(1), text(2), box(4), unknown(3);
  line.Word(138, 3).Word(140, 10).Word(142, 20).Word(144, 30).Word(146, 40);
  picture.Text(138, "logo.tif").Word(158, 100).Word(162, 50).Word(166, 200);
  text.Text(138, "Arial").Text(148, "Seite %LP1%").Word(188, 700).Word(190, 500).Word(196, 300).Word(192, 12);
  box.Word(138, 2).Word(140, 128).Word(142, 1).Word(144, 2).Word(146, 3).Word(148, 4);
  std::string path = Write("all.frm", FormFileBytes({line, picture, text, box, unknown,
                                                     FrameItem("Gr\xFC\xDF" "e", 1, 2, 3, 4, "Times", 9, 'R')},
                                                    198, 0, 3));
  ASSERT_TRUE(LoadMask(*m_context, "  " + path + "\t"));
  std::vector<ItemNode*> items = Items();
  ASSERT_EQ(items.size(), 6u);
  EXPECT_EQ(m_context->orientation, 0);
  EXPECT_EQ(m_context->paper, 3);
  EXPECT_EQ(items[0]->Kind(), kItemLine);
  EXPECT_EQ(items[0]->Word(146), 40);
  EXPECT_EQ(items[1]->Field(138, 20), "logo.tif");
  EXPECT_EQ(items[1]->Word(166), 200);
  EXPECT_EQ(items[2]->Field(148, 40), "Seite %LP1%");
  // The loader keeps the pair at 190/196 in ascending order.
  EXPECT_EQ(items[2]->Word(190), 300);
  EXPECT_EQ(items[2]->Word(196), 500);
  EXPECT_EQ(items[3]->Word(148), 4);
  EXPECT_EQ(items[4]->Kind(), 3);
  EXPECT_EQ(items[5]->FrameName(), "Gr\x81\xE1" "e");  // German letters in their OEM codes
  EXPECT_EQ(items[5]->DefaultFont(), "Times");
  EXPECT_EQ(items[5]->DefaultSize(), 9);
}

TEST_F(FormFile, PageSizesFollowTheHeader) {
  struct Case {
    WORD orientation, paper;
    DWORD width, height;
  } cases[] = {{1, 4, 2100, 2970}, {0x0100, 4, 2970, 2100}, {1, 3, 2970, 4200}, {0, 8, 4200, 2970}};
  for (const Case& c : cases) {
    FormExtent extent = FormPageSize(c.orientation, c.paper);
    EXPECT_EQ(extent.width, c.width);
    EXPECT_EQ(extent.height, c.height);
  }
}

TEST_F(FormFile, DamagedFilesAreReportedAndNeverUsed) {
  m_context->callback = testing::CallbackLog::Record;
  testing::CallbackLog::answer = 0;
  std::string good = FormFileBytes({FrameItem("A", 1, 2, 3, 4), FrameItem("B", 1, 2, 3, 4)});
  struct Case {
    const char* name;
    std::string bytes;
    bool loads;
    const char* text;  // the report, "" for none
  } cases[] = {
      {"noctrlz.frm", "just text, no binary part", false, ""},
      {"size200.frm", FormFileBytes({}, 200), false, "Syntaxfehler in Formulardatei '%s'!"},
      {"short.frm", std::string("x\x1A\xC6\x00\x01", 5), false, "Syntaxfehler in Formulardatei '%s'!"},
      {"empty.frm", FormFileBytes({}), true, ""},
      {"partial.frm", good.substr(0, good.size() - 50), false, "Syntaxfehler in Formulardatei '%s'!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::CallbackLog::calls.clear();
    std::string path = Write(c.name, c.bytes);
    EXPECT_EQ(LoadMask(*m_context, path), c.loads);
    if (*c.text) {
      ASSERT_EQ(testing::CallbackLog::calls.size(), 1u);
      EXPECT_EQ(testing::CallbackLog::calls[0].first, 8);
      std::string expected = c.text;
      expected.replace(expected.find("%s"), 2, path);
      EXPECT_EQ(testing::CallbackLog::calls[0].second, expected);
    } else {
      EXPECT_TRUE(testing::CallbackLog::calls.empty());
    }
  }
  // A trailing partial record is left out; the whole ones before it stay.
  EXPECT_EQ(Items().size(), 1u);

  testing::CallbackLog::answer = 1;  // go on: the form is used without the partial record
  EXPECT_TRUE(LoadMask(*m_context, m_folder / "partial.frm"));
  EXPECT_EQ(Items().size(), 1u);
}

TEST_F(FormFile, TextFieldsAreReadWithinTheirOwnBytes) {
  FormItemBytes frame = FrameItem("ABCDEFGHI", 0, 0, 10, 10, "LongFontNm", 10);
  frame.Text(167, "LXY");  // flag bytes right behind the unterminated name
  FormItemBytes tail(2);
  tail.Text(148, std::string(50, 'T'));  // text runs into the next fields
  std::string path = Write("fields.frm", FormFileBytes({frame, tail}));
  ASSERT_TRUE(LoadMask(*m_context, path));
  std::vector<ItemNode*> items = Items();
  EXPECT_EQ(items[0]->FrameName(), "ABCDEFGHI");
  EXPECT_EQ(items[0]->DefaultFont(), "LongFontNm");
  EXPECT_EQ(items[1]->Field(148, 40), std::string(40, 'T'));
  EXPECT_EQ(items[1]->Field(188, 20).size(), 10u);  // cut at the record's end
}

TEST_F(FormFile, FramesOfOneNameGetInstanceNumbersAndAreBuiltOnce) {
  std::string path = Write("three.frm", FormFileBytes({FrameItem("F", 0, 0, 1, 1), FrameItem("G", 0, 0, 1, 1),
                                                       FrameItem("F", 0, 0, 1, 1), FrameItem("F", 0, 0, 1, 1)}));
  ASSERT_TRUE(LoadMask(*m_context, path));
  ASSERT_TRUE(m_context->model.BuildFramesFromItems());
  ASSERT_TRUE(m_context->model.BuildFramesFromItems());
  std::vector<std::string> frames;
  for (VodFrame* frame = m_context->model.frames; frame; frame = frame->next)
    frames.push_back(std::string(frame->name) + std::to_string(frame->instance));
  EXPECT_EQ(frames, (std::vector<std::string>{"F1", "G1", "F2", "F3"}));
}

TEST_F(FormFile, TheDefaultFontOfAFrameComesFromItsInstance) {
  WriteIni({"DisplayLog=TRUE"});
  std::string path = Write("fonts.frm", FormFileBytes({FrameItem("F", 0, 0, 1, 1, "Arial", 10),
                                                       FrameItem("G", 0, 0, 1, 1, "Courier", 8),
                                                       FrameItem("F", 0, 0, 1, 1, "Times", 12)}));
  ASSERT_TRUE(LoadMask(*m_context, path));
  std::string font;
  int size = 0;
  EXPECT_TRUE(SetSchrift(*m_context, "f", 2, font, size));
  EXPECT_EQ(font, "Times");
  EXPECT_EQ(size, 12);
  EXPECT_FALSE(SetSchrift(*m_context, "F", 3, font, size));
  EXPECT_EQ(m_ui.dialogMessages.back().second, "Set_Schrift End (FALSE)");
}

}  // namespace
}  // namespace vod
