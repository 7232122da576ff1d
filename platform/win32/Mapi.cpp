#include "win32/Mapi.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "win32/Codepage.h"
#include "win32/Mbstring.h"
#include "win32/Paths.h"

extern char** environ;

namespace {

// Starts xdg-email in a session of its own through a shell that ends at
// once, so the composer outlives nothing of this program and leaves no
// child behind; 127 from the shell means there is no xdg-email.
bool StartComposer(const std::vector<std::string>& arguments) {
  // xdg-email is a shell script that passes texts through "echo": run by
  // bash, whose echo leaves backslashes alone, a "\c" in the text cannot cut it.
  static const char kScript[] =
      "mailer=$(command -v xdg-email) || exit 127\n"
      "shell=$(command -v bash) || shell=sh\n"
      "\"$shell\" \"$mailer\" \"$@\" </dev/null >/dev/null 2>&1 &\n";
  std::vector<std::string> words{"sh", "-c", kScript, "varno-mail"};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t shell = 0;
  int failed = posix_spawn(&shell, "/bin/sh", nullptr, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  if (failed != 0) return false;
  int status = 0;
  while (waitpid(shell, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string Text(LPCSTR text) { return text ? layer::Cp1252ToUtf8(text) : ""; }

// xdg-email writes each line end as CR LF itself.
std::string MailText(LPCSTR text) {
  std::string out;
  for (char c : Text(text))
    if (c != '\r') out += c;
  return out;
}

std::string AddressOf(const MapiRecipDesc& recipient) {
  std::string_view address = recipient.lpszAddress ? recipient.lpszAddress : "";
  if (address.size() >= 5 && _mbsnbicmp(reinterpret_cast<const unsigned char*>(address.data()),
                                        reinterpret_cast<const unsigned char*>("SMTP:"), 5) == 0)
    address.remove_prefix(5);
  if (address.empty()) return Text(recipient.lpszName);
  return layer::Cp1252ToUtf8(address);
}

std::string BaseName(std::string_view path) {
  size_t cut = path.find_last_of("\\/");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

// The host path of the file to attach under the name the receiver is to
// see: the file itself, or a copy of that name in a folder of its own.
ULONG AttachmentPath(const MapiFileDesc& file, std::string& hostPath) {
  if (!file.lpszPathName || !*file.lpszPathName) return MAPI_E_ATTACHMENT_NOT_FOUND;
  hostPath = layer::HostPath(file.lpszPathName);
  struct stat st;
  if (stat(hostPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return MAPI_E_ATTACHMENT_NOT_FOUND;
  if (access(hostPath.c_str(), R_OK) != 0) return MAPI_E_ATTACHMENT_OPEN_FAILURE;
  std::string wanted = layer::Cp1252ToUtf8(BaseName(file.lpszFileName ? file.lpszFileName : ""));
  if (wanted.empty() || wanted == "." || wanted == ".." || wanted == BaseName(hostPath)) return SUCCESS_SUCCESS;
  std::string folder = (std::filesystem::temp_directory_path() / "varno-mail-XXXXXX").string();
  std::error_code error;
  if (!mkdtemp(folder.data()) || !std::filesystem::copy_file(hostPath, folder + "/" + wanted, error))
    return MAPI_E_ATTACHMENT_WRITE_FAILURE;
  hostPath = folder + "/" + wanted;
  return SUCCESS_SUCCESS;
}

}  // namespace

ULONG MAPISendMail(LHANDLE, ULONG_PTR, lpMapiMessage message, FLAGS, ULONG) {
  if (!message || (message->nRecipCount && !message->lpRecips) || (message->nFileCount && !message->lpFiles))
    return MAPI_E_INVALID_MESSAGE;
  std::vector<std::string> arguments{"--utf8"};
  // xdg-email takes no empty texts: an empty subject or text is left out.
  if (std::string subject = MailText(message->lpszSubject); !subject.empty())
    arguments.insert(arguments.end(), {"--subject", subject});
  if (std::string body = MailText(message->lpszNoteText); !body.empty())
    arguments.insert(arguments.end(), {"--body", body});
  for (ULONG i = 0; i < message->nRecipCount; ++i) {
    const MapiRecipDesc& recipient = message->lpRecips[i];
    static const char* const kOptions[] = {nullptr, "--to", "--cc", "--bcc"};
    if (recipient.ulRecipClass < MAPI_TO || recipient.ulRecipClass > MAPI_BCC) return MAPI_E_BAD_RECIPTYPE;
    std::string address = AddressOf(recipient);
    if (address.empty()) return MAPI_E_INVALID_RECIPS;
    arguments.insert(arguments.end(), {kOptions[recipient.ulRecipClass], address});
  }
  for (ULONG i = 0; i < message->nFileCount; ++i) {
    std::string path;
    if (ULONG result = AttachmentPath(message->lpFiles[i], path); result != SUCCESS_SUCCESS) return result;
    arguments.insert(arguments.end(), {"--attach", path});
  }
  return StartComposer(arguments) ? SUCCESS_SUCCESS : MAPI_E_FAILURE;
}
