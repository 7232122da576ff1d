// The printer of the jobs: the one named in key "Device" of the caller's
// ini file, else the system's default, chosen in the print dialog unless
// NoDialog is set, and remembered in the ini file for the next job.
#pragma once

#include <optional>
#include <string>

#include "win32/CommDlg.h"
#include "win32/Types.h"

namespace vod {

class VodContext;

class VodPrinter {
 public:
  explicit VodPrinter(VodContext& context) : m_context(context) {}
  ~VodPrinter();
  VodPrinter(const VodPrinter&) = delete;
  VodPrinter& operator=(const VodPrinter&) = delete;

  // Whether a printer is known: key "Device" or the system's default.
  bool Known();
  // Opens the printer named by key "Device": its device mode set up for the
  // job and a context for it in dc; none when the key names none or the
  // driver refuses the settings (text 420).
  std::optional<DEVMODE> OpenConfigured(HDC& dc);
  // The printer context of a job; null when there is none (the job state
  // then says whether the user cancelled). The names are copied to the
  // buffers given (160 characters each).
  HDC Choose(char* device, char* driver, char* port);
  // Frees the stored print-dialog data.
  void FreeDialogData();
  // The device mode of the chosen printer (from the stored dialog data).
  std::optional<DEVMODE> ChosenMode() const;
  // The orientation of the form in use: portrait or landscape.
  short FormOrientation() const;
  // Turns the chosen printer's context to an orientation when its device
  // mode has another; true when it was turned (no page may be open).
  bool Turn(HDC dc, short orientation);

  std::string device, driver, port;
  bool printToFile = false;

 private:
  // Splits "device,driver,port"; false for anything else.
  bool TakeNames(const std::string& joined);
  std::string SystemDefault();
  void PrepareMode(DEVMODE& mode, bool forDialog);
  HDC ChooseOnce(bool& retry);
  // The names of the stored device-names block.
  void TakeDialogNames();
  // Keeps the names and settings of the chosen printer in the ini file.
  void Remember(HDC dc);
  void Clear(char* device, char* driver, char* port);

  VodContext& m_context;
  HGLOBAL m_devMode = nullptr;
  HGLOBAL m_devNames = nullptr;
};

}  // namespace vod
