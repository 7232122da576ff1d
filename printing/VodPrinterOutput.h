// Pages to a printer: the document is started on the first page, each page
// is drawn into a metafile and played onto the printer (or drawn directly
// in NoMetaFile mode), the spooler's results are reported, and the document
// is ended, or aborted when the job failed.
#pragma once

#include <string>

#include "VodPageOutput.h"

namespace vod {

class VodPrinterOutput : public VodPageOutput {
 public:
  bool Open(VodContext& context) override;
  bool BeginPage(VodContext& context) override;
  bool OutputPage(VodContext& context) override;
  void Close(VodContext& context) override;

 private:
  bool TakeDevice(VodContext& context);
  // Turns the printer to the orientation of the form in use, between pages;
  // the page metrics follow. True when it was turned.
  bool TurnToForm(VodContext& context);
  bool StartDocument(VodContext& context);
  // Reports a spooler result below zero; false for those.
  bool SpoolerResult(VodContext& context, int result);
  void ReleaseDC(VodContext& context);

  bool m_direct = false;
  bool m_pageStarted = false;
  bool m_documentStarted = false;
};

// The document name of a script: "VOD: " and the path, shortened to fit
// 31 characters, always ending with the script's file name.
std::string DocumentName(const std::string& script);
// The name a job's document goes by: the title of the window that printed
// it, as the person sees the document there; without one the script's
// document name. A PDF file is named after it.
std::string DocumentTitle(HWND owner, const std::string& script);
// The print file of a script printed to a file: the folder of key
// OutputPfad (else the script's own) and the file name with ".prn".
std::string PrintFileName(const std::string& script, std::string folder);

}  // namespace vod
