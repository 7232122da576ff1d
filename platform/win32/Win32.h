// Everything of the win32 part of the layer that the system's code calls.
#pragma once

#include "win32/Clock.h"
#include "win32/Codepage.h"
#include "win32/Errors.h"
#include "win32/Files.h"
#include "win32/Gdi.h"
#include "win32/GdiTypes.h"
#include "win32/KernelObjects.h"
#include "win32/Mbstring.h"
#include "win32/Memory.h"
#include "win32/Paths.h"
#include "win32/Types.h"
#include "win32/UserMessages.h"
#include "win32/UserTypes.h"
#include "win32/UserWindows.h"
