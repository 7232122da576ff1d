// The system's message table: the text of a platform error code, as
// FormatMessage gives it with FORMAT_MESSAGE_FROM_SYSTEM.
#pragma once

#include "win32/Locale.h"
#include "win32/Types.h"

#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100u
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200u
#define FORMAT_MESSAGE_FROM_STRING 0x00000400u
#define FORMAT_MESSAGE_FROM_HMODULE 0x00000800u
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000u
#define FORMAT_MESSAGE_ARGUMENT_ARRAY 0x00002000u
#define FORMAT_MESSAGE_MAX_WIDTH_MASK 0x000000FFu


// Only FORMAT_MESSAGE_FROM_SYSTEM is served; the language is ignored (the
// table is English). Copies the text, ending in "\r\n", into buffer and
// returns its length without the zero byte; 0 with ERROR_MR_MID_NOT_FOUND
// for an unknown code, ERROR_INSUFFICIENT_BUFFER when it does not fit.
DWORD FormatMessage(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer, DWORD size,
                    void* arguments);

#define ERROR_MR_MID_NOT_FOUND 317L
