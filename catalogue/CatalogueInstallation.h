// Opens an installation of the catalogue as the viewer's start-up does,
// without windows: the single objects, the configuration with its variables
// and rules, the button files and settings, the databases; then renders keys.
#pragma once

#include <string>

#include "Main/varno4.h"
#include "foundation/CDynBuf.h"

namespace varno::catalogue {

class Installation {
 public:
  // folder: the application folder; userFolder: the user's folder, where the
  // user settings and the copy of each rendered stream go.
  Installation(const std::string& folder, const std::string& userFolder);
  ~Installation();
  Installation(const Installation&) = delete;
  Installation& operator=(const Installation&) = delete;

  // The configuration, rules, buttons, settings and databases; false at the
  // first failure, with its error-trace node left.
  bool Load();
  // Renders a key of the current project ("project~key" or "key").
  bool Render(const std::string& key, CDynBuf& stream);
  // Switches the data language, as the language menu does.
  void SetDataLanguage(const char* language);

  CViewerApp app;

 private:
  void OpenDatabases();
  void CloseDatabases();
};

}  // namespace varno::catalogue
