// The exported functions: each works in the library's own resources and
// forwards to one member of the application object. A class-library
// exception thrown inside is dropped, and a function with a result gives 0.
#include "interfaces/QORV4TIF.h"

#include "mfc/CException.h"
#include "partsinfo/CPartsInfoApp.h"
#include "win32/Module.h"

namespace {

CPartsInfoApp theApp;

// The library's counterpart of the platform's module-state switch: dialogs
// and other resources are taken from this library while one of its
// functions runs.
class LibraryResources {
 public:
  LibraryResources() : m_previous(AfxGetResourceHandle()) {
    if (HMODULE module = GetModuleHandle("QORV4TIF.dll")) AfxSetResourceHandle(module);
  }
  ~LibraryResources() { AfxSetResourceHandle(m_previous); }
  LibraryResources(const LibraryResources&) = delete;
  LibraryResources& operator=(const LibraryResources&) = delete;

 private:
  HINSTANCE m_previous;
};

template <typename Result, typename Work>
Result Guarded(Work work) {
  LibraryResources resources;
  try {
    return work();
  } catch (CException* exception) {
    exception->Delete();
    return Result{};
  }
}

template <typename Work>
void GuardedVoid(Work work) {
  Guarded<int>([&] {
    work();
    return 0;
  });
}

}  // namespace

int TIF_PreTranslateMessage(MSG* msg) {
  return Guarded<int>([&] { return theApp.PreTranslate(msg); });
}

TifCommand* TIF_NewCommand(const char* data, int length, int tag) {
  return Guarded<TifCommand*>([&] { return CPartsInfoApp::NewCommand(data, length, tag); });
}

void TIF_Init(int columnCount, const char* columnTitles, HWND orderWindow, int quantityField, int keyField,
              const char* homeDir, const char* programLanguage, const char* catalogueDir, const char* userDir) {
  GuardedVoid([&] {
    theApp.Init(columnCount, columnTitles, orderWindow, quantityField, keyField, homeDir, programLanguage,
                catalogueDir, userDir);
  });
}

void TIF_SetColumnTitles(const char* columnTitles, const char* programLanguage) {
  GuardedVoid([&] { theApp.SetColumnTitles(columnTitles, programLanguage); });
}

void TIF_LoadDictionaries(const char* textsByNumberFile, const char* textsByKeyFile) {
  GuardedVoid([&] { theApp.LoadDictionaries(textsByNumberFile, textsByKeyFile); });
}

void TIF_SetDataLanguage(const char* language) {
  GuardedVoid([&] { theApp.SetDataLanguage(language); });
}

void TIF_OpenPartsDatabase(const char* path) {
  GuardedVoid([&] { theApp.OpenPartsDatabase(path); });
}

void TIF_SetTextRequest(const CDynBuf* request) {
  GuardedVoid([&] { theApp.SetTextRequest(request); });
}

void TIF_OpenPriceDatabase(const CString* path, const char* currency1, const char* currency2, int decimals1,
                           int decimals2, int secondCurrency, uint32_t factorLow, uint32_t factorHigh) {
  GuardedVoid([&] {
    theApp.OpenPriceDatabase(path, currency1, currency2, decimals1, decimals2, secondCurrency,
                             TifJoinDouble(factorLow, factorHigh));
  });
}

void TIF_SetVatRate(uint32_t rateLow, uint32_t rateHigh, int decimals, int index, int count) {
  GuardedVoid([&] { theApp.SetVatRate(TifJoinLong(rateLow, rateHigh), decimals, index, count); });
}

void TIF_SetPartChecks(int orderFlagField, int partMustExist, int checkOrderFlag) {
  GuardedVoid([&] { theApp.SetPartChecks(orderFlagField, partMustExist, checkOrderFlag); });
}
