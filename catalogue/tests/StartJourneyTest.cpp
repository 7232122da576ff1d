// Starting and ending the viewer as a person does.
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <fstream>

#include "Journey.h"
#include "ipc/WindowRegistry.h"

// A namespace of its own: the journeys compile together, where their helpers' names would meet.
namespace catalogue::testing::start_journey {
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

// A second start in the same space on the same display hands over to the
// viewer that runs: it brings that one forward, says so and ends.
TEST_F(StartJourney, ASecondStartHandsOverToTheRunningViewer) {
  TopWindow first = StartViewer();
  ASSERT_NE(first.handle, nullptr);
  WaitForText(first, "Motor");
  pid_t second = system->StartProgram({VARNO_VIEWER}, {}, "second.err");
  ASSERT_GT(second, 0);
  EXPECT_EQ(system->WaitForEnd(second), 0);
  const std::string said = system->Errors("second.err");
  EXPECT_NE(said.find("brought to the front"), std::string::npos) << said;
  int viewers = 0;
  for (const TopWindow& window : layer::testing::TopWindows())
    viewers += window.visible && window.title.find("RM 46") != std::string::npos;
  EXPECT_EQ(viewers, 1);
  system->Screenshot("handed-over");
}

// A viewer of another space (a set of programs kept apart from this one) is
// no copy to hand over to: the second start shows its own window beside it.
TEST_F(StartJourney, AViewerOfAnotherSpaceStartsItsOwnWindow) {
  TopWindow first = StartViewer();
  ASSERT_NE(first.handle, nullptr);
  WaitForText(first, "Motor");
  const std::string space = "journey-" + std::to_string(getpid());
  layer::ipc::WindowRegistry others("/varno4-" + std::to_string(getuid()) + "-windows-" + space);
  // The second one starts in English, so that the two are told apart.
  std::ofstream(system->Folder() + "/varno4_user.ini", std::ios::binary)
      << "[SYSTEM]\r\nLanguage=\"GB\"\r\n[VARIABLES_CHAR]\r\nDATALANGUAGE=\"GB\"\r\n";
  pid_t second = system->StartProgram({VARNO_VIEWER}, {"VARNO_IPC_SPACE=" + space}, "second.err");
  ASSERT_GT(second, 0);
  const bool shown = layer::testing::WaitUntil(
      [&] {
        for (const auto& entry : others.Entries())
          if (entry.processId == static_cast<DWORD>(second) && (entry.flags & layer::ipc::kWindowVisible) &&
              entry.title.find("RM 46") != std::string::npos)
            return true;
        return false;
      },
      std::chrono::seconds(60));
  system->Screenshot("two-viewers");
  EXPECT_TRUE(shown) << system->Errors("second.err");
  EXPECT_EQ(system->Errors("second.err").find("brought to the front"), std::string::npos);
  EXPECT_EQ(system->WaitForEnd(second, std::chrono::milliseconds(0)), InstalledSystem::kStillRunning);
  EXPECT_TRUE(Look(first).Shows("Motor")) << "the first viewer runs on";
  // The other space's programs (the viewer and its order-list program) are
  // out of the installation's reach: they are ended here.
  for (const auto& entry : others.Entries()) kill(static_cast<pid_t>(entry.processId), SIGTERM);
  kill(second, SIGTERM);
  system->WaitForEnd(second);
  shm_unlink(("/varno4-" + std::to_string(getuid()) + "-windows-" + space).c_str());
}

}  // namespace
}  // namespace catalogue::testing::start_journey
