#include "dialogs/named_text/form3_layout.h"

namespace clipnest {
namespace {

using K = ControlKind;

const ControlRow kForm3[] = {
    {"Command3",
     K::kButton,
     {840, 780, 375, 375},
     {},
     {.picture = "clipboard", .transparent_colour = Rgb(0, 0, 0)}},
    {"Command2", K::kButton, {2640, 780, 1095, 375}, "Отмена"},
    {"Text1",
     K::kTextBox,
     {60, 360, 3675, 315},
     {},
     {.fore_colour = kWindowText, .back_colour = kWindowBackground}},
    {"Command1", K::kButton, {1320, 780, 1215, 375}, "Сохранить"},
    {"Label1", K::kLabel, {60, 60, 3675, 195}, "Введите имя \"txt\" файла:"},
    {"Shape1", K::kShape, {0, 0, 3795, 1215}, {}, {.fore_colour = kWindowText}},
};

constexpr std::string_view kTabOrder[] = {"Text1", "Command1", "Command2", "Command3"};

const FormDesign kDesign{
    .name = "Form3",
    .style = FormStyle::kFixedToolWindow,
    .client_width = 3810,
    .client_height = 1230,
    .caption = "Clipnest v1.0",
    .centred = true,
    .controls = kForm3,
    .tab_order = kTabOrder,
};

}  // namespace

const FormDesign& Form3Design() {
  return kDesign;
}

}  // namespace clipnest
