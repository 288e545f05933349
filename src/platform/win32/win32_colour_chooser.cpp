#include "platform/win32/win32_colour_chooser.h"

#include "platform/win32/win32_form_view.h"

#include <commdlg.h>

namespace clipnest::win32 {

std::optional<std::uint32_t> Win32ColourChooser::Choose(const Form& owner, std::uint32_t initial) {
  CHOOSECOLORA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = HwndOf(&owner);
  dialog.rgbResult = initial & 0x00FFFFFFu;
  dialog.lpCustColors = custom_colours_;
  // Nothing is preset but the colour the dialog starts at.
  dialog.Flags = CC_RGBINIT;
  if (!ChooseColorA(&dialog)) return std::nullopt;
  return static_cast<std::uint32_t>(dialog.rgbResult & 0x00FFFFFFu);
}

}  // namespace clipnest::win32
