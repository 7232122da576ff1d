#include "win32/ComputerName.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <string>

#include "win32/Errors.h"

TEST(ComputerName, HostNameInCapitalsWithinFifteenCharacters) {
  char buffer[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = sizeof buffer;
  ASSERT_TRUE(GetComputerName(buffer, &size));
  EXPECT_EQ(size, std::string(buffer).size());
  EXPECT_LE(size, static_cast<DWORD>(MAX_COMPUTERNAME_LENGTH));
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  std::string expected(host, std::string(host).substr(0, MAX_COMPUTERNAME_LENGTH).size());
  for (char& c : expected) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(std::string(buffer), expected);
}

TEST(ComputerName, SmallBufferAsksForRoomAndStaysUntouched) {
  DWORD needed = 0;
  ASSERT_FALSE(GetComputerName(nullptr, &needed));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BUFFER_OVERFLOW));
  char buffer[1] = {'x'};
  DWORD size = 1;
  if (needed > 1) {
    EXPECT_FALSE(GetComputerName(buffer, &size));
    EXPECT_EQ(size, needed);
    EXPECT_EQ(buffer[0], 'x');
  }
  EXPECT_FALSE(GetComputerName(buffer, nullptr));
}
