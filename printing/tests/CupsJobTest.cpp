// A job through a real print queue: the private CUPS scheduler's queue is
// the printer of the ini file, and its pages arrive as PostScript.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "JobFixture.h"
#include "interfaces/QorVod32.h"
#include "testing/CupsScheduler.h"
#include "win32/Profile.h"

namespace vod {
namespace {

using layer::testing::CupsScheduler;

class CupsJob : public testing::JobFixture {
 protected:
  static void SetUpTestSuite() {
    const char* server = std::getenv("CUPS_SERVER");
    s_hadServer = server != nullptr;
    if (server) s_oldServer = server;
    s_scheduler = new CupsScheduler;
    s_whyNot = s_scheduler->Start();
  }
  static void TearDownTestSuite() {
    delete s_scheduler;
    s_scheduler = nullptr;
    // The tests after these reach the desktop's scheduler again.
    if (s_hadServer)
      setenv("CUPS_SERVER", s_oldServer.c_str(), 1);
    else
      unsetenv("CUPS_SERVER");
  }
  void SetUp() override {
    if (!s_whyNot.empty()) GTEST_SKIP() << "no private CUPS scheduler: " << s_whyNot;
    JobFixture::SetUp();
  }

  static CupsScheduler* s_scheduler;
  static std::string s_whyNot;
  static bool s_hadServer;
  static std::string s_oldServer;
};

CupsScheduler* CupsJob::s_scheduler = nullptr;
std::string CupsJob::s_whyNot;
bool CupsJob::s_hadServer = false;
std::string CupsJob::s_oldServer;

TEST_F(CupsJob, TheQueueNamedInTheIniFilePrintsEveryPage) {
  WriteIni({std::string("Device=") + layer::testing::kQueue + ",winspool,CUPS:", "PrintToFile=FALSE"});
  ASSERT_EQ(VOD_SetCallback(&JobFixture::Callback), 1);
  std::string script = Write("queue.vod", Use() + Records(3) + "PAGE\n" + Records(3, 10) + "PAGE\n");
  ASSERT_EQ(VOD_Print_Sync(m_owner, script.c_str()), 1) << (s_calls.empty() ? "" : s_calls[0].text);
  std::string output = s_scheduler->Output();
  ASSERT_TRUE(layer::testing::WaitFor(
      [&] { return layer::testing::ReadAll(output).find("%%EOF") != std::string::npos; }, std::chrono::seconds(60)))
      << "no PostScript arrived; the scheduler's log:\n" << s_scheduler->Log();
  std::string postscript = layer::testing::ReadAll(output);
  EXPECT_NE(postscript.find("%%Pages: 2"), std::string::npos);
  EXPECT_NE(postscript.find("595 842"), std::string::npos) << "A4 paper";
  EXPECT_EQ(IniValue("Device"), std::string(layer::testing::kQueue) + ",winspool,CUPS:");
}

}  // namespace
}  // namespace vod
