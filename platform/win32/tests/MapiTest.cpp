// The mail library: MAPISendMail found by name hands the message to
// xdg-email, which passes it as a mailto: address to the composer that the
// MAILER variable names. Here that composer is a stand-in that writes the
// address into a pipe; it cannot finish before the test reads the pipe, so a
// MAPISendMail that waited for the composer would never return.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <thread>

#include "testing/TempFolder.h"
#include "win32/Mapi.h"
#include "win32/Module.h"
#include "win32/Paths.h"

namespace {

class SavedVariable {
 public:
  explicit SavedVariable(const char* name) : m_name(name) {
    if (const char* value = std::getenv(name)) m_value = value;
  }
  ~SavedVariable() {
    if (m_value)
      setenv(m_name, m_value->c_str(), 1);
    else
      unsetenv(m_name);
  }

 private:
  const char* m_name;
  std::optional<std::string> m_value;
};

std::string PercentDecoded(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The fields of a mailto: address; repeated fields joined by "|".
std::map<std::string, std::string> MailtoFields(const std::string& url) {
  std::map<std::string, std::string> fields;
  size_t query = url.find('?');
  if (url.rfind("mailto:", 0) != 0 || query == std::string::npos) return fields;
  if (query > 7) fields["to"] = PercentDecoded(url.substr(7, query - 7));
  size_t pos = query + 1;
  while (pos < url.size()) {
    size_t end = url.find('&', pos);
    if (end == std::string::npos) end = url.size();
    std::string pair = url.substr(pos, end - pos);
    size_t equals = pair.find('=');
    std::string key = pair.substr(0, equals);
    std::string value = equals == std::string::npos ? "" : PercentDecoded(pair.substr(equals + 1));
    fields[key] = fields.count(key) ? fields[key] + "|" + value : value;
    pos = end + 1;
  }
  return fields;
}

class StandInComposer : public ::testing::Test {
 protected:
  void SetUp() override {
    layer::SetDriveFolder('M', m_folder.Path());
    m_capture = m_folder / "capture";
    ASSERT_EQ(mkfifo(m_capture.c_str(), 0600), 0);
    m_folder.Write("composer.sh", "#!/bin/sh\nprintf '%s' \"$1\" > \"$VARNO_MAIL_CAPTURE\"\n");
    std::filesystem::permissions(m_folder / "composer.sh", std::filesystem::perms::owner_all);
    setenv("MAILER", (m_folder / "composer.sh").c_str(), 1);
    setenv("VARNO_MAIL_CAPTURE", m_capture.c_str(), 1);
    HMODULE library = LoadLibrary("MAPI32.DLL");
    ASSERT_NE(library, nullptr);
    m_send = reinterpret_cast<LPMAPISENDMAIL>(GetProcAddress(library, "MAPISendMail"));
    ASSERT_NE(m_send, nullptr);
    EXPECT_TRUE(FreeLibrary(library));
  }

  // What the composer was given; empty when it did not run.
  std::string Captured() {
    int fd = open(m_capture.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return "";
    std::string text;
    pollfd wait{fd, POLLIN, 0};
    while (poll(&wait, 1, 20000) > 0) {
      char buffer[4096];
      ssize_t got = read(fd, buffer, sizeof buffer);
      if (got <= 0) break;
      text.append(buffer, static_cast<size_t>(got));
    }
    close(fd);
    return text;
  }

  // Sends on a thread of its own; the result, and whether it came while the
  // composer still stood waiting for its reader.
  std::pair<ULONG, bool> Send(MapiMessage& message, std::string& url) {
    std::promise<ULONG> done;
    std::future<ULONG> result = done.get_future();
    std::thread sender(
        [&] { done.set_value(m_send(0, 0, &message, MAPI_LOGON_UI | MAPI_NEW_SESSION | MAPI_DIALOG, 0)); });
    bool returnedFirst = result.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
    url = Captured();
    sender.join();
    return {result.get(), returnedFirst};
  }

  SavedVariable m_mailer{"MAILER"};
  SavedVariable m_captureVariable{"VARNO_MAIL_CAPTURE"};
  layer::testing::TempFolder m_folder;
  std::string m_capture;
  LPMAPISENDMAIL m_send = nullptr;
};

TEST_F(StandInComposer, TheOrderMailReachesTheComposer) {
  m_folder.Write("temp/V4Order.txt", "A1\t2\tBolt\r\n");
  char subject[] = "Bestellung f\xfcr Rasenm\xe4her";
  char body[] = "Bestellung\r\n\r\nH\xe4ndler :\r\nFirma M\xfcller \\c\\t\r\n ";
  char dealer[] = "haendler@example.com";
  char supplier[] = "lieferant@example.com";
  char path[] = "M:\\TEMP\\v4order.txt";
  char shown[] = "Order.txt";
  MapiRecipDesc originator{0, MAPI_ORIG, dealer, nullptr, 0, nullptr};
  MapiRecipDesc recipient{0, MAPI_TO, supplier, nullptr, 0, nullptr};
  MapiFileDesc attachment{0, 0, static_cast<ULONG>(sizeof body - 2), path, shown, nullptr};
  MapiMessage message{0, subject, body, nullptr, nullptr, nullptr, 0, &originator, 1, &recipient, 1, &attachment};

  std::string url;
  auto [result, returnedFirst] = Send(message, url);
  EXPECT_EQ(result, SUCCESS_SUCCESS);
  EXPECT_TRUE(returnedFirst) << "MAPISendMail waited for the composer";
  auto fields = MailtoFields(url);
  EXPECT_EQ(fields["to"], "lieferant@example.com") << url;
  EXPECT_EQ(fields["subject"], "Bestellung f\xc3\xbcr Rasenm\xc3\xa4her");
  EXPECT_EQ(fields["body"], "Bestellung\r\n\r\nH\xc3\xa4ndler :\r\nFirma M\xc3\xbcller \\c\\t\r\n ");
  EXPECT_EQ(fields.count("cc"), 0u);
  // The receiver sees the attachment under the name the message gives it.
  std::filesystem::path attached = fields["attach"];
  EXPECT_EQ(attached.filename(), "Order.txt");
  std::ifstream copy(attached, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copy), {}), "A1\t2\tBolt\r\n");
}

TEST_F(StandInComposer, CopiesBlindCopiesAndAddresses) {
  m_folder.Write("list.txt", "x");
  char to[] = "Lieferant";
  char toAddress[] = "SMTP:lieferant@example.com";
  char copy[] = "kopie@example.com";
  char blind[] = "blind@example.com";
  char path[] = "M:\\list.txt";
  MapiRecipDesc recipients[] = {{0, MAPI_TO, to, toAddress, 0, nullptr},
                                {0, MAPI_CC, copy, nullptr, 0, nullptr},
                                {0, MAPI_BCC, nullptr, blind, 0, nullptr}};
  MapiFileDesc attachment{0, 0, 0, path, nullptr, nullptr};
  MapiMessage message{0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 3, recipients, 1, &attachment};
  std::string url;
  auto [result, returnedFirst] = Send(message, url);
  EXPECT_EQ(result, SUCCESS_SUCCESS);
  EXPECT_TRUE(returnedFirst);
  auto fields = MailtoFields(url);
  EXPECT_EQ(fields["to"], "lieferant@example.com") << url;
  EXPECT_EQ(fields["cc"], "kopie@example.com");
  EXPECT_EQ(fields["bcc"], "blind@example.com");
  EXPECT_EQ(fields.count("subject"), 0u);  // empty texts are left out
  EXPECT_EQ(fields.count("body"), 0u);
  EXPECT_EQ(std::filesystem::canonical(fields["attach"]), std::filesystem::canonical(m_folder / "list.txt"));
}

TEST_F(StandInComposer, RefusedMessagesStartNoComposer) {
  m_folder.Write("present.txt", "x");
  std::filesystem::create_directory(m_folder / "folder");
  char name[] = "someone@example.com";
  char empty[] = "";
  char missing[] = "M:\\missing.txt";
  char folder[] = "M:\\folder";
  char present[] = "M:\\present.txt";
  MapiRecipDesc good{0, MAPI_TO, name, nullptr, 0, nullptr};
  MapiRecipDesc original{0, MAPI_ORIG, name, nullptr, 0, nullptr};
  MapiRecipDesc strange{0, 7, name, nullptr, 0, nullptr};
  MapiRecipDesc nameless{0, MAPI_TO, empty, nullptr, 0, nullptr};
  MapiFileDesc absent{0, 0, 0, missing, nullptr, nullptr};
  MapiFileDesc notAFile{0, 0, 0, folder, nullptr, nullptr};
  MapiFileDesc noPath{0, 0, 0, nullptr, nullptr, nullptr};
  MapiFileDesc fine{0, 0, 0, present, nullptr, nullptr};
  struct Case {
    const char* what;
    MapiMessage message;
    ULONG result;
  } cases[] = {
      {"recipients without records",
       {0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 2, nullptr, 0, nullptr},
       MAPI_E_INVALID_MESSAGE},
      {"files without records",
       {0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 1, &good, 1, nullptr},
       MAPI_E_INVALID_MESSAGE},
      {"originator among recipients",
       {0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 1, &original, 0, nullptr},
       MAPI_E_BAD_RECIPTYPE},
      {"unknown class",
       {0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 1, &strange, 0, nullptr},
       MAPI_E_BAD_RECIPTYPE},
      {"recipient without name",
       {0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 1, &nameless, 0, nullptr},
       MAPI_E_INVALID_RECIPS},
      {"missing attachment",
       {0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 1, &good, 1, &absent},
       MAPI_E_ATTACHMENT_NOT_FOUND},
      {"folder as attachment",
       {0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 1, &good, 1, &notAFile},
       MAPI_E_ATTACHMENT_NOT_FOUND},
      {"attachment without path",
       {0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 1, &good, 1, &noPath},
       MAPI_E_ATTACHMENT_NOT_FOUND},
  };
  for (Case& c : cases) EXPECT_EQ(m_send(0, 0, &c.message, MAPI_DIALOG, 0), c.result) << c.what;
  EXPECT_EQ(m_send(0, 0, nullptr, MAPI_DIALOG, 0), MAPI_E_INVALID_MESSAGE);

  // Without xdg-email there is no composer to hand the mail to.
  SavedVariable path("PATH");
  setenv("PATH", (m_folder / "folder").c_str(), 1);
  MapiMessage message{0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 1, &good, 1, &fine};
  EXPECT_EQ(m_send(0, 0, &message, MAPI_DIALOG, 0), MAPI_E_FAILURE);
}

}  // namespace
