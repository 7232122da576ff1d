// A font object of the layer as Qt draws it, made once per font (not for the
// system's code).
#pragma once

#include <QFont>
#include <QRawFont>
#include <QString>
#include <array>
#include <atomic>
#include <memory>
#include <vector>

#include "win32/GdiObjects.h"

namespace layer {

struct RealisedFont {
  QFont font;
  int ascent = 0;
  int descent = 0;
  int internalLeading = 0;
  int externalLeading = 0;
  int averageWidth = 0;
  int maxWidth = 0;
  int Height() const { return ascent + descent; }
  // The glyphs for vector output, made when first asked for.
  const QRawFont& Raw();
  // The advance of one character; those of the first 256 are measured once.
  int Advance(QChar c) const;

 private:
  std::unique_ptr<QRawFont> m_raw;
  // The advance plus 1, 0 until measured; a font may be measured on more
  // than one thread.
  mutable std::array<std::atomic<int>, 256> m_advances{};
};

std::shared_ptr<RealisedFont> Realise(Font& font);

// Windows-1252 text as Qt's text.
QString ToQt(const char* text, int length);

// Advances of each character of a text in a font.
std::vector<int> Advances(const RealisedFont& font, const QString& text);

}  // namespace layer
