#include "platform/linux/qt/qt_colours.h"

#include <QApplication>
#include <QPalette>

namespace clipnest::linux_backend {
namespace {

// Indices of the Windows system colours that the program's looks use.
constexpr int kHighlight = 13;
constexpr int kHighlightText = 14;
constexpr int kButtonShadow = 16;
constexpr int kGrayText = 17;

QPalette::ColorRole RoleOfSystemColour(int index) {
  switch (index) {
    case SystemColourIndex(kButtonFace):
      return QPalette::Button;
    case SystemColourIndex(kButtonText):
      return QPalette::ButtonText;
    case SystemColourIndex(kWindowBackground):
      return QPalette::Base;
    case SystemColourIndex(kWindowText):
      return QPalette::Text;
    case kHighlight:
      return QPalette::Highlight;
    case kHighlightText:
      return QPalette::HighlightedText;
    case kButtonShadow:
      return QPalette::Dark;
    case kGrayText:
      return QPalette::PlaceholderText;
    default:
      return QPalette::Window;
  }
}

}  // namespace

QColor ToQColor(OleColour colour) {
  if (IsSystemColour(colour)) {
    return QApplication::palette().color(RoleOfSystemColour(SystemColourIndex(colour)));
  }
  return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

}  // namespace clipnest::linux_backend
