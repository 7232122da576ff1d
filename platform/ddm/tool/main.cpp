#include <iostream>

#include "DdmTool.h"

int main(int argc, char** argv) { return ddm::RunDdmTool({argv + 1, argv + argc}, std::cout, std::cerr); }
