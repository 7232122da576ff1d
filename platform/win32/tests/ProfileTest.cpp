#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "testing/FakePrintBackend.h"
#include "testing/PrinterSandbox.h"
#include "win32/Errors.h"
#include "win32/Profile.h"
#include "win32/SystemInfo.h"

namespace {

std::string Value(const char* section, const char* key, const char* fallback = "") {
  char buffer[256];
  GetProfileString(section, key, fallback, buffer, sizeof buffer);
  return buffer;
}

// The names of a list answer (each ending in NUL, the list in one more).
std::vector<std::string> Names(const char* section) {
  std::vector<char> buffer(4096);
  DWORD length = GetProfileString(section, nullptr, "", buffer.data(), static_cast<DWORD>(buffer.size()));
  std::vector<std::string> names;
  for (DWORD at = 0; at < length; at += static_cast<DWORD>(names.back().size()) + 1) names.emplace_back(buffer.data() + at);
  return names;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  for (const auto& n : names)
    if (n == name) return true;
  return false;
}

class SystemProfile : public ::testing::Test {
 protected:
  void SetUp() override {
    sandbox.Folder().Write("windows/win.ini",
                           "; kept as it is\r\n[Intl]\r\nsCountry = Deutschland  \r\niCountry=49\r\n"
                           "sQuoted=\"  mit Rand  \"\r\nnegative=-5\r\nmixed= 17abc\r\n[Empty]\r\n"
                           "[windows]\r\ndevice=" + std::string(layer::kPdfPrinterName) + ",winspool,PDF:\r\n");
  }
  layer::testing::PrinterSandbox sandbox;
};

TEST_F(SystemProfile, ValuesAreReadWithoutBlanksAndQuotes) {
  struct Case {
    const char* section;
    const char* key;
    const char* fallback;
    const char* expected;
  } cases[] = {
      {"Intl", "sCountry", "", "Deutschland"},
      {"INTL", "SCOUNTRY", "", "Deutschland"},  // names without regard to case
      {"Intl", "sQuoted", "", "  mit Rand  "},
      {"Intl", "missing", "Vorgabe  ", "Vorgabe"},
      {"Nowhere", "key", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Value(c.section, c.key, c.fallback), c.expected) << c.section << "/" << c.key;

  char small[5];
  EXPECT_EQ(GetProfileString("Intl", "sCountry", "", small, sizeof small), 4u);  // cut to the buffer
  EXPECT_STREQ(small, "Deut");
}

TEST_F(SystemProfile, NumbersAreTheLeadingDigits) {
  EXPECT_EQ(GetProfileInt("Intl", "iCountry", 1), 49u);
  EXPECT_EQ(GetProfileInt("Intl", "mixed", 1), 17u);
  EXPECT_EQ(GetProfileInt("Intl", "negative", 1), 0u);
  EXPECT_EQ(GetProfileInt("Intl", "sCountry", 1), 0u);
  EXPECT_EQ(GetProfileInt("Intl", "missing", 7), 7u);
}

TEST_F(SystemProfile, ListsOfKeysAndSections) {
  std::vector<std::string> keys = Names("Intl");
  EXPECT_EQ(keys, (std::vector<std::string>{"sCountry", "iCountry", "sQuoted", "negative", "mixed"}));
  std::vector<std::string> sections = Names(nullptr);
  for (const char* section : {"Intl", "Empty", "windows", "devices", "PrinterPorts"}) EXPECT_TRUE(Contains(sections, section)) << section;

  // A list cut to the buffer ends in two NULs within it.
  char small[8];
  std::memset(small, 'x', sizeof small);
  EXPECT_EQ(GetProfileString("Intl", nullptr, "", small, sizeof small), 6u);
  EXPECT_EQ(small[6], '\0');
  EXPECT_EQ(small[7], '\0');
}

TEST_F(SystemProfile, WritingReplacesTheFileWholeAndKeepsOtherLines) {
  EXPECT_TRUE(WriteProfileString("Intl", "iCountry", "43"));
  EXPECT_TRUE(WriteProfileString("Neu", "Eintrag", "Wert"));
  EXPECT_TRUE(WriteProfileString("Intl", "mixed", nullptr));
  EXPECT_TRUE(WriteProfileString("Empty", nullptr, nullptr));
  EXPECT_TRUE(WriteProfileString(nullptr, nullptr, nullptr));
  EXPECT_EQ(GetProfileInt("Intl", "iCountry", 0), 43u);
  EXPECT_EQ(Value("Neu", "Eintrag"), "Wert");
  EXPECT_EQ(Value("Intl", "mixed", "weg"), "weg");
  std::string text = sandbox.Folder().Read("windows/win.ini");
  EXPECT_EQ(text.rfind("; kept as it is\r\n[Intl]\r\n", 0), 0u) << text;
  EXPECT_EQ(text.find("[Empty]"), std::string::npos);
  EXPECT_FALSE(sandbox.Folder().Exists("windows/win.ini.new"));
}

TEST_F(SystemProfile, PrinterEntriesComeFromThePrinters) {
  layer::testing::FakePrintBackend desktop;
  std::string pdf = layer::kPdfPrinterName;
  EXPECT_EQ(Value("windows", "device"), pdf + ",winspool,PDF:");  // as the sandbox chose
  EXPECT_EQ(Value("devices", "Laser"), "winspool,CUPS:");
  EXPECT_EQ(Value("PrinterPorts", pdf.c_str()), "winspool,PDF:,15,45");
  EXPECT_EQ(Value("devices", "gone", "none"), "none");
  EXPECT_EQ(Names("devices"), (std::vector<std::string>{"Laser", pdf}));

  // The system profile chooses the default among the printers there are, else the desktop does.
  EXPECT_TRUE(WriteProfileString("windows", "device", "Laser,winspool,CUPS:"));
  EXPECT_EQ(Value("windows", "device"), "Laser,winspool,CUPS:");
  EXPECT_TRUE(WriteProfileString("windows", "device", "Vanished,winspool,LPT1:"));
  EXPECT_EQ(Value("windows", "device"), "Laser,winspool,CUPS:");
  desktop.systemDefault = "";
  EXPECT_EQ(Value("windows", "device"), "Laser,winspool,CUPS:");  // the desktop's first printer

  EXPECT_FALSE(WriteProfileString("devices", "Laser", "winspool,LPT1:"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

}  // namespace
