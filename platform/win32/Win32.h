// Everything of the win32 part of the layer that the system's code calls.
#pragma once

#include "win32/Clock.h"
#include "win32/Codepage.h"
#include "win32/Errors.h"
#include "win32/Files.h"
#include "win32/GdiTypes.h"
#include "win32/KernelObjects.h"
#include "win32/Mbstring.h"
#include "win32/Memory.h"
#include "win32/Paths.h"
#include "win32/ThreadLocal.h"
#include "win32/Locale.h"
#include "win32/ProgramFolders.h"
#include "win32/DebugOutput.h"
#include "win32/Types.h"
