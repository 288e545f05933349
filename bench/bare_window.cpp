// A bare Qt widgets window, frameless, of the panel's size: what start-up is compared with.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window(nullptr, Qt::FramelessWindowHint | Qt::Tool | Qt::WindowStaysOnTopHint);
  window.setFixedSize(137, 21);
  window.show();
  return app.exec();
}
