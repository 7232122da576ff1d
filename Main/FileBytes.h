// Reading a whole file into one buffer, as the catalogue's description,
// rules and button files are read, and writing one whole.
#pragma once

#include "foundation/CDynBuf.h"

enum class FileRead { Done, Missing, NotOpened, Short };

// The file's bytes in content, with one spare byte of room behind them.
FileRead ReadFileBytes(const char* path, CDynBuf& content);

// Writes content as the whole file. It goes to a new file beside the old one
// first, which takes the old one's place only once it is complete: a failure
// leaves the old file as it was. FALSE when it could not be written.
BOOL WriteFileReplacing(const char* path, const CDynBuf& content);
