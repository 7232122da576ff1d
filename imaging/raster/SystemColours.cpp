#include "imaging/raster/SystemColours.h"

namespace {

const PALETTEENTRY kFirstTen[10] = {{0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},
                                    {0, 0, 128, 0},     {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0},
                                    {192, 220, 192, 0}, {166, 202, 240, 0}};
const PALETTEENTRY kLastTen[10] = {{255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},
                                   {0, 255, 0, 0},     {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},
                                   {0, 255, 255, 0},   {255, 255, 255, 0}};

}  // namespace

PALETTEENTRY SystemColour(int entry) {
  if (entry >= 0 && entry < 10) return kFirstTen[entry];
  if (entry >= 246 && entry < 256) return kLastTen[entry - 246];
  return PALETTEENTRY{0, 0, 0, 0};
}

void PutSystemColours(PALETTEENTRY* palette, BYTE flags) {
  for (int i = 0; i < 10; ++i) {
    palette[i] = kFirstTen[i];
    palette[246 + i] = kLastTen[i];
    palette[i].peFlags = palette[246 + i].peFlags = flags;
  }
}
