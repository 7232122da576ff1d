// The peer of the start benchmark: a plain Qt program that shows a window of
// the viewer's size, paints a page of texts and boxes into it, and ends. It
// is started through the layer's CreateProcess like the viewer, and tells its
// starter that it is ready the way the layer's programs do once their first
// paint is on the screen: the idle word on the channel the starter handed
// over, so that the starter's WaitForInputIdle returns.
//
// With --with-helper it does what the viewer's start does besides: it shows
// a small waiting window, starts a second Qt program (itself, with --helper)
// that sets up a hidden main window with a menu bar and a list, waits until
// that one is ready, and only then shows and paints its page. The helper
// stays until its starter ends, as the order list does.
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <unistd.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QSocketNotifier>
#include <QTimer>
#include <QTreeWidget>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kHelperPatienceMs = 20000;

void Tell(int channel) {
  if (channel < 0) return;
  [[maybe_unused]] auto written = write(channel, "I", 1);
}

int StarterChannel() {
  const char* channel = std::getenv("VARNO_PROCESS_CHANNEL");
  return channel ? std::atoi(channel) : -1;
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
      Tell(StarterChannel());
      QCoreApplication::quit();
    });
  }

 private:
  bool m_painted = false;
};

int ShowPage() {
  Page page;
  page.setWindowTitle("VARNO 4");
  page.resize(1024, 768);
  page.show();
  return QApplication::exec();
}

// The helper: a hidden main window with a menu bar and a list, laid out, then
// ready once its event loop first runs dry; it ends when its starter's end
// closes the lifeline.
int RunHelper(int lifeline) {
  QMainWindow window;
  for (const char* title : {"&Datei", "&Bearbeiten", "&Ansicht", "&Extras", "&Hilfe"}) {
    QMenu* menu = window.menuBar()->addMenu(QString::fromLatin1(title));
    for (int item = 1; item <= 8; ++item) menu->addAction(QStringLiteral("Eintrag %1").arg(item));
  }
  auto* list = new QTreeWidget;
  list->setHeaderLabels({"Pos", "Teilenummer", "Benennung", "Menge", "Preis", "Summe"});
  window.setCentralWidget(list);
  window.resize(800, 600);
  window.ensurePolished();
  window.menuBar()->sizeHint();
  list->header()->sizeHint();
  QTimer::singleShot(0, [] { Tell(StarterChannel()); });
  QSocketNotifier ended(lifeline, QSocketNotifier::Read);
  QObject::connect(&ended, &QSocketNotifier::activated, [] { QCoreApplication::quit(); });
  return QApplication::exec();
}

// Starts the helper with a channel to tell its readiness on and a lifeline it
// watches; returns the lifeline's writing end (kept open until this program
// ends), or -1.
int StartHelper(int& ready) {
  int channel[2], lifeline[2];
  if (pipe(channel) != 0) return -1;
  if (pipe(lifeline) != 0) {
    close(channel[0]);
    close(channel[1]);
    return -1;
  }
  fcntl(channel[0], F_SETFD, FD_CLOEXEC);
  fcntl(lifeline[1], F_SETFD, FD_CLOEXEC);
  const std::string channelVariable = "VARNO_PROCESS_CHANNEL=" + std::to_string(channel[1]);
  std::string program = QCoreApplication::applicationFilePath().toStdString();
  std::string helperFlag = "--helper";
  std::string lifelineArgument = std::to_string(lifeline[0]);
  char* argv[] = {program.data(), helperFlag.data(), lifelineArgument.data(), nullptr};
  std::vector<char*> environment;
  for (char** variable = environ; *variable; ++variable)
    if (std::strncmp(*variable, "VARNO_PROCESS_CHANNEL=", 22) != 0) environment.push_back(*variable);
  environment.push_back(const_cast<char*>(channelVariable.c_str()));
  environment.push_back(nullptr);
  pid_t helper = 0;
  const int spawned = posix_spawn(&helper, program.c_str(), nullptr, nullptr, argv, environment.data());
  close(channel[1]);
  close(lifeline[0]);
  if (spawned != 0) {
    close(channel[0]);
    close(lifeline[1]);
    return -1;
  }
  ready = channel[0];
  return lifeline[1];
}

bool AwaitHelper(int ready) {
  pollfd wait{ready, POLLIN, 0};
  char word = 0;
  return poll(&wait, 1, kHelperPatienceMs) == 1 && read(ready, &word, 1) == 1 && word == 'I';
}

int ShowPageAfterHelper() {
  QLabel waiting(QStringLiteral("Bitte warten, VARNO 4 wird geladen ..."));
  waiting.setWindowTitle(QStringLiteral("VARNO 4 Hinweis"));
  waiting.show();
  QCoreApplication::processEvents();
  int ready = -1;
  if (StartHelper(ready) < 0 || !AwaitHelper(ready)) return 1;
  waiting.hide();
  return ShowPage();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc == 3 && std::strcmp(argv[1], "--helper") == 0) return RunHelper(std::atoi(argv[2]));
  if (argc == 2 && std::strcmp(argv[1], "--with-helper") == 0) return ShowPageAfterHelper();
  return ShowPage();
}
