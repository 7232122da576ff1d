// Starting and ending the viewer as a person does.
#include "Journey.h"

namespace catalogue::testing {
namespace {

class StartJourney : public Journey {};

TEST_F(StartJourney, TheViewerShowsTheStartPageAndEndsFromItsMenu) {
  TopWindow viewer = StartViewer();
  ASSERT_NE(viewer.handle, nullptr);
  SeenWindow look = WaitForText(viewer, "Motor");
  system->Screenshot("start-page");
  for (const char* text : {"Baugruppen", "Geh\xC3\xA4use", "Holm", "START", "rm46"})
    EXPECT_TRUE(look.Shows(text)) << text;
  ExpectAllLabelled(look, "the viewer's main window");

  ChooseMenu(viewer, {"Datei", "Beenden"});
  EXPECT_EQ(system->WaitForViewerEnd(), 0) << system->ViewerErrors();
  // The order-list program, started with the viewer, ends with it.
  EXPECT_TRUE(layer::testing::WaitUntil([] { return layer::testing::TopWindows().empty(); }, std::chrono::seconds(10)));
}

}  // namespace
}  // namespace catalogue::testing
