#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "qt/GuiApplication.h"
#include "qt/RealisedFont.h"
#include "qt/ScreenCalls.h"
#include "win32/Codepage.h"
#include "win32/Gdi.h"
#include "win32/GdiStretch.h"
#include "win32/UserWindows.h"

namespace {

using layer::RealisedFont;

// The faces the system names, on the metric-compatible fonts that fontconfig has.
QString FamilyFor(const char* face) {
  std::string name(face);
  for (char& c : name) c = static_cast<char>(layer::Cp1252ToLower(static_cast<unsigned char>(c)));
  static const std::pair<const char*, const char*> families[] = {
      {"arial", "Liberation Sans"},       {"helvetica", "Liberation Sans"}, {"ms sans serif", "Liberation Sans"},
      {"system", "Liberation Sans"},      {"tahoma", "Liberation Sans"},    {"verdana", "Liberation Sans"},
      {"times new roman", "Liberation Serif"}, {"times", "Liberation Serif"}, {"ms serif", "Liberation Serif"},
      {"courier new", "Liberation Mono"}, {"courier", "Liberation Mono"},   {"fixedsys", "Liberation Mono"},
      {"terminal", "Liberation Mono"},    {"", "Liberation Sans"}};
  for (const auto& [from, to] : families) {
    if (name == from || (name.rfind(from, 0) == 0 && *from && name.size() > std::strlen(from) && name[std::strlen(from)] == ' '))
      return QString::fromLatin1(to);
  }
  return QString::fromUtf8(layer::Cp1252ToUtf8(face).c_str());
}

QFont MakeFont(const LOGFONTA& log, int pixelSize) {
  QFont font(FamilyFor(log.lfFaceName));
  font.setPixelSize(std::max(pixelSize, 1));
  font.setWeight(static_cast<QFont::Weight>(std::clamp<int>(log.lfWeight ? log.lfWeight : FW_NORMAL, 100, 900)));
  font.setItalic(log.lfItalic != 0);
  font.setUnderline(log.lfUnderline != 0);
  font.setStrikeOut(log.lfStrikeOut != 0);
  font.setKerning(false);  // a text is as wide as its characters' advances, as measured
  font.setStyleStrategy(log.lfQuality == NONANTIALIASED_QUALITY ? QFont::NoAntialias : QFont::PreferAntialias);
  return font;
}

}  // namespace

namespace layer {

const QRawFont& RealisedFont::Raw() {
  if (!m_raw) m_raw = std::make_unique<QRawFont>(QRawFont::fromFont(font));
  return *m_raw;
}

std::shared_ptr<RealisedFont> Realise(layer::Font& font) {
  if (font.realised) return std::static_pointer_cast<RealisedFont>(font.realised);
  layer::EnsureGuiApplication();
  const LOGFONTA& log = font.log;
  // Negative heights give the character height, positive ones the cell height.
  LONG height = log.lfHeight == 0 ? 16 : log.lfHeight;
  int pixelSize = static_cast<int>(height < 0 ? -height : height);
  QFont qfont = MakeFont(log, pixelSize);
  if (height > 0) {
    QFontMetrics trial(qfont);
    int cell = std::max(trial.ascent() + trial.descent(), 1);
    pixelSize = std::max(1, (pixelSize * pixelSize + cell / 2) / cell);
    qfont = MakeFont(log, pixelSize);
  }
  QFontMetrics metrics(qfont);
  auto realised = std::make_shared<RealisedFont>();
  realised->font = qfont;
  realised->ascent = metrics.ascent();
  realised->descent = metrics.descent();
  realised->internalLeading = std::max(realised->Height() - pixelSize, 0);
  realised->externalLeading = std::max(metrics.leading(), 0);
  realised->averageWidth = metrics.averageCharWidth();
  realised->maxWidth = metrics.maxWidth();
  font.realised = realised;
  return realised;
}

QString ToQt(const char* text, int length) {
  return QString::fromUtf8(layer::Cp1252ToUtf8(std::string_view(text, static_cast<std::size_t>(length))).c_str());
}

int RealisedFont::Advance(QChar c) const {
  if (c.unicode() >= m_advances.size()) return QFontMetrics(font).horizontalAdvance(c);
  std::atomic<int>& known = m_advances[c.unicode()];
  int advance = known.load(std::memory_order_relaxed) - 1;
  if (advance < 0) {
    advance = QFontMetrics(font).horizontalAdvance(c);
    known.store(advance + 1, std::memory_order_relaxed);
  }
  return advance;
}

std::vector<int> Advances(const RealisedFont& font, const QString& text) {
  std::vector<int> advances;
  advances.reserve(static_cast<std::size_t>(text.size()));
  for (QChar c : text) advances.push_back(font.Advance(c));
  return advances;
}

}  // namespace layer

namespace {

using layer::Advances;
using layer::Realise;
using layer::ToQt;

std::shared_ptr<RealisedFont> FontOf(layer::DeviceContext& context) {
  if (!context.state.font) return nullptr;
  return Realise(*context.state.font);
}

int Sum(const std::vector<int>& values) {
  int sum = 0;
  for (int v : values) sum += v;
  return sum;
}

// The glyphs of a text, each at the place its advances give it.
QGlyphRun GlyphRun(const RealisedFont& font, const QString& text, const std::vector<int>& advances) {
  const QRawFont& raw = const_cast<RealisedFont&>(font).Raw();
  QList<quint32> glyphs = raw.glyphIndexesForString(text);
  QList<QPointF> positions;
  int x = 0;
  for (qsizetype i = 0; i < glyphs.size(); ++i) {
    positions << QPointF(x, 0);
    if (i < static_cast<qsizetype>(advances.size())) x += advances[static_cast<std::size_t>(i)];
  }
  QGlyphRun run;
  run.setRawFont(raw);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  run.setUnderline(font.font.underline());
  run.setStrikeOut(font.font.strikeOut());
  return run;
}

// Draws one line of text with the top-left of its cell at a device point.
BOOL DrawTextLine(layer::DeviceContext& context, const RealisedFont& font, POINT topLeft, std::string_view bytes,
                  const QString& text, const std::vector<int>& advances, const RECT* clip) {
  if (context.vector)
    return context.vector->Text(context, layer::TextLine{topLeft, std::string(bytes), advances, clip, font.ascent, font.Height()});
  layer::Surface* target = context.Target();
  if (!target) return FALSE;
  RECT area = context.Clip();
  if (clip) IntersectRect(&area, &area, clip);
  int width = Sum(advances);
  RECT cell{topLeft.x, topLeft.y, topLeft.x + width, topLeft.y + font.Height()};
  RECT visible;
  if (!IntersectRect(&visible, &cell, &area)) return TRUE;
  if (context.state.bkMode == OPAQUE) {
    std::uint32_t background = layer::ResolvePixel(context, context.state.bkColor);
    for (int y = visible.top; y < visible.bottom; ++y) std::fill(target->Row(y) + visible.left, target->Row(y) + visible.right, background);
  }
  QImage mask(cell.right - cell.left, cell.bottom - cell.top, QImage::Format_Grayscale8);
  mask.fill(0);
  {
    QPainter painter(&mask);
    painter.setPen(Qt::white);
    painter.drawGlyphRun(QPointF(0, font.ascent), GlyphRun(font, text, advances));
  }
  std::uint32_t colour = layer::ResolvePixel(context, context.state.textColor);
  for (int y = visible.top; y < visible.bottom; ++y) {
    const uchar* coverage = mask.constScanLine(y - cell.top);
    std::uint32_t* row = target->Row(y);
    for (int x = visible.left; x < visible.right; ++x) {
      unsigned a = coverage[x - cell.left];
      if (a == 0) continue;
      std::uint32_t d = row[x];
      auto mix = [a](std::uint32_t to, std::uint32_t from, int shift) {
        unsigned t = (to >> shift) & 0xFF, f = (from >> shift) & 0xFF;
        return ((t * a + f * (255 - a) + 127) / 255) << shift;
      };
      row[x] = 0xFF000000u | mix(colour, d, 16) | mix(colour, d, 8) | mix(colour, d, 0);
    }
  }
  target->texts.Note(visible, std::string(bytes));
  context.Touched();
  return TRUE;
}

// Where the cell of a text starts, by the context's alignment.
POINT AlignedTopLeft(const layer::DeviceContext& context, const RealisedFont& font, POINT reference, int width) {
  UINT align = context.state.textAlign;
  POINT topLeft = reference;
  if ((align & TA_CENTER) == TA_CENTER) topLeft.x -= width / 2;
  else if (align & TA_RIGHT) topLeft.x -= width;
  if ((align & TA_BASELINE) == TA_BASELINE) topLeft.y -= font.ascent;
  else if (align & TA_BOTTOM) topLeft.y -= font.Height();
  return topLeft;
}

BOOL TextAt(HDC dc, int x, int y, const RECT* clip, const char* text, int length, const INT* dx) {
  auto context = layer::ContextOf(dc);
  if (!context || length < 0 || (length > 0 && !text)) return FALSE;
  auto font = FontOf(*context);
  if (!font) return FALSE;
  QString qtext = ToQt(text ? text : "", length);
  std::vector<int> advances = Advances(*font, qtext);
  if (dx) {
    // The caller's spacing applies per byte of its text, which is one character in Windows-1252.
    for (std::size_t i = 0; i < advances.size() && i < static_cast<std::size_t>(length); ++i) advances[i] = dx[i];
  }
  bool updateCp = (context->state.textAlign & TA_UPDATECP) != 0;
  POINT logical = updateCp ? context->state.position : POINT{x, y};
  POINT reference = context->ToDevice(logical.x, logical.y);
  int width = Sum(advances);
  POINT topLeft = AlignedTopLeft(*context, *font, reference, width);
  RECT deviceClip{};
  if (clip) deviceClip = context->ToDevice(*clip);
  BOOL drawn = DrawTextLine(*context, *font, topLeft, std::string_view(text ? text : "", static_cast<std::size_t>(length)),
                            qtext, advances, clip ? &deviceClip : nullptr);
  if (updateCp) {
    UINT horizontal = context->state.textAlign & TA_CENTER;
    if (horizontal == TA_LEFT) context->state.position.x += width;
    else if (horizontal == TA_RIGHT) context->state.position.x -= width;
  }
  return drawn;
}

// Removes the mnemonic marks of a menu-like text: "&&" is one ampersand.
std::string WithoutPrefixes(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      if (i + 1 < text.size() && text[i + 1] == '&') out += '&';
      ++i;
      if (i < text.size() && text[i] != '&') out += text[i];
      continue;
    }
    out += text[i];
  }
  return out;
}

std::string ExpandTabs(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\t') {
      do out += ' ';
      while (out.size() % 8 != 0);
    } else {
      out += c;
    }
  }
  return out;
}

int WidthOf(const RealisedFont& font, const std::string& text) {
  return Sum(Advances(font, ToQt(text.data(), static_cast<int>(text.size()))));
}

// Breaks a paragraph into lines that fit a width, at spaces where it can.
std::vector<std::string> Wrap(const RealisedFont& font, const std::string& paragraph, int width) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t i = 0;
  while (i < paragraph.size()) {
    std::size_t end = paragraph.find(' ', i);
    std::string word = paragraph.substr(i, end == std::string::npos ? std::string::npos : end - i);
    std::string candidate = line.empty() ? word : line + " " + word;
    if (!line.empty() && WidthOf(font, candidate) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = candidate;
    }
    if (end == std::string::npos) break;
    i = end + 1;
  }
  lines.push_back(line);
  return lines;
}

std::string WithEllipsis(const RealisedFont& font, std::string line, int width) {
  if (WidthOf(font, line) <= width) return line;
  while (!line.empty() && WidthOf(font, line + "...") > width) line.pop_back();
  return line + "...";
}

}  // namespace

namespace layer::desktop {

BOOL TextOut(HDC dc, int x, int y, LPCSTR text, int length) { return TextAt(dc, x, y, nullptr, text, length, nullptr); }

BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT length, const INT* dx) {
  auto context = layer::ContextOf(dc);
  if (!context) return FALSE;
  if ((options & ETO_OPAQUE) && rect) {
    HBRUSH background = CreateSolidBrush(context->state.bkColor);
    FillRect(dc, rect, background);
    DeleteObject(background);
  }
  if (length == 0) return TRUE;
  return TextAt(dc, x, y, (options & ETO_CLIPPED) ? rect : nullptr, text, static_cast<int>(length), dx);
}

BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int length, LPSIZE size) {
  auto context = layer::ContextOf(dc);
  if (!context || !size || length < 0 || (length > 0 && !text)) return FALSE;
  auto font = FontOf(*context);
  if (!font) return FALSE;
  size->cx = Sum(Advances(*font, ToQt(text ? text : "", length)));
  size->cy = font->Height();
  return TRUE;
}

BOOL GetTextMetrics(HDC dc, LPTEXTMETRIC metrics) {
  auto context = layer::ContextOf(dc);
  if (!context || !metrics) return FALSE;
  auto font = FontOf(*context);
  if (!font) return FALSE;
  const LOGFONTA& log = context->state.font->log;
  *metrics = TEXTMETRICA{};
  metrics->tmHeight = font->Height();
  metrics->tmAscent = font->ascent;
  metrics->tmDescent = font->descent;
  metrics->tmInternalLeading = font->internalLeading;
  metrics->tmExternalLeading = font->externalLeading;
  metrics->tmAveCharWidth = font->averageWidth;
  metrics->tmMaxCharWidth = font->maxWidth;
  metrics->tmWeight = log.lfWeight ? log.lfWeight : FW_NORMAL;
  metrics->tmDigitizedAspectX = metrics->tmDigitizedAspectY = 96;
  metrics->tmFirstChar = 0x20;
  metrics->tmLastChar = 0xFF;
  metrics->tmDefaultChar = 0x1F;
  metrics->tmBreakChar = 0x20;
  metrics->tmItalic = log.lfItalic;
  metrics->tmUnderlined = log.lfUnderline;
  metrics->tmStruckOut = log.lfStrikeOut;
  bool fixed = QFontInfo(font->font).fixedPitch();
  // The platform's bit 0 means "not fixed pitch"; 0x04 marks an outline font.
  metrics->tmPitchAndFamily = static_cast<BYTE>((fixed ? 0 : 0x01) | 0x04 | (fixed ? FF_MODERN : FF_SWISS));
  metrics->tmCharSet = ANSI_CHARSET;
  return TRUE;
}

int GetTextFace(HDC dc, int size, LPSTR face) {
  auto context = layer::ContextOf(dc);
  if (!context || !context->state.font) return 0;
  const char* name = context->state.font->log.lfFaceName;
  int length = static_cast<int>(std::strlen(name));
  if (!face) return length + 1;
  if (size <= 0) return 0;
  int copied = std::min(length, size - 1);
  std::memcpy(face, name, static_cast<std::size_t>(copied));
  face[copied] = '\0';
  return copied;
}

int DrawText(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format) {
  auto context = layer::ContextOf(dc);
  if (!context || !rect || !text) return 0;
  auto font = FontOf(*context);
  if (!font) return 0;
  std::string content(text, length < 0 ? std::strlen(text) : static_cast<std::size_t>(length));
  if (!(format & DT_NOPREFIX)) content = WithoutPrefixes(content);
  if (format & DT_EXPANDTABS) content = ExpandTabs(content);
  int width = rect->right - rect->left;

  std::vector<std::string> lines;
  if (format & DT_SINGLELINE) {
    std::replace(content.begin(), content.end(), '\r', ' ');
    std::replace(content.begin(), content.end(), '\n', ' ');
    lines.push_back(content);
  } else {
    std::size_t start = 0;
    while (start <= content.size()) {
      std::size_t end = content.find('\n', start);
      std::string paragraph = content.substr(start, end == std::string::npos ? std::string::npos : end - start);
      if (!paragraph.empty() && paragraph.back() == '\r') paragraph.pop_back();
      if (format & DT_WORDBREAK) {
        for (auto& line : Wrap(*font, paragraph, width)) lines.push_back(line);
      } else {
        lines.push_back(paragraph);
      }
      if (end == std::string::npos) break;
      start = end + 1;
    }
  }
  if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) {
    for (auto& line : lines) line = WithEllipsis(*font, line, width);
  }
  int lineHeight = font->Height();
  int textHeight = lineHeight * static_cast<int>(lines.size());
  int widest = 0;
  for (const auto& line : lines) widest = std::max(widest, WidthOf(*font, line));

  if (format & DT_CALCRECT) {
    // Wrapped or not, the text is as wide as its widest line.
    rect->right = rect->left + widest;
    rect->bottom = rect->top + textHeight;
    return textHeight;
  }
  int top = rect->top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER) top = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
    else if (format & DT_BOTTOM) top = rect->bottom - lineHeight;
  }
  RECT clip = context->ToDevice(*rect);
  UINT savedAlign = context->state.textAlign;
  context->state.textAlign = TA_LEFT | TA_TOP;
  int y = top;
  for (const auto& line : lines) {
    QString qline = ToQt(line.data(), static_cast<int>(line.size()));
    std::vector<int> advances = Advances(*font, qline);
    int lineWidth = Sum(advances);
    int x = rect->left;
    if (format & DT_CENTER) x = rect->left + (width - lineWidth) / 2;
    else if (format & DT_RIGHT) x = rect->right - lineWidth;
    DrawTextLine(*context, *font, context->ToDevice(x, y), line, qline, advances, (format & DT_NOCLIP) ? nullptr : &clip);
    y += lineHeight;
  }
  context->state.textAlign = savedAlign;
  return (top - rect->top) + textHeight;
}

}  // namespace layer::desktop
