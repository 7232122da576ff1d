// The per-thread state of the library: one context per calling thread, kept
// in a thread-local slot and made current between EnterContext and
// LeaveContext by every entry into the library.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "VodArena.h"
#include "VodDrawing.h"
#include "VodFile.h"
#include "VodFormModel.h"
#include "VodGraphicObjects.h"
#include "VodGraphicPool.h"
#include "VodPageTarget.h"
#include "VodPictureHook.h"
#include "VodPrinter.h"
#include "VodRasterBands.h"
#include "VodSettings.h"
#include "VodUnits.h"
#include "interfaces/QorVod32.h"
#include "win32/Types.h"

namespace vod {

// Job states.
constexpr WORD kJobRunning = 0;
constexpr WORD kJobPrinted = 1;
constexpr WORD kJobError = 2;
constexpr WORD kJobCancelled = 3;
constexpr WORD kJobStopped = 5;

// Page counters of a job; all start at 1.
struct VodCounters {
  LONG lp = 1, pp = 1, sp = 1, cp = 1, cpinc = 1, dp = 1;
  LONG further1 = 1, further2 = 1;
};

// Where the page output stands.
struct VodPageState {
  bool newPagePending = true;  // the next drawing begins a page
  bool dataDone = true;        // every queued record is drawn
  int recordsOnPage = 0;
  // Height kept free below the text of static frames, in form units.
  int staticAllowance = 0;
};

// One open script of the INCLUDE chain.
struct VodScriptLevel {
  std::string name;
  std::unique_ptr<VodFile> file;
  int line = 0;
  bool deleteAfterPrint = false;
};

class VodContext {
 public:
  VodContext();
  ~VodContext();
  VodContext(const VodContext&) = delete;
  VodContext& operator=(const VodContext&) = delete;

  // Saved current contexts of nested entries.
  std::array<VodContext*, 8> savedContexts{};
  int depth = 0;

  std::string iniPath;  // empty: not initialised
  bool iniPathCompleted = false;
  HWND owner = nullptr;
  HWND printDialog = nullptr;
  HWND asyncDialog = nullptr;
  WORD jobState = kJobRunning;
  bool loopRunning = false;
  bool stopAfterPage = false;
  // The cancel button (or the preview's closing) was pressed while the
  // statement loop ran: the dialog goes when the loop has ended.
  bool cancelPending = false;
  int languageOffset = 0;  // 0 German, 500 English
  VodCallback callback = nullptr;
  WORD animationTick = 0;
  int pumpCounter = 0;
  std::string lastError;  // up to 128 characters
  std::string formName;
  VodSettingsValues settings;
  // The printer of the jobs and the print dialog's data.
  VodPrinter printer{*this};
  // The preview window of a job that shows its pages on the screen.
  HWND previewWindow = nullptr;
  // The caller's context that VOD_Print_Sync_HDC draws on.
  HDC callerDC = nullptr;
  bool useCallerDC = false;

  // Output settings of the job as the form file and the settings give them.
  WORD orientation = 1;  // non-zero portrait
  WORD paper = 4;        // 4 A4, else A3
  int resolutionX = 300, resolutionY = 300;
  // Page metrics: the form's extent in form units and the page in pixels.
  PageMetrics page;

  // The VOD language's job state.
  std::string scriptPath;
  std::vector<VodScriptLevel> scripts;  // the running script and its INCLUDEs
  std::string terminator = "END";
  bool testMode = false;
  bool dropTitleForms = false;
  VodCounters counters;
  int formMode = 0;  // 1 one form, 2 EVEN/ODD, 3 TITLE and BODY
  std::string firstFormName, secondFormName;

  VodArena arena;
  VodGraphicPool graphics;
  VodGraphicObjects graphicObjects{*this};
  VodFormModel model;

  // The page output: the drawing on the page's contexts, the band writer of
  // one-bit pictures, where pages go and how pictures are drawn.
  VodDrawing drawing{*this};
  VodRasterBands rasterRows{*this};
  std::unique_ptr<VodPageTarget> pageTarget;
  std::unique_ptr<VodPictureHook> pictures;
  VodPageState pageState;

  // Draws the collected page (fromData: called because data no longer fits);
  // true when the page was drawn. The page renderer unless replaced.
  std::function<bool(VodContext&, bool fromData)> renderPage;

  // Resets every job field (LoadSettings runs this before reading the keys).
  void ResetJob();
  // Empties the form model and frees the arena and the graphic blocks; notes
  // the blocks still held in "Memory".
  void EndJob();
  // Arena requests and releases of the job; failures are reported and set
  // the job state to error.
  void* ArenaAlloc(size_t n);
  void ArenaFree(void* p);
  // Graphic blocks of the job, with the same reporting.
  void* GrafAlloc(size_t n);
  void GrafFree(void* p);
};

// The thread's context made current (created on first use), or null when
// none can be had. Every EnterContext is matched by a LeaveContext.
VodContext* EnterContext();
void LeaveContext();
// The context in force on this thread, or null outside the library.
VodContext* CurrentContext();

class ContextScope {
 public:
  ContextScope() : m_context(EnterContext()) {}
  ~ContextScope() { LeaveContext(); }
  ContextScope(const ContextScope&) = delete;
  ContextScope& operator=(const ContextScope&) = delete;
  VodContext* operator->() const { return m_context; }
  VodContext* get() const { return m_context; }

 private:
  VodContext* m_context;
};

// Library-wide busy flags: a statement loop runs; a job, its dialog or a
// printer choice is open.
extern bool g_loopBusy;
extern bool g_jobBusy;

}  // namespace vod
