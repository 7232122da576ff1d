// Binds the program's parts-info calls to the parts-info library's exports.
// The program does it once at its start, before it sets the library up.
#pragma once

void BindPartsInfoLibrary();
