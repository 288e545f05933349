#include "platform/linux/qt/qt_message_boxes.h"

#include "platform/linux/qt/qt_form_view.h"

#include <QMessageBox>

namespace clipnest::linux_backend {

void QtMessageBoxes::ShowOk(const Form* owner, std::string_view caption, std::string_view text) {
  QMessageBox box(QMessageBox::NoIcon,
                  QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
                  QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                  QMessageBox::Ok, WidgetOf(owner));
  box.setTextFormat(Qt::PlainText);
  // Above its owner, which takes no click until it closes; the other windows go on.
  if (owner) box.setWindowModality(Qt::WindowModal);
  box.exec();
}

}  // namespace clipnest::linux_backend
