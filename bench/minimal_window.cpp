// The smallest Qt Widgets program with one window: the reference for start-up time and
// memory.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Finestra minima"));
  window.resize(466, 172);
  window.show();
  return QApplication::exec();
}
