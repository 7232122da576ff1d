// The parts-info library's exported functions that the order-list program
// calls, as one table: the program binds the library's own functions, tests
// bind stand-ins that record what the library was told. A missing entry is
// not called.
#pragma once

#include <cstdint>

#include "win32/Types.h"

class CDynBuf;
class CString;
struct MSG;
struct TifCommand;

struct PartsInfoCalls {
  TifCommand* (*newCommand)(const char* data, int length, int tag) = nullptr;
  void (*setColumnTitles)(const char* columnTitles, const char* programLanguage) = nullptr;
  void (*loadDictionaries)(const char* textsByNumberFile, const char* textsByKeyFile) = nullptr;
  void (*setDataLanguage)(const char* language) = nullptr;
  void (*openPartsDatabase)(const char* path) = nullptr;
  void (*setTextRequest)(const CDynBuf* request) = nullptr;
  // The rate travels as two 32-bit halves, low half first.
  void (*setVatRate)(uint32_t rateLow, uint32_t rateHigh, int decimals, int index, int count) = nullptr;
  // 1 when the library took the message (its commands, its text requests).
  int (*preTranslateMessage)(MSG* message) = nullptr;
  // The factor travels as two 32-bit halves, low half first.
  void (*openPriceDatabase)(const CString* path, const char* currency1, const char* currency2, int decimals1,
                            int decimals2, int secondCurrency, uint32_t factorLow, uint32_t factorHigh) = nullptr;
  void (*setPartChecks)(int orderFlagField, int partMustExist, int checkOrderFlag) = nullptr;
  void (*init)(int columnCount, const char* columnTitles, HWND orderWindow, int quantityField, int keyField,
               const char* homeDir, const char* programLanguage, const char* catalogueDir,
               const char* userDir) = nullptr;
};

// The table the program's parts calls go through.
PartsInfoCalls& ThePartsInfoCalls();
