// The picture's hotspot slots: their texts and where they lie in the window.
#pragma once

#include "interfaces/QridIMG.h"

// The slots in use: the hotspot count, kept within the table.
int UsedSlots(const QORIMG_PICTURE* picture);

// Appends text to a slot field of the given size, keeping its NUL.
void AppendSlotText(char* field, int fieldSize, const char* text, int length);

// Replaces a field's text with a text of at most sourceSize bytes that need
// not end in a NUL; the field keeps its own NUL.
void CopySlotText(char* field, int fieldSize, const char* text, int sourceSize);

// The window rectangle of a DRF hotspot: its picture rectangle moved by the
// DRF hotspot offset and the zoom start.
RECT DrfWindowRect(const QORIMG_PICTURE* picture, const RECT& pictureRect);

// Recomputes every used slot's window rectangle from its picture rectangle:
// scaled to the shown picture (a TIFF's scaled size, over the DRF size when
// there is one) times fx and fy, from the origin of the picture mode.
void PlaceHotspots(QORIMG_PICTURE* picture, double fx, double fy);
