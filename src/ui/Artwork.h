#pragma once
// The program's pictures and icons: SVG files compiled into the program
// (resources/resources.qrc), drawn at whatever size a control has.

#include <QIcon>
#include <QPixmap>
#include <QRectF>
#include <QString>

class QPainter;

enum class Art {
    ProgramIcon,
    // Lamps of the "System state" group, 32 x 32
    LampGreen,
    LampYellow,
    LampRed,
    LampGrey,
    // Box pictures of control 1047, 48 x 48
    BoxWait,
    BoxAdc,
    BoxSensor,
    BoxHardware,
    BoxDac,
    BoxLearn,
    BoxLearnRef,
    BoxLearnNoRef,
    BoxRestart,
    BoxSignalRef,
    BoxSignalNoRef,
    // The two no-data pictures that alternate while the line is silent
    BoxNoDataA,
    BoxNoDataB,
    // Button icons of the main window
    DirectionPlus,
    DirectionMinus,
    ZeroPoint,
    RecordOff,
    RecordOn,
    NoiseIdle,
    NoiseGreen,
    NoiseYellow,
    NoiseRed,
    CloseCross,
    // The start menu's cut-away view of the bearing
    StartPicture,
    // Advice pictures of the teach-in wizard, 48 x 48: the sensor beside the
    // shaft washer (ok, or an arrow towards or away from it, dark and bright
    // green in turn), and the shaft to turn (dark, bright, done)
    WizardYeOk,
    WizardYeCloserDark,
    WizardYeCloserBright,
    WizardYeAwayDark,
    WizardYeAwayBright,
    WizardWhOk,
    WizardWhCloserDark,
    WizardWhCloserBright,
    WizardWhAwayDark,
    WizardWhAwayBright,
    WizardRotateDark,
    WizardRotateBright,
    WizardRotateDone,
};

constexpr int kArtCount = static_cast<int>(Art::WizardRotateDone) + 1;

// Resource path of the picture (":/art/lamp_green.svg").
QString artPath(Art art);

// Short name used in file names and the gallery ("lamp_green").
QString artName(Art art);

// The picture's own size in pixels.
QSize artSize(Art art);

// Draws the picture stretched over `target`.
void drawArt(QPainter& painter, Art art, const QRectF& target);

// The picture rendered to a pixmap of `size` logical pixels at `devicePixelRatio`.
QPixmap artPixmap(Art art, QSize size, qreal devicePixelRatio = 1.0);

// An icon with sharp renderings from 16 to 64 pixels.
QIcon artIcon(Art art);
