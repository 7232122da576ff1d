// The order-list program's entry: its parts-info calls go to the parts-info
// library, then its application object starts.
#include "orderlist/CProtocolApp.h"
#include "orderlist/PartsInfoLibrary.h"

int main(int argc, char** argv) {
  BindPartsInfoLibrary();
  CProtocolApp theApp;
  return AfxRunProgram(argc, argv);
}
