// The desktop's style, icons, sound, file dialog and clipboard for the layer.
#include "win32/DesktopIntegration.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QThread>
#include <algorithm>
#include <cstring>
#include <vector>

#include "qt/GuiApplication.h"
#include "qt/ScreenCalls.h"
#include "user/ControlDrawing.h"
#include "win32/Clipboard.h"
#include "win32/Codepage.h"
#include "win32/GdiObjects.h"
#include "win32/Icons.h"
#include "win32/MessageBox.h"

namespace layer {
namespace {

QApplication* Widgets() {
  if (!EnsureGuiApplication()) return nullptr;
  return qobject_cast<QApplication*>(QCoreApplication::instance());
}

bool OnGuiThread() {
  return QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
}

QStyle::State StateOf(UINT state) {
  QStyle::State result = QStyle::State_None;
  if (!(state & DFCS_INACTIVE)) result |= QStyle::State_Enabled;
  if (state & DFCS_PUSHED) result |= QStyle::State_Sunken;
  else result |= QStyle::State_Raised;
  if (state & DFCS_HOT) result |= QStyle::State_MouseOver;
  if (state & kThemeFocus) result |= QStyle::State_HasFocus;
  return result;
}

QRect MarkRect(const QRect& area) {
  int size = 13;
  return QRect(area.left(), area.top() + (area.height() - size) / 2, size, size);
}

void PaintButton(QStyle* style, QPainter& painter, const QRect& area, UINT state) {
  UINT kind = state & 0xFF;
  QStyleOptionButton option;
  option.palette = QApplication::palette();
  option.state = StateOf(state);
  if (kind & DFCS_BUTTONPUSH) {
    option.rect = area;
    if (state & DFCS_CHECKED) option.state |= QStyle::State_On;
    if (state & kThemeDefault) option.features |= QStyleOptionButton::DefaultButton;
    option.state &= ~QStyle::State_HasFocus;  // the layer draws the focus itself
    style->drawControl(QStyle::CE_PushButtonBevel, &option, &painter);
    return;
  }
  option.rect = MarkRect(area);
  bool checked = state & DFCS_CHECKED;
  bool indeterminate = (kind & DFCS_BUTTON3STATE) && checked;
  option.state |= indeterminate ? QStyle::State_NoChange : checked ? QStyle::State_On : QStyle::State_Off;
  option.state &= ~QStyle::State_HasFocus;
  style->drawPrimitive((kind & DFCS_BUTTONRADIO) ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox, &option,
                       &painter);
}

bool PaintScroll(QStyle* style, QPainter& painter, const QRect& area, UINT state) {
  if ((state & 0xFF) != DFCS_SCROLLCOMBOBOX) return false;
  QStyleOptionButton panel;
  panel.palette = QApplication::palette();
  panel.rect = area;
  panel.state = StateOf(state);
  style->drawPrimitive(QStyle::PE_PanelButtonCommand, &panel, &painter);
  QStyleOption arrow;
  arrow.palette = panel.palette;
  arrow.rect = area.adjusted(3, 3, -3, -3);
  arrow.state = StateOf(state);
  style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter);
  return true;
}

// The system's icons: the desktop's message-box pictures.
bool DesktopIcon(WORD id, int size, IconPicture& picture) {
  QApplication* application = Widgets();
  if (!application || !OnGuiThread()) return false;
  QStyle::StandardPixmap which;
  switch (id) {
    case 32513: which = QStyle::SP_MessageBoxCritical; break;
    case 32514: which = QStyle::SP_MessageBoxQuestion; break;
    case 32515: which = QStyle::SP_MessageBoxWarning; break;
    case 32516: which = QStyle::SP_MessageBoxInformation; break;
    default: which = QStyle::SP_ComputerIcon; break;
  }
  QImage image = QApplication::style()->standardIcon(which).pixmap(size, size).toImage();
  if (image.isNull()) return false;
  image = image.scaled(size, size).convertToFormat(QImage::Format_ARGB32);
  picture.width = picture.height = size;
  picture.pixels.resize(static_cast<std::size_t>(size) * size);
  for (int y = 0; y < size; ++y)
    std::memcpy(picture.pixels.data() + static_cast<std::size_t>(y) * size, image.constScanLine(y), static_cast<std::size_t>(size) * 4);
  return true;
}

// The clipboard formats of the system travel between its programs exactly
// under a type of their own; text and pictures go as the desktop's text and
// image for everyone else.
QString PrivateType(UINT format) { return QString("application/x-varno-clipboard-%1").arg(format); }

QImage ImageOfPacked(const std::vector<BYTE>& packed) {
  if (packed.size() < sizeof(BITMAPINFOHEADER)) return {};
  BITMAPINFOHEADER header;
  std::memcpy(&header, packed.data(), sizeof header);
  if (header.biWidth <= 0 || header.biHeight == 0 || header.biWidth > 30000 || std::abs(header.biHeight) > 30000) return {};
  const auto* info = reinterpret_cast<const BITMAPINFO*>(packed.data());
  std::size_t colours = header.biClrUsed ? header.biClrUsed : header.biBitCount <= 8 ? (1u << header.biBitCount) : 0;
  std::size_t offset = header.biSize + colours * sizeof(RGBQUAD) + (header.biCompression == BI_BITFIELDS ? 12 : 0);
  if (offset >= packed.size()) return {};
  int width = header.biWidth, height = std::abs(header.biHeight);
  BITMAPINFOHEADER wanted{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  QImage image(width, height, QImage::Format_RGB32);
  HDC dc = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBitmap(dc, &header, CBM_INIT, packed.data() + offset, info, DIB_RGB_COLORS);
  int lines = bitmap ? GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), image.bits(), reinterpret_cast<BITMAPINFO*>(&wanted),
                                 DIB_RGB_COLORS)
                     : 0;
  if (bitmap) DeleteObject(bitmap);
  ReleaseDC(nullptr, dc);
  return lines > 0 ? image : QImage();
}

std::vector<BYTE> PackedOfImage(const QImage& source) {
  QImage image = source.convertToFormat(QImage::Format_RGB32);
  int width = image.width(), height = image.height();
  BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<BYTE> packed(sizeof header + static_cast<std::size_t>(width) * height * 4);
  std::memcpy(packed.data(), &header, sizeof header);
  for (int y = 0; y < height; ++y)
    std::memcpy(packed.data() + sizeof header + static_cast<std::size_t>(height - 1 - y) * width * 4, image.constScanLine(y),
                static_cast<std::size_t>(width) * 4);
  return packed;
}

std::string TextOf(const std::vector<BYTE>& bytes) {
  std::string text(bytes.begin(), bytes.end());
  return text.substr(0, text.find('\0'));
}

class DesktopClipboard : public ClipboardBackend {
 public:
  bool Publish(const std::map<UINT, std::vector<BYTE>>& formats) override {
    if (!Widgets() || !OnGuiThread()) return false;
    auto* data = new QMimeData;
    for (const auto& [format, bytes] : formats)
      data->setData(PrivateType(format), QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size())));
    auto text = formats.find(CF_TEXT);
    if (text != formats.end()) data->setText(QString::fromUtf8(Cp1252ToUtf8(TextOf(text->second)).c_str()));
    for (UINT format : {CF_DIB, CF_BITMAP}) {
      auto picture = formats.find(format);
      if (picture == formats.end()) continue;
      QImage image = ImageOfPacked(picture->second);
      if (!image.isNull()) data->setImageData(image);
      break;
    }
    QGuiApplication::clipboard()->setMimeData(data);
    m_published = data;
    return true;
  }
  bool HoldsOwnData() override {
    if (!Widgets() || !OnGuiThread()) return true;
    return m_published && QGuiApplication::clipboard()->mimeData() == m_published;
  }
  std::vector<UINT> Formats() override {
    std::vector<UINT> formats;
    const QMimeData* data = Current();
    if (!data) return formats;
    for (const QString& type : data->formats()) {
      if (!type.startsWith("application/x-varno-clipboard-")) continue;
      formats.push_back(type.mid(30).toUInt());
    }
    if (data->hasText()) formats.push_back(CF_TEXT);
    if (data->hasImage()) formats.push_back(CF_DIB);
    std::sort(formats.begin(), formats.end());
    formats.erase(std::unique(formats.begin(), formats.end()), formats.end());
    return formats;
  }
  bool Fetch(UINT format, std::vector<BYTE>& bytes) override {
    const QMimeData* data = Current();
    if (!data) return false;
    if (data->hasFormat(PrivateType(format))) {
      QByteArray raw = data->data(PrivateType(format));
      bytes.assign(raw.begin(), raw.end());
      return true;
    }
    if (format == CF_TEXT && data->hasText()) {
      // The desktop's lines end with LF; the system's with CR LF.
      std::string text = Utf8ToCp1252(data->text().replace("\r\n", "\n").replace("\n", "\r\n").toUtf8().toStdString());
      bytes.assign(text.begin(), text.end());
      bytes.push_back(0);
      return true;
    }
    if (format == CF_DIB && data->hasImage()) {
      QImage image = qvariant_cast<QImage>(data->imageData());
      if (image.isNull()) return false;
      bytes = PackedOfImage(image);
      return true;
    }
    return false;
  }

 private:
  const QMimeData* Current() {
    if (!Widgets() || !OnGuiThread()) return nullptr;
    return QGuiApplication::clipboard()->mimeData();
  }
  const QMimeData* m_published = nullptr;
};

DesktopClipboard clipboard;

struct Installer {
  Installer() {
    SetSystemIconSource(DesktopIcon);
    SetBeeper([] {
      if (Widgets() && OnGuiThread()) QApplication::beep();
    });
    InstallClipboardBackend(&clipboard);
  }
  ~Installer() {
    InstallClipboardBackend(nullptr);
    SetSystemIconSource(nullptr);
    SetBeeper(nullptr);
  }
} installer;

}  // namespace

}  // namespace layer

namespace layer::desktop {

bool ScreenIsVisible() {
  if (!EnsureGuiApplication()) return false;
  QString platform = QGuiApplication::platformName();
  return platform != "offscreen" && platform != "minimal";
}

bool PaintWithDesktopStyle(HDC dc, const RECT& rect, UINT type, UINT state) {
  if (!Widgets() || !OnGuiThread() || (type != DFC_BUTTON && type != DFC_SCROLL)) return false;
  auto context = ContextOf(dc);
  Surface* target = context ? context->Target() : nullptr;
  if (!target) return false;
  RECT device = context->ToDevice(rect);
  RECT clip = context->Clip();
  QImage image(reinterpret_cast<uchar*>(target->Bits()), target->Width(), target->Height(), target->BytesPerLine(),
               QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setClipRect(QRect(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top));
  QRect area(device.left, device.top, device.right - device.left, device.bottom - device.top);
  QStyle* style = QApplication::style();
  bool painted = true;
  if (type == DFC_BUTTON) PaintButton(style, painter, area, state);
  else painted = PaintScroll(style, painter, area, state);
  painter.end();
  if (painted) context->Touched();
  return painted;
}

bool ShowDesktopFileDialog(DesktopFileChoice& choice, std::string& chosenPath) {
  if (!Widgets() || !OnGuiThread() || !ScreenIsVisible()) return false;
  QFileDialog dialog(nullptr, QString::fromUtf8(Cp1252ToUtf8(choice.title).c_str()), QString::fromStdString(choice.folder));
  dialog.setAcceptMode(choice.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(choice.save || !choice.mustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);  // the layer asks as the platform does
  QStringList filters = QString::fromUtf8(choice.filters.c_str()).split('\n', Qt::SkipEmptyParts);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    if (choice.filterIndex >= 0 && choice.filterIndex < filters.size()) dialog.selectNameFilter(filters[choice.filterIndex]);
  }
  if (!choice.defaultSuffix.empty()) dialog.setDefaultSuffix(QString::fromStdString(choice.defaultSuffix));
  if (!choice.name.empty()) dialog.selectFile(QString::fromUtf8(choice.name.c_str()));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  chosenPath = dialog.selectedFiles().front().toUtf8().toStdString();
  choice.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
  return true;
}

}  // namespace layer::desktop
