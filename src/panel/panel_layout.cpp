#include "panel/panel_layout.h"

namespace clipnest {
namespace {

using K = ControlKind;

ControlLook PictureLook(const char* resource) {
  return {.picture = resource};
}

// The three save buttons are 14-pixel pictures at a 16-pixel pitch; the five tool buttons are
// 16-pixel pictures side by side. The holders below the strip are never seen.
const ControlRow kPanel[] = {
    {"Text4", K::kTextBox, {60, 1320, 1395, 285}, "Text4", {}, true},
    {"Text3", K::kTextBox, {60, 1020, 1395, 285}, "Text3", {.multi_line = true}, true},
    {"Text2", K::kTextBox, {60, 720, 1395, 255}, "Text2", {.multi_line = true}, true},
    {"Text1", K::kTextBox, {60, 420, 1395, 255}, "Text1 Время\r\n", {.multi_line = true}, true},
    {"Image8", K::kImage, {1740, 60, 240, 240}, {}, PictureLook("exit_door")},
    {"Image7", K::kImage, {1500, 60, 240, 240}, {}, PictureLook("wrench")},
    {"Image6", K::kImage, {1260, 60, 240, 240}, {}, PictureLook("calculator")},
    {"Image5", K::kImage, {1020, 60, 240, 240}, {}, PictureLook("paint")},
    {"Image10", K::kPictureHolder, {1500, 1020, 495, 615}, {}, {}, true},
    {"Image4", K::kImage, {780, 60, 240, 240}, {}, PictureLook("notepad")},
    {"Image3", K::kImage, {540, 60, 210, 210}, {}, PictureLook("floppy_picture")},
    {"Image2", K::kImage, {300, 60, 210, 210}, {}, PictureLook("floppy_named")},
    {"Image1", K::kImage, {60, 60, 210, 210}, {}, PictureLook("floppy_text")},
    {"Shape1", K::kShape, {0, 0, 2055, 315}, {}, {.fore_colour = Rgb(128, 128, 128)}},
    {.name = "Timer1", .kind = K::kTimer, .interval_ms = 1},
};

const FormDesign kDesign{
    .name = "Form1",
    .style = FormStyle::kBorderless,
    .client_width = 2055,
    .client_height = 1665,
    .controls = kPanel,
};

}  // namespace

const FormDesign& PanelDesign() {
  return kDesign;
}

}  // namespace clipnest
