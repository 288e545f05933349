#include "platform/linux/qt/qt_colour_chooser.h"

#include "forms/colour.h"
#include "platform/linux/qt/qt_form_view.h"

#include <QColorDialog>

namespace clipnest::linux_backend {

std::optional<std::uint32_t> QtColourChooser::Choose(const Form& owner, std::uint32_t initial) {
  const QColor start(RedOf(initial), GreenOf(initial), BlueOf(initial));
  QColorDialog dialog(start, WidgetOf(&owner));
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  dialog.setWindowModality(Qt::WindowModal);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QColor chosen = dialog.selectedColor();
  if (!chosen.isValid()) return std::nullopt;
  return Rgb(chosen.red(), chosen.green(), chosen.blue());
}

}  // namespace clipnest::linux_backend
