#pragma once
// The controls of the main diagnosis window (template 102, 373 x 287 dialog
// units): four areas, the "Position" group across the top, the button column
// on the left, the "System state" group with lamps and box picture in the
// middle, and the "Amplitude" group on the right. Each control sits at its
// template rectangle and carries its id as objectName.
//
// Captions are set by the window from the text tables (refreshCaptions), not
// here; this file only builds and places.

#include "display/StatusDisplay.h"
#include "display/widgets/AmplitudeGroup.h"
#include "display/widgets/ClickableLabel.h"
#include "display/widgets/PictureControl.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <array>

class DialogTemplate;

// Window size in dialog units.
constexpr int kMainWindowWidthUnits = 373;
constexpr int kMainWindowHeightUnits = 287;

// Control id of each lamp, in the LampIndex order of the status decoding:
// SPEED WH, SPEED YE, SENSOR WH, SENSOR YE, SIGNAL WH, SIGNAL YE.
constexpr std::array<int, kLampCount> kLampIds = {1023, 1024, 1020, 1022, 1025, 1026};

struct MainWindowControls {
    QGroupBox* positionGroup = nullptr;     // 1012
    QPushButton* directionButton = nullptr; // 1045
    QLabel* markerField = nullptr;          // 1009
    QPushButton* zeroButton = nullptr;      // 1016, also the reference indicator
    QLabel* speedField = nullptr;           // 1007
    QLabel* positionField = nullptr;        // 1008

    QGroupBox* buttonGroup = nullptr;    // 1063
    QPushButton* setupButton = nullptr;  // 1005
    QPushButton* helpButton = nullptr;   // 1006
    QPushButton* exitButton = nullptr;   // 1
    QLabel* recordCaption = nullptr;     // 1040
    QPushButton* recordButton = nullptr; // 1035, toggle, starts disabled
    QLabel* noiseCaption = nullptr;      // 1041
    QPushButton* noiseButton = nullptr;  // 1034, toggle, starts disabled
    QLabel* noiseValue = nullptr;        // 1036
    // 1033: the noise bars or the "Wait" countdown. A plain text control until
    // the noise display takes its place (same id, same rectangle).
    QWidget* noiseArea = nullptr;

    QGroupBox* stateGroup = nullptr;         // 1019
    QPushButton* statusListButton = nullptr; // 1068
    QPushButton* connectButton = nullptr;    // 1049, hidden
    PictureControl* boxPicture = nullptr;    // 1047
    QLabel* yellowLabel = nullptr;           // 1031 "YE"
    QLabel* whiteLabel = nullptr;            // 1030 "WH"
    QLabel* signalCaption = nullptr;         // 1027
    QLabel* sensorCaption = nullptr;         // 1028
    QLabel* speedCaption = nullptr;          // 1029
    std::array<PictureControl*, kLampCount> lamps{};
    ClickableLabel* statusText = nullptr; // 1046

    AmplitudeGroup* amplitudeGroup = nullptr; // 1018

    QLabel* versionLine = nullptr; // 1051
    QLabel* serialLine = nullptr;  // 1052
};

// Creates every control of the window inside `layout`'s window.
MainWindowControls buildMainWindowControls(DialogTemplate& layout);

// The serial-number line takes the width of the whole window while the
// version line beside it is empty (a port problem needs the room), and its
// own field otherwise. The empty version line is hidden meanwhile.
void fitSerialLine(const MainWindowControls& controls, const DialogTemplate& layout);

// Sets the caption of a text control or push button. A caption wider than the
// control (a long word of another language) is drawn in a smaller font
// instead of being cut off.
void setFittedCaption(QLabel* control, const QString& caption);
void setFittedCaption(QPushButton* control, const QString& caption);

// The display fonts, made once from the client size: sx = width / 518,
// sy = height / 414 (the size the window was drawn for).
struct MainWindowFonts {
    double sx = 1.0;
    double sy = 1.0;
    QFont position;     // 1008
    QFont field;        // 1009, 1007, 1031, 1030
    QFont small;        // small texts
    QFont barLabel;     // bar labels and percentage boxes
    QFont barLabelBold; // bar labels once the offsets are known
    QFont large;        // larger display fonts
    QFont larger;
};

MainWindowFonts makeMainWindowFonts(QSize clientSize);
