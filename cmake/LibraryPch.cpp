// The library that makes the libraries' shared precompiled header; it holds
// no code of its own.
#include <string>
