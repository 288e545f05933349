#include "dialogs/settings/form2_layout.h"

#include "dialogs/settings/contact_addresses.h"

namespace clipnest {
namespace {

using K = ControlKind;

const ControlLook kRule{.fore_colour = kWindowText};
const ControlLook kHeading{.underline = true};

ControlLook Swatch(OleColour fill) {
  return {.back_colour = fill, .opaque_back = true, .border = BorderStyle::kSunken};
}

// A rule runs from (left, top) to (left + width, top + height).
ControlRow Rule(std::string_view name, int x1, int y1, int x2, int y2) {
  return {name, K::kLine, {x1, y1, x2 - x1, y2 - y1}, {}, kRule};
}

const ControlRow kForm2[] = {
    {.name = "HScroll1",
     .kind = K::kScrollBar,
     .rect = {120, 1020, 1755, 195},
     .value = 128,
     .enabled = false,
     .range = {.minimum = 1, .maximum = 255, .small_change = 1, .large_change = 10}},
    {"Command1", K::kButton, {120, 2520, 1755, 315}, "Справка"},
    {"Command40", K::kButton, {1980, 4260, 1215, 315}, "Закрыть"},
    {"Command3", K::kButton, {4740, 3840, 375, 315}, "OK"},
    {"Text1",
     K::kTextBox,
     {60, 3840, 4635, 315},
     {},
     {.fore_colour = kWindowText, .back_colour = kWindowBackground}},
    {"Check3", K::kCheckBox, {120, 780, 1755, 195}, "Прозрачность"},
    {"Check2", K::kCheckBox, {120, 540, 1755, 195}, "Горячая PrtScreen"},
    {"Check1", K::kCheckBox, {120, 300, 1755, 195}, "Звуки"},
    {"Label14",
     K::kLabel,
     {720, 3300, 3735, 195},
     "Сочетание \"Ctrl+Alt+C\" - Окно сохранения текста"},
    Rule("Line9", 0, 3540, 5160, 3540),
    {"Label13",
     K::kLabel,
     {480, 3000, 4215, 195},
     "Клавиша \"Pause/Break\" - Показать/Скрыть программу"},
    Rule("Line8", 0, 3240, 5160, 3240),
    Rule("Line7", 0, 2940, 5160, 2940),
    Rule("Line6", 60, 2460, 1920, 2460),
    Rule("Line5", 1620, 2040, 1620, 2220),
    {"Label12", K::kLabel, {780, 2220, 1095, 195}, "По умолчанию"},
    {"Label11", K::kLabel, {1440, 1680, 375, 315}, {}, Swatch(Rgb(192, 192, 192))},
    {"Label7", K::kLabel, {540, 1920, 735, 195}, "Окно"},
    {"Label6", K::kLabel, {540, 1560, 735, 195}, "Рамка"},
    {"Label5", K::kLabel, {120, 1860, 375, 315}, {}, Swatch(Rgb(255, 0, 0))},
    {"Label4", K::kLabel, {120, 1500, 375, 315}, {}, Swatch(Rgb(255, 0, 0))},
    Rule("Line4", 3240, 4440, 5100, 4440),
    Rule("Line3", 3240, 4380, 5100, 4380),
    Rule("Line2", 60, 4440, 1920, 4440),
    Rule("Line1", 60, 4380, 1920, 4380),
    {"Label10", K::kLabel, {2940, 2640, 1335, 195}, kMailAddress, {.fore_colour = Rgb(0, 0, 128)}},
    {"Label9",
     K::kLabel,
     {2520, 2460, 2055, 195},
     kWebPage,
     {.fore_colour = Rgb(0, 0, 255), .question_cursor = true}},
    {"Label3", K::kLabel, {60, 3600, 2115, 195}, "Путь сохранения файлов:"},
    {"Label8",
     K::kLabel,
     {2040, 1500, 3015, 1335},
     "Программа сохраняет текст и изображение, находящиеся в буфере обмена. Можно сохранять "
     "текст либо с автоматическим именем, либо указывая его имя самостоятельно.",
     {.word_wrap = true}},
    {"Shape5", K::kShape, {60, 60, 1875, 2835}, {}, kRule},
    {"Label2", K::kLabel, {120, 1260, 1755, 195}, "Цветовые настройки:", kHeading},
    {"Label1", K::kLabel, {120, 60, 1755, 195}, "Общие настройки:", kHeading},
    {"Image1",
     K::kImage,
     {2040, 120, 3015, 1350},
     {},
     {.picture = "eye_photo", .transparent_colour = kNoTransparentColour}},
    {"Shape3", K::kShape, {0, 0, 5175, 4695}, {}, kRule},
    {"Shape4", K::kShape, {1980, 60, 3135, 2835}, {}, kRule},
};

constexpr std::string_view kTabOrder[] = {"Check1",   "Check2",    "Check3",   "Text1",
                                          "Command3", "Command40", "Command1", "HScroll1"};

const FormDesign kDesign{
    .name = "Form2",
    .style = FormStyle::kFixedToolWindow,
    .client_width = 5190,
    .client_height = 4710,
    .caption = "Clipnest v1.0 Настройки",
    .centred = true,
    .controls = kForm2,
    .tab_order = kTabOrder,
};

}  // namespace

const FormDesign& Form2Design() {
  return kDesign;
}

}  // namespace clipnest
