// The peer of the start benchmark: a plain Qt program that shows a window of
// the viewer's size, paints a page of texts and boxes into it, and ends. It
// is started through the layer's CreateProcess like the viewer, and tells its
// starter that it is ready the way the layer's programs do once their first
// paint is on the screen: the idle word on the channel the starter handed
// over, so that the starter's WaitForInputIdle returns.
#include <unistd.h>

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace {

void TellStarter() {
  const char* channel = std::getenv("VARNO_PROCESS_CHANNEL");
  if (channel == nullptr) return;
  [[maybe_unused]] auto written = write(std::atoi(channel), "I", 1);
}

class Page : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setFont(QFont("Arial", 10));
    for (int row = 0; row < 30; ++row) {
      painter.drawRect(20, 20 + row * 22, 600, 22);
      painter.drawText(28, 36 + row * 22, QStringLiteral("%1  Rasenmaeher RM 46 - Baugruppe %1").arg(row + 1));
    }
    if (m_painted) return;
    m_painted = true;
    // Once the painted window is flushed to the screen, the starter is told
    // and the program ends.
    QTimer::singleShot(0, [] {
      TellStarter();
      QCoreApplication::quit();
    });
  }

 private:
  bool m_painted = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  Page page;
  page.setWindowTitle("VARNO 4");
  page.resize(1024, 768);
  page.show();
  return QApplication::exec();
}
