// The program that makes the test programs' shared precompiled header; it
// runs no test of its own.
#include <gtest/gtest.h>
