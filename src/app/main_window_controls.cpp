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
    //           name                 kind          caption                                                  left  top   width height  font            fore          back          align     tab
    ControlRow{"InputLabel",        Label,        u"&Input:",                                             {60,   120,  4815, 195},  kBoldLabelFont, kStyleColour, kStyleColour, kCentred, 0},
    ControlRow{"StmCmdLabel",       Label,        u"(evaluation or statement - begin statements with !)", {60,   360,  4815, 195},  kDefaultFont,   kStyleColour, kStyleColour, kCentred, 1},
    ControlRow{"Command",           InputLine,    u"",                                                    {120,  600,  4695, 585},  kInputFont,     kRed,         kBlack,       kCentred, 2},
    ControlRow{"OK",                PushButton,   u"&OK",                                                 {2040, 1260, 855,  375},  kDefaultFont,   kStyleColour, kStyleColour, kCentred, 3},
    ControlRow{"AnsLabel",          Label,        u"&Output:",                                            {60,   1800, 4815, 195},  kBoldLabelFont, kStyleColour, kStyleColour, kCentred, 4},
    ControlRow{"Ans",               OutputBox,    u"",                                                    {120,  2040, 4695, 345},  kOutputFont,    kGreen,       kBlack,       kCentred, 5},
    ControlRow{"FunctionTypeLabel", Label,        u"Function &Type:",                                     {660,  2580, 1335, 195},  kBoldLabelFont, kStyleColour, kStyleColour, kRight,   6},
    ControlRow{"VBScript",          OptionButton, u"&VBScript",                                           {2100, 2580, 975,  195},  kDefaultFont,   kStyleColour, kStyleColour, kLeft,    7},
    ControlRow{"JavaScript",        OptionButton, u"&JavaScript",                                         {3120, 2580, 1095, 195},  kDefaultFont,   kStyleColour, kStyleColour, kLeft,    8},
    ControlRow{"Close",             PushButton,   u"&Close",                                              {180,  3000, 1455, 435},  kDefaultFont,   kStyleColour, kStyleColour, kCentred, 9},
    ControlRow{"HelpButton",        PushButton,   u"&Help",                                               {1740, 3000, 1455, 435},  kDefaultFont,   kStyleColour, kStyleColour, kCentred, 10},
    ControlRow{"Keypad",            PushButton,   u"&Keypad >>",                                          {3300, 3000, 1455, 435},  kDefaultFont,   kStyleColour, kStyleColour, kCentred, 11},
    ControlRow{"CopyInput",         WrapButton,   u"C&opy Input to Clipboard",                            {120,  1320, 1275, 555},  kDefaultFont,   kStyleColour, kStyleColour, kCentred, 54},
    ControlRow{"CopyOutput",        WrapButton,   u"Co&py Output to Clipboard",                           {3540, 1320, 1275, 555},  kDefaultFont,   kStyleColour, kStyleColour, kCentred, 55},
};
// clang-format on

} // namespace

std::span<const ControlRow> mainWindowControls() {
    return kControls;
}

} // namespace quorvix::app
