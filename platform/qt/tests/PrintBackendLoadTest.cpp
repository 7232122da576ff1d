// The printing system's libraries come with the first question for a
// printer, not with the program's start: a program of this test, started
// afresh, has none of them until it asks, and then lists the desktop's
// printers and writes PDF through them.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "win32/PrintBackend.h"
#include "win32/Printers.h"

extern char** environ;

namespace {

constexpr const char* kFreshRun = "VARNO_PRINT_LOAD_CHECK";

bool Loaded(const char* library) {
  void* handle = dlopen(library, RTLD_LAZY | RTLD_NOLOAD);
  if (handle) dlclose(handle);
  return handle != nullptr;
}

// Runs this test alone in a new process of this program; its exit code.
int RunFresh() {
  std::vector<std::string> env;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text = *entry;
    if (text.rfind("GTEST_", 0) != 0) env.push_back(text);  // no shard leaves the test out
  }
  env.push_back(std::string(kFreshRun) + "=1");
  std::vector<char*> envp;
  for (std::string& text : env) envp.push_back(text.data());
  envp.push_back(nullptr);
  std::string self = "/proc/self/exe", filter = "--gtest_filter=PrintBackendLoad.*";
  char* argv[] = {self.data(), filter.data(), nullptr};
  pid_t child = 0;
  if (posix_spawn(&child, self.c_str(), nullptr, nullptr, argv, envp.data()) != 0) return -1;
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

TEST(PrintBackendLoad, ComesWithTheFirstQuestionForAPrinter) {
  if (std::getenv(kFreshRun) == nullptr) {
    EXPECT_EQ(RunFresh(), 0);
    return;
  }
  EXPECT_FALSE(Loaded("liblayer_print.so")) << "loaded at the start";
  EXPECT_FALSE(Loaded("libcups.so.2")) << "loaded at the start";
  ASSERT_NE(layer::CurrentPrintBackend(), nullptr);
  EXPECT_TRUE(Loaded("libcups.so.2"));
  EXPECT_FALSE(layer::Printers().empty());
  EXPECT_NE(layer::CurrentPrintBackend()->DocumentsFolder(), "");
}

}  // namespace
