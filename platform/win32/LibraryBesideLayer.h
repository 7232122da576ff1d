// The layer's backends (the screen's, the printers') are libraries of their
// own that the layer loads on first use from the folder it was loaded from.
#pragma once

#include <string>

namespace layer {

// The path of a library of that name beside the layer's own; the bare name
// (for the loader's search) when the layer's folder is unknown.
std::string LibraryBesideLayer(const char* library);

}  // namespace layer
