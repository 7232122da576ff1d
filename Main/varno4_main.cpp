// The viewer's one application object and the program's entry.
#include "Main/varno4.h"

namespace {
CViewerApp theApp;
}  // namespace

int main(int argc, char** argv) { return AfxRunProgram(argc, argv); }
