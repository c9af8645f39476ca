// Gallery shots of the main window's amplitude bars and noise display, each in
// a frame the size of its place in the main window.

#include "Gallery.h"

#include "acquisition/BoxRequests.h"
#include "acquisition/InterferenceDoor.h"
#include "config/MainWindowRows.h"
#include "config/Texts.h"
#include "device/LinkControl.h"
#include "display/widgets/AmplitudeBars.h"
#include "display/widgets/AmplitudeGroup.h"
#include "display/widgets/MainWindowLayout.h"
#include "display/widgets/NoiseDisplay.h"
#include "ui/Artwork.h"
#include "ui/DialogUnits.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include <initializer_list>

namespace {

LinkControl noiseLink;
// The door the noise display's requests go through, as the core's in the program.
BoxRequests noiseDoor{noiseLink, [] { return int64_t{0}; }};

// The "Amplitude" group as the main window places it (133 x 170 dialog units),
// with its bars fed the amplitudes given, in order.
QWidget* amplitudeGroup(std::initializer_list<double> ye, std::initializer_list<double> wh,
                        bool offsetsSeen) {
    auto* window = new QWidget;
    window->setWindowTitle(QStringLiteral("Amplitude"));
    DialogTemplate t(window, 143, 180);
    auto* group = t.place(1018, 5, 5, 133, 170, new AmplitudeGroup);
    group->setTitle(QString::fromUtf8(text(TextTable::MainWindow, mainwindowrow::kAmplitude)));
    auto* bars = new AmplitudeBars;
    group->setBars(bars);
    // The main window's fonts at its own size.
    const MainWindowFonts fonts =
        makeMainWindowFonts(t.units().size(kMainWindowWidthUnits, kMainWindowHeightUnits));
    bars->setLabelFonts(fonts.barLabel, fonts.barLabelBold);
    bars->setOffsetSeen(Head::YE, offsetsSeen);
    bars->setOffsetSeen(Head::WH, offsetsSeen);
    for (double v : ye)
        bars->draw(BarUpdate::newAmplitude(Head::YE, v));
    for (double v : wh)
        bars->draw(BarUpdate::newAmplitude(Head::WH, v));
    return window;
}

// The noise part of the button column: caption 1041, button 1034, value 1036
// and bars 1033, at their places relative to the caption. `ticks` timer ticks
// pass before the last value (the one-letter countdown's steps).
QWidget* noiseColumn(bool twoLetter, std::initializer_list<std::pair<double, double>> values,
                     int ticks = 0) {
    auto* window = new QWidget;
    window->setWindowTitle(QStringLiteral("Noise"));
    DialogTemplate t(window, 80, 60);
    auto* caption = t.place(1041, 5, 5, 70, 20, new QLabel);
    caption->setAlignment(Qt::AlignCenter);
    caption->setText(QString::fromUtf8(text(TextTable::MainWindow, mainwindowrow::kMeasureNoise)));
    auto* button = t.place(1034, 15, 25, 50, 15, new QPushButton);
    button->setIconSize(QSize(button->height() - 6, button->height() - 6));
    auto* value = t.place(1036, 1, 45, 19, 13, new QLabel);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* noise = t.place(1033, 20, 44, 40, 13,
                          new NoiseDisplay(noiseLink, interferenceRequestsThrough(noiseDoor)));
    noise->attach(button, value);

    noiseLink.noData = false;
    noiseLink.boxStarting = false;
    noiseLink.newProtocol = twoLetter;
    noiseLink.pendingCommand = kNoCommand;
    button->setChecked(true);
    noise->toggleNoise(true);
    noiseLink.pendingCommand = kNoCommand; // the request went out
    for (const auto& [a, b] : values)
        noise->showNoise(a, b);
    for (int i = 0; i < ticks; ++i) {
        noise->tick();
        noise->showNoise(1.0, 1.0);
    }
    return window;
}

} // namespace

ORVATIX_GALLERY_SHOT(app_amplitude_reset) {
    return amplitudeGroup({}, {}, false);
}

ORVATIX_GALLERY_SHOT(app_amplitude_46) {
    return amplitudeGroup({46.0}, {46.3}, false);
}

ORVATIX_GALLERY_SHOT(app_amplitude_40_to_90) {
    return amplitudeGroup({40.0, 90.0, 62.3}, {45.0, 80.0, 71.0}, true);
}

ORVATIX_GALLERY_SHOT(app_amplitude_over_200) {
    return amplitudeGroup({120.0, 250.0}, {15.0, 5.0, 20.0}, true);
}

ORVATIX_GALLERY_SHOT(app_noise_green) {
    return noiseColumn(true, {{15.0, 9.0}});
}

ORVATIX_GALLERY_SHOT(app_noise_yellow) {
    return noiseColumn(true, {{4.0, 20.0}});
}

ORVATIX_GALLERY_SHOT(app_noise_red) {
    return noiseColumn(true, {{72.0, 160.0}});
}

ORVATIX_GALLERY_SHOT(app_noise_wait) {
    return noiseColumn(false, {{1.0, 1.0}});
}

// The one-letter countdown step by step, to the first value.
ORVATIX_GALLERY_SHOT(app_noise_countdown) {
    auto* sheet = new QWidget;
    sheet->setWindowTitle(QStringLiteral("Noise countdown"));
    auto* row = new QHBoxLayout(sheet);
    for (int ticks = 0; ticks <= 4; ++ticks) {
        QWidget* column = noiseColumn(false, {{1.0, 1.0}}, ticks);
        column->setFixedSize(column->size());
        row->addWidget(column);
    }
    return sheet;
}
