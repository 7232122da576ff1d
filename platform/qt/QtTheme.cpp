// The caption of top-level windows in the desktop's look: the bar in the
// desktop's colours and font, the buttons as Qt's style draws them, at the
// places the window core laid out, so what the user sees and where the mouse
// hits agree.
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QThread>
#include <algorithm>

#include "win32/Codepage.h"
#include "win32/Theme.h"
#include "win32/UserTypes.h"

namespace layer {
namespace {

QRect ToQt(const RECT& rect) { return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top); }

class QtTheme : public ThemePainter {
 public:
  bool DrawCaption(Surface& surface, const CaptionLook& look) override {
    // Qt's style draws on the application's thread, where it is made.
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!application || QThread::currentThread() != application->thread()) return false;
    QImage image(reinterpret_cast<uchar*>(surface.Bits()), surface.Width(), surface.Height(), surface.BytesPerLine(),
                 QImage::Format_RGB32);
    QPainter painter(&image);
    QStyle* style = QApplication::style();
    QPalette palette = QApplication::palette();
    QRect bar = ToQt(look.bar);
    // The bar in the desktop's colours: its highlight while the window is active.
    QColor fill = look.active ? palette.color(QPalette::Active, QPalette::Highlight)
                              : palette.color(QPalette::Inactive, QPalette::Window).darker(115);
    QLinearGradient gradient(bar.topLeft(), bar.topRight());
    gradient.setColorAt(0, fill);
    gradient.setColorAt(1, fill.lighter(look.active ? 130 : 110));
    painter.fillRect(bar, gradient);
    QFont font = QApplication::font();
    font.setBold(true);
    font.setPixelSize(std::max(8, bar.height() - 6));
    painter.setFont(font);
    painter.setPen(look.active ? palette.color(QPalette::Active, QPalette::HighlightedText)
                               : palette.color(QPalette::Inactive, QPalette::WindowText));
    int textLeft = look.systemMenu.right > look.systemMenu.left ? look.systemMenu.right + 3 : bar.left() + 3;
    int textRight = look.minimize.right > look.minimize.left ? look.minimize.left
                    : look.close.right > look.close.left   ? look.close.left
                                                           : bar.right();
    QRect label(textLeft, bar.top(), std::max(0, textRight - 3 - textLeft), bar.height());
    QString title = QString::fromUtf8(Cp1252ToUtf8(look.title).c_str());
    painter.drawText(label, Qt::AlignLeft | Qt::AlignVCenter, painter.fontMetrics().elidedText(title, Qt::ElideRight, label.width()));
    Button(painter, *style, look.minimize, QStyle::SP_TitleBarMinButton, look.pressed == HTMINBUTTON, look.minimizeEnabled);
    Button(painter, *style, look.maximize, look.maximized ? QStyle::SP_TitleBarNormalButton : QStyle::SP_TitleBarMaxButton,
           look.pressed == HTMAXBUTTON, look.maximizeEnabled);
    Button(painter, *style, look.close, QStyle::SP_TitleBarCloseButton, look.pressed == HTCLOSE, true);
    if (look.systemMenu.right > look.systemMenu.left) {
      style->standardIcon(QStyle::SP_TitleBarMenuButton).paint(&painter, ToQt(look.systemMenu));
    }
    surface.Touch();
    return true;
  }

 private:
  static void Button(QPainter& painter, QStyle& style, const RECT& area, QStyle::StandardPixmap glyph, bool pressed,
                     bool enabled) {
    if (area.right <= area.left || area.bottom <= area.top) return;
    QStyleOption option;
    option.rect = ToQt(area);
    option.palette = QApplication::palette();
    option.state = (enabled ? QStyle::State_Enabled : QStyle::State_None) | (pressed ? QStyle::State_Sunken : QStyle::State_Raised);
    style.drawPrimitive(QStyle::PE_PanelButtonTool, &option, &painter);
    QRect inner = option.rect.adjusted(2, 2, -2, -2);
    if (pressed) inner.translate(1, 1);
    style.standardIcon(glyph, &option).paint(&painter, inner, Qt::AlignCenter, enabled ? QIcon::Normal : QIcon::Disabled);
  }
};

QtTheme theme;

// Linking the backend draws captions in the desktop's style.
struct Installer {
  Installer() { InstallThemePainter(&theme); }
  ~Installer() { InstallThemePainter(nullptr); }
} installer;

}  // namespace
}  // namespace layer
