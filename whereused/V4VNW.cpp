// The where-used program's one application object and its entry.
#include "whereused/CWhereUsedApp.h"

namespace {
CWhereUsedApp theApp;
}  // namespace

int main(int argc, char** argv) { return AfxRunProgram(argc, argv); }
