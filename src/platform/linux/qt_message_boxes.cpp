#include "qt_message_boxes.h"

#include <QMessageBox>

namespace clipnest {

void QtMessageBoxes::ShowOk(std::string_view caption, std::string_view text) {
  QMessageBox box(QMessageBox::NoIcon,
                  QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
                  QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                  QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace clipnest
