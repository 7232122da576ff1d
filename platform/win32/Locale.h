// The user's locale as the platform reports it. The host's locale variables
// (LC_ALL, LC_MESSAGES, LANG, in that order) name the language: "de..." is
// German (Germany), anything else English (United States).
#pragma once

#include "win32/Types.h"

typedef DWORD LCID;
typedef WORD LANGID;

#define LANG_NEUTRAL 0x00
#define LANG_GERMAN 0x07
#define LANG_ENGLISH 0x09
#define SUBLANG_DEFAULT 0x01
#define MAKELANGID(primary, sub) ((static_cast<WORD>(sub) << 10) | static_cast<WORD>(primary))
#define PRIMARYLANGID(lang) (static_cast<WORD>(lang) & 0x3FF)
#define LANGIDFROMLCID(lcid) (static_cast<WORD>(lcid))

LCID GetUserDefaultLCID();
LANGID GetUserDefaultLangID();
