// Filling the picture's hotspot slots from the readers of DRF and TIFF files.
#pragma once

#include "interfaces/QridIMG.h"

// Appends text to a slot field of the given size, keeping its NUL.
void AppendSlotText(char* field, int fieldSize, const char* text, int length);

// The window rectangle of a DRF hotspot: its picture rectangle moved by the
// DRF hotspot offset and the zoom start.
RECT DrfWindowRect(const QORIMG_PICTURE* picture, const RECT& pictureRect);
