#include "VodContext.h"

#include <memory>

#include "VodFile.h"
#include "VodPictures.h"
#include "VodRenderer.h"
#include "VodReport.h"
#include "win32/Errors.h"
#include "win32/Locale.h"
#include "win32/ThreadLocal.h"

namespace vod {

bool g_loopBusy = false;
bool g_jobBusy = false;

namespace {

// The library's slot, taken when the library is loaded.
const DWORD g_slot = TlsAlloc();

thread_local VodContext* t_current = nullptr;

// Frees the thread's context when the thread ends, as the library's thread
// detach does.
struct ThreadDetach {
  ~ThreadDetach() {
    auto* context = static_cast<VodContext*>(TlsGetValue(g_slot));
    TlsSetValue(g_slot, nullptr);
    delete context;
  }
};

VodContext* ThreadContext() {
  if (g_slot == TLS_OUT_OF_INDEXES) return nullptr;
  auto* context = static_cast<VodContext*>(TlsGetValue(g_slot));
  if (!context) {
    thread_local ThreadDetach detach;
    context = new VodContext();
    TlsSetValue(g_slot, context);
  }
  return context;
}

}  // namespace

VodContext::VodContext() : model(*this) {
  languageOffset = PRIMARYLANGID(GetUserDefaultLangID()) == LANG_GERMAN ? 0 : 500;
  renderPage = [](VodContext& context, bool fromData) { return VodRenderer(context).DruckAll(fromData); };
  pictures = MakePictures(*this);
}

VodContext::~VodContext() { arena.FreeAll(); }

void VodContext::ResetJob() {
  terminator = "END";
  testMode = false;
  dropTitleForms = false;
  counters = VodCounters{};
  settings = VodSettingsValues{};
  model.Reset();
  formMode = 0;
  firstFormName.clear();
  secondFormName.clear();
  orientation = 1;
  paper = 4;
  resolutionX = resolutionY = 300;
  page = PageMetrics{};
  drawing.Reset();
  drawing.offset = POINT{0, 0};
  pageState = VodPageState{};
  printer.FreeDialogData();
  pictures->Release(*this);
}

void VodContext::EndJob() {
  model.Reset();
  graphicObjects.FreeAll();
  std::string freed = arena.FreeAll() + graphics.FreeAll();
  if (!freed.empty()) WriteVodKey(*this, nullptr, "Memory", freed.c_str());
}

void* VodContext::ArenaAlloc(size_t n) {
  void* p = arena.Alloc(n);
  if (!p && arena.LastFailure().text) {
    ReportInternalError(*this, arena.LastFailure().text, arena.LastFailure().code);
    jobState = kJobError;
  }
  return p;
}

void VodContext::ArenaFree(void* p) {
  if (!arena.Free(p)) {
    ReportInternalError(*this, arena.LastFailure().text, arena.LastFailure().code);
    jobState = kJobError;
  }
}

void* VodContext::GrafAlloc(size_t n) {
  void* p = graphics.Alloc(n);
  if (!p && graphics.Failure()) {
    ReportInternalError(*this, graphics.Failure(), static_cast<int>(GetLastError()));
    jobState = kJobError;
  }
  return p;
}

void VodContext::GrafFree(void* p) {
  if (!graphics.Free(p)) {
    ReportInternalError(*this, graphics.Failure(), 0);
    jobState = kJobError;
  }
}

VodContext* EnterContext() {
  VodContext* context = ThreadContext();
  if (!context) return nullptr;
  if (context->depth < static_cast<int>(context->savedContexts.size()))
    context->savedContexts[context->depth] = t_current;
  ++context->depth;
  t_current = context;
  return context;
}

void LeaveContext() {
  VodContext* context = t_current;
  if (!context || context->depth == 0) return;
  --context->depth;
  if (context->depth < static_cast<int>(context->savedContexts.size()))
    t_current = context->savedContexts[context->depth];
}

VodContext* CurrentContext() { return t_current; }

}  // namespace vod
