// Reading a whole file into one buffer, as the catalogue's description,
// rules and button files are read.
#pragma once

#include "foundation/CDynBuf.h"

enum class FileRead { Done, Missing, NotOpened, Short };

// The file's bytes in content, with one spare byte of room behind them.
FileRead ReadFileBytes(const char* path, CDynBuf& content);
