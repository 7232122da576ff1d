// Multibyte string comparisons of the C runtime. The code page is Windows-1252,
// which has no lead bytes, so every character is one byte; case is folded by
// Windows-1252's rules.
#pragma once

#include <cstddef>

int _mbscmp(const unsigned char* a, const unsigned char* b);
int _mbsicmp(const unsigned char* a, const unsigned char* b);
// Compares at most count bytes without regard to case.
int _mbsnbicmp(const unsigned char* a, const unsigned char* b, std::size_t count);
int _mbsnbcmp(const unsigned char* a, const unsigned char* b, std::size_t count);
unsigned char* _mbsupr(unsigned char* text);
unsigned char* _mbslwr(unsigned char* text);

// The byte-string forms the system also calls (same rules).
int _stricmp(const char* a, const char* b);
int _strnicmp(const char* a, const char* b, std::size_t count);
char* _strupr(char* text);
char* _strlwr(char* text);
