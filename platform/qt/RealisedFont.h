// A font object of the layer as Qt draws it, made once per font (not for the
// system's code).
#pragma once

#include <QFont>
#include <QRawFont>
#include <QString>
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

 private:
  std::unique_ptr<QRawFont> m_raw;
};

std::shared_ptr<RealisedFont> Realise(Font& font);

// Windows-1252 text as Qt's text.
QString ToQt(const char* text, int length);

// Advances of each character of a text in a font.
std::vector<int> Advances(const RealisedFont& font, const QString& text);

}  // namespace layer
