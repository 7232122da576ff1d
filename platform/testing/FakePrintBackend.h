// A desktop with one laser printer of its own in place of the real one:
// documents are still written by the installed backend, but jobs for the
// laser printer are kept here (or refused) instead of reaching a queue.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "win32/PrintBackend.h"

namespace layer::testing {

class FakePrintBackend : public PrintBackend {
 public:
  struct Job {
    std::string queue;
    JobSettings settings;
    std::uintmax_t bytes;
  };

  FakePrintBackend() : m_real(InstallPrintBackend(this)) {}
  ~FakePrintBackend() override { InstallPrintBackend(m_real); }
  FakePrintBackend(const FakePrintBackend&) = delete;
  FakePrintBackend& operator=(const FakePrintBackend&) = delete;

  static PrinterDescription Laser() {
    PrinterDescription laser;
    laser.name = "Laser";
    laser.queue = "laser";
    laser.port = "CUPS:";
    laser.model = "Generic Laser";
    laser.location = "Lager 2";
    laser.color = false;
    laser.papers = {{DMPAPER_A4, 2100, 2970}, {DMPAPER_LETTER, 2159, 2794}};
    laser.resolutions = {300, 600};
    laser.defaultResolution = 600;
    laser.maxCopies = 99;
    laser.collates = true;
    laser.marginLeft = laser.marginRight = 40;  // 4 mm at the sides,
    laser.marginTop = 50;                       // 5 mm at the top,
    laser.marginBottom = 60;                    // 6 mm at the bottom
    return laser;
  }

  std::vector<PrinterDescription> SystemPrinters() override { return {Laser()}; }
  std::string SystemDefaultPrinter() override { return systemDefault; }
  std::unique_ptr<PageWriter> WriteDocument(const std::string& hostPath, const std::string& title) override {
    return m_real ? m_real->WriteDocument(hostPath, title) : nullptr;
  }
  bool Submit(const PrinterDescription& printer, const std::string& hostPath, const JobSettings& settings,
              std::string* reason) override {
    if (refuse) {
      *reason = "queue stopped";
      return false;
    }
    jobs.push_back(Job{printer.queue, settings, std::filesystem::file_size(hostPath)});
    return true;
  }
  std::string DocumentsFolder() override { return m_real ? m_real->DocumentsFolder() : "/tmp"; }

  std::string systemDefault = "Laser";
  bool refuse = false;
  std::vector<Job> jobs;

 private:
  PrintBackend* m_real;
};

}  // namespace layer::testing
