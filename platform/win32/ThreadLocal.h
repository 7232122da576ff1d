// Thread-local storage slots: a process-wide index whose value is private to
// every thread. A slot's value starts as null in every thread.
#pragma once

#include "win32/Types.h"

#define TLS_OUT_OF_INDEXES 0xFFFFFFFFu

DWORD TlsAlloc();
BOOL TlsFree(DWORD index);
LPVOID TlsGetValue(DWORD index);
BOOL TlsSetValue(DWORD index, LPVOID value);
