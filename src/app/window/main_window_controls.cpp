#include "main_window_controls.h"

#include <array>

namespace quorvix::app {

namespace {

constexpr FontChoice kDefaultFont{};
constexpr FontChoice kBoldLabelFont{FontFace::MsSansSerif, 8.25, true};
constexpr FontChoice kInputFont{FontFace::Fixedsys, 9, false};
constexpr FontChoice kOutputFont{FontFace::Fixedsys, 9, true};

constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kRed = 0xffff0000;
constexpr QRgb kGreen = 0xff00ff00;

constexpr Qt::Alignment kCentred = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr std::nullopt_t kStyleColour = std::nullopt;

using enum ControlKind;

// clang-format off
constexpr std::array kControls{
    //           name                 kind          caption                                                  left  top   width height  font            fore          back          align     tab  accessible name and description
    ControlRow{"InputLabel",        Label,        u"&Input:",                                             {60,   120,  4815, 195},  kBoldLabelFont, kStyleColour, kStyleColour, kCentred, 0, u"Input", u"Label of the input line"},
    ControlRow{"StmCmdLabel",       Label,        u"(evaluation or statement - begin statements with !)", {60,   360,  4815, 195},  kDefaultFont,   kStyleColour, kStyleColour, kCentred, 1, u"evaluation or statement", u"Type an expression to evaluate, or a statement beginning with !"},
    ControlRow{"Command",           InputLine,    u"",                                                    {120,  600,  4695, 585},  kInputFont,     kRed,         kBlack,       kCentred, 2, u"input line", u"The expression or statement to evaluate; Enter evaluates it"},
    ControlRow{"OK",                PushButton,   u"&OK",                                                 {2040, 1260, 855,  375},  kDefaultFont,   kStyleColour, kStyleColour, kCentred, 3, u"evaluate", u"Evaluates the input line and shows the answer in the output box"},
    ControlRow{"AnsLabel",          Label,        u"&Output:",                                            {60,   1800, 4815, 195},  kBoldLabelFont, kStyleColour, kStyleColour, kCentred, 4, u"Output", u"Label of the output box"},
    ControlRow{"Ans",               OutputBox,    u"",                                                    {120,  2040, 4695, 345},  kOutputFont,    kGreen,       kBlack,       kCentred, 5, u"output box", u"The answer of the last evaluation, or what went wrong"},
    ControlRow{"FunctionTypeLabel", Label,        u"Function &Type:",                                     {660,  2580, 1335, 195},  kBoldLabelFont, kStyleColour, kStyleColour, kRight,   6, u"Function type", u"Label of the script language options"},
    ControlRow{"VBScript",          OptionButton, u"&VBScript",                                           {2100, 2580, 975,  195},  kDefaultFont,   kStyleColour, kStyleColour, kLeft,    7, u"VBScript", u"Evaluate in VBScript; the language is fixed by the first evaluation"},
    ControlRow{"JavaScript",        OptionButton, u"&JavaScript",                                         {3120, 2580, 1095, 195},  kDefaultFont,   kStyleColour, kStyleColour, kLeft,    8, u"JavaScript", u"Evaluate in JavaScript; the language is fixed by the first evaluation"},
    ControlRow{"Close",             PushButton,   u"&Close",                                              {180,  3000, 1455, 435},  kDefaultFont,   kStyleColour, kStyleColour, kCentred, 9, u"close", u"Ends the program at once, without saving the settings"},
    ControlRow{"HelpButton",        PushButton,   u"&Help",                                               {1740, 3000, 1455, 435},  kDefaultFont,   kStyleColour, kStyleColour, kCentred, 10, u"help", u"Opens the help window"},
    ControlRow{"Keypad",            PushButton,   u"&Keypad >>",                                          {3300, 3000, 1455, 435},  kDefaultFont,   kStyleColour, kStyleColour, kCentred, 11, u"keypad", u"Shows or hides the keypad"},
    ControlRow{"CopyInput",         WrapButton,   u"C&opy Input to Clipboard",                            {120,  1320, 1275, 555},  kDefaultFont,   kStyleColour, kStyleColour, kCentred, 54, u"copy input to clipboard", u"Copies the input line's text to the clipboard"},
    ControlRow{"CopyOutput",        WrapButton,   u"Co&py Output to Clipboard",                           {3540, 1320, 1275, 555},  kDefaultFont,   kStyleColour, kStyleColour, kCentred, 55, u"copy output to clipboard", u"Copies the output box's text to the clipboard"},
};
// clang-format on

} // namespace

std::span<const ControlRow> mainWindowControls() {
    return kControls;
}

} // namespace quorvix::app
