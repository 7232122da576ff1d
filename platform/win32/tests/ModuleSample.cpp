// A library for the module tests to load by its platform name.
#include "win32/Version.h"

VARNO_VERSION_INFO(
    "FileVersion=2, 7, 0, 13\n"
    "Translation=0407 04E4 0409 04B0\n"
    "FileDescription=Probe library\n");

extern "C" int SAMPLE_Answer() { return 42; }
