// The parts-info library QORV4TIF: the eleven exported TIF_* functions, the
// command record that travels through the order-list program's queue and the
// two messages that reach the library. Importers bind the functions by
// ordinal on the platform; each function's ordinal is given beside it.
//
// Records:
// - OrderLines: one or more lines, each as many NUL-ended fields as the
//   library has columns, then one more NUL.
// - TifTextRequest: the answering window's handle in 4 bytes (low byte
//   first), the part key NUL-ended, then a second string the library skips.
// - TifOrderAnswer (WM_COPYDATA code 17 to the order window): the ordered
//   line's fields, each NUL-ended; while prices are on the price ("%d"),
//   NUL, the VAT group ("%d"), NUL, the discount group, NUL; a closing NUL.
// - The text answer (code 13 to the requesting window): the text and a NUL.
#pragma once

#include <bit>
#include <cstdint>

#include "mfc/CString.h"
#include "win32/Types.h"
#include "win32/UserTypes.h"

class CDynBuf;

// Made by TIF_NewCommand and freed by the library once it has handled it.
struct TifCommand {
  int32_t tag;    // TIF_COMMAND_SHOW or TIF_COMMAND_ORDER
  char* data;     // the library's own copy of an OrderLines block
  int32_t length; // bytes at data
};

enum TifCommandTag { TIF_COMMAND_SHOW = 0, TIF_COMMAND_ORDER = 1 };

// Registered by the library when it is loaded and by the order-list program
// at its start; posted to a thread with the block's length in wParam and the
// TifCommand* in lParam.
#define PROTOCOL_TO_TIF_CMD_NAME "PROTOCOL_TO_TIF_CMD"
// The thread message (window NULL, both parameters 0) that has the pending
// text request answered.
#define TIF_TEXT_REQUEST_MSG 10u

#define QORV4TIF_API extern "C" __attribute__((visibility("default")))

QORV4TIF_API int TIF_PreTranslateMessage(MSG* msg);                                           // 1
QORV4TIF_API TifCommand* TIF_NewCommand(const char* data, int length, int tag);               // 2
QORV4TIF_API void TIF_Init(int columnCount, const char* columnTitles, HWND orderWindow, int quantityField,
                           int keyField, const char* homeDir, const char* programLanguage,
                           const char* catalogueDir, const char* userDir);                     // 3
QORV4TIF_API void TIF_SetColumnTitles(const char* columnTitles, const char* programLanguage);  // 4
QORV4TIF_API void TIF_LoadDictionaries(const char* textsByNumberFile, const char* textsByKeyFile); // 5
QORV4TIF_API void TIF_SetDataLanguage(const char* language);                                  // 6
QORV4TIF_API void TIF_OpenPartsDatabase(const char* path);                                    // 7
QORV4TIF_API void TIF_SetTextRequest(const CDynBuf* request);                                 // 8
// The factor travels as two 32-bit halves, low half first, as the platform's
// 32-bit callers push a double.
QORV4TIF_API void TIF_OpenPriceDatabase(const CString* path, const char* currency1, const char* currency2,
                                        int decimals1, int decimals2, int secondCurrency, uint32_t factorLow,
                                        uint32_t factorHigh);                                  // 9
QORV4TIF_API void TIF_SetVatRate(uint32_t rateLow, uint32_t rateHigh, int decimals, int index, int count); // 10
QORV4TIF_API void TIF_SetPartChecks(int orderFlagField, int partMustExist, int checkOrderFlag); // 11

// The two halves of a double or a 64-bit value as the callers pass them.
inline void TifSplitDouble(double value, uint32_t& low, uint32_t& high) {
  const auto bits = std::bit_cast<uint64_t>(value);
  low = static_cast<uint32_t>(bits);
  high = static_cast<uint32_t>(bits >> 32);
}
inline double TifJoinDouble(uint32_t low, uint32_t high) {
  return std::bit_cast<double>(static_cast<uint64_t>(high) << 32 | low);
}
inline int64_t TifJoinLong(uint32_t low, uint32_t high) {
  return static_cast<int64_t>(static_cast<uint64_t>(high) << 32 | low);
}
