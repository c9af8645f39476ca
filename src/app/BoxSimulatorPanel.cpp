#include "app/BoxSimulatorPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

using boxsim::Dialect;
using boxsim::Sensor;

namespace {

constexpr int kMaxRpm = 1200;
// The box reports interference in hundredths of what the program shows.
constexpr double kNoiseUnit = 100.0;

} // namespace

BoxSimulatorPanel::BoxSimulatorPanel(boxsim::BoxSimulator& box, QWidget* parent)
    : QWidget(parent, Qt::Window), box_(box) {
    setObjectName(QStringLiteral("boxSimulatorPanel"));
    setWindowTitle(QStringLiteral("Box simulator"));
    auto* layout = new QVBoxLayout(this);

    // The shaft
    auto* shaft = new QGroupBox(QStringLiteral("Shaft"));
    auto* shaftLayout = new QGridLayout(shaft);
    auto* speed = new QSpinBox;
    speed->setObjectName(QStringLiteral("speed"));
    speed->setRange(-kMaxRpm, kMaxRpm);
    speed->setSuffix(QStringLiteral(" rpm"));
    speed->setValue(static_cast<int>(box_.speedRpm()));
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setRange(-kMaxRpm, kMaxRpm);
    slider->setValue(speed->value());
    auto* stop = new QPushButton(QStringLiteral("Stop"));
    // Eccentricity of the washer: the amplitudes, offsets and factors swing
    // with it once per turn.
    auto* eccentricity = new QSpinBox;
    eccentricity->setObjectName(QStringLiteral("eccentricity"));
    eccentricity->setRange(0, 50);
    eccentricity->setPrefix(QStringLiteral("\u00b1"));
    eccentricity->setSuffix(QStringLiteral(" %"));
    eccentricity->setValue(static_cast<int>(std::lround(box_.eccentricity() * 100.0)));
    connect(eccentricity, &QSpinBox::valueChanged, this,
            [this](int percent) { box_.setEccentricity(percent / 100.0); });
    shaftLayout->addWidget(slider, 0, 0, 1, 2);
    shaftLayout->addWidget(speed, 1, 0);
    shaftLayout->addWidget(stop, 1, 1);
    shaftLayout->addWidget(new QLabel(QStringLiteral("Washer eccentricity")), 2, 0);
    shaftLayout->addWidget(eccentricity, 2, 1);
    connect(slider, &QSlider::valueChanged, speed, &QSpinBox::setValue);
    connect(speed, &QSpinBox::valueChanged, slider, &QSlider::setValue);
    connect(speed, &QSpinBox::valueChanged, this, [this](int rpm) { box_.setSpeedRpm(rpm); });
    connect(stop, &QPushButton::clicked, speed, [speed] { speed->setValue(0); });
    layout->addWidget(shaft);

    // The read heads
    auto* heads = new QGroupBox(QStringLiteral("Read heads"));
    auto* headLayout = new QGridLayout(heads);
    headLayout->addWidget(new QLabel(QStringLiteral("Shims")), 0, 1);
    const std::pair<Sensor, const char*> sensors[] = {{Sensor::Yellow, "YE"},
                                                      {Sensor::White, "WH"}};
    int row = 1;
    for (const auto& [sensor, name] : sensors) {
        headLayout->addWidget(new QLabel(QString::fromLatin1(name)), row, 0);
        auto* shims = new QSpinBox;
        shims->setObjectName(QStringLiteral("shims%1").arg(QString::fromLatin1(name)));
        shims->setRange(0, 12);
        shims->setValue(box_.shims(sensor));
        connect(shims, &QSpinBox::valueChanged, this,
                [this, sensor = sensor](int value) { box_.setShims(sensor, value); });
        headLayout->addWidget(shims, row, 1);
        auto* plugged = new QCheckBox(QStringLiteral("plugged in"));
        plugged->setObjectName(QStringLiteral("plugged%1").arg(QString::fromLatin1(name)));
        plugged->setChecked(true);
        connect(plugged, &QCheckBox::toggled, this,
                [this, sensor = sensor](bool on) { box_.setPlugged(sensor, on); });
        headLayout->addWidget(plugged, row, 2);
        ++row;
    }
    layout->addWidget(heads);

    // Interference for the noise measurement, in the figures the main window
    // shows. It is measured at standstill: a turning shaft swamps it.
    auto* noise = new QGroupBox(QStringLiteral("Noise at standstill"));
    auto* noiseLayout = new QGridLayout(noise);
    const auto [noiseA, noiseB] = box_.interference();
    const std::pair<const char*, int> channels[] = {{"A", noiseA}, {"B", noiseB}};
    int column = 0;
    for (const auto& [name, setting] : channels) {
        auto* value = new QDoubleSpinBox;
        value->setObjectName(QStringLiteral("noise%1").arg(QString::fromLatin1(name)));
        value->setRange(0.0, 30.0);
        value->setDecimals(2);
        value->setSingleStep(0.1);
        value->setValue(setting / kNoiseUnit);
        connect(value, &QDoubleSpinBox::valueChanged, this, &BoxSimulatorPanel::applyNoise);
        noiseLayout->addWidget(new QLabel(QString::fromLatin1(name)), 0, column++);
        noiseLayout->addWidget(value, 0, column++);
        noiseValues_[name[0] == 'A' ? 0 : 1] = value;
    }
    auto* noiseHint =
        new QLabel(QStringLiteral("Green up to 1.5, yellow up to 2.0; 20 or more stops it."));
    noiseHint->setWordWrap(true);
    noiseLayout->addWidget(noiseHint, 1, 0, 1, column);
    layout->addWidget(noise);

    // The box
    auto* boxGroup = new QGroupBox(QStringLiteral("Box"));
    auto* boxLayout = new QFormLayout(boxGroup);
    auto* dialect = new QComboBox;
    dialect->setObjectName(QStringLiteral("dialect"));
    dialect->addItem(QStringLiteral("two-letter (current boxes)"));
    dialect->addItem(QStringLiteral("one-letter (older boxes)"));
    dialect->setCurrentIndex(box_.dialect() == Dialect::TwoLetter ? 0 : 1);
    connect(dialect, &QComboBox::currentIndexChanged, this, [this](int index) {
        box_.setDialect(index == 0 ? Dialect::TwoLetter : Dialect::OneLetter);
    });
    boxLayout->addRow(QStringLiteral("Protocol"), dialect);
    layout->addWidget(boxGroup);

    // Faults
    auto* faults = new QGroupBox(QStringLiteral("Faults"));
    auto* faultLayout = new QGridLayout(faults);
    auto* silence = new QPushButton(QStringLiteral("Silence 3 s"));
    connect(silence, &QPushButton::clicked, this,
            [this] { box_.silence(std::chrono::milliseconds(3000)); });
    auto* garbage = new QPushButton(QStringLiteral("Garbage"));
    connect(garbage, &QPushButton::clicked, this, [this] { box_.sendGarbage(64); });
    power_ = new QPushButton(QStringLiteral("Power cycle"));
    connect(power_, &QPushButton::clicked, this, &BoxSimulatorPanel::powerCycle);
    cable_ = new QPushButton(QStringLiteral("Unplug cable"));
    connect(cable_, &QPushButton::clicked, this, &BoxSimulatorPanel::toggleCable);
    faultLayout->addWidget(silence, 0, 0);
    faultLayout->addWidget(garbage, 0, 1);
    faultLayout->addWidget(power_, 1, 0);
    faultLayout->addWidget(cable_, 1, 1);
    layout->addWidget(faults);

    state_ = new QLabel;
    state_->setObjectName(QStringLiteral("state"));
    layout->addWidget(state_);
    layout->addStretch();

    connect(&stateTimer_, &QTimer::timeout, this, &BoxSimulatorPanel::showState);
    stateTimer_.start(500);
    showState();
}

void BoxSimulatorPanel::showState() {
    state_->setText(QStringLiteral("Amplitude YE %1 %, WH %2 %")
                        .arg(box_.amplitude(Sensor::Yellow), 0, 'f', 0)
                        .arg(box_.amplitude(Sensor::White), 0, 'f', 0));
}

void BoxSimulatorPanel::applyNoise() {
    box_.setInterference(static_cast<int>(std::lround(noiseValues_[0]->value() * kNoiseUnit)),
                         static_cast<int>(std::lround(noiseValues_[1]->value() * kNoiseUnit)));
}

void BoxSimulatorPanel::powerCycle() {
    // Off for a second and a half: long enough for the program to notice.
    box_.setPower(false);
    power_->setEnabled(false);
    QTimer::singleShot(1500, this, [this] {
        box_.setPower(true);
        power_->setEnabled(true);
    });
}

void BoxSimulatorPanel::toggleCable() {
    if (cableUnplugged_) {
        box_.reconnect();
        cable_->setText(QStringLiteral("Unplug cable"));
    } else {
        box_.hangUp();
        cable_->setText(QStringLiteral("Plug cable in"));
    }
    cableUnplugged_ = !cableUnplugged_;
}

void BoxSimulatorPanel::placeBeside(const QWidget& window) {
    adjustSize();
    const QRect frame = window.frameGeometry();
    const QScreen* screen = window.screen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect();
    QPoint at(frame.right() + 8, frame.top());
    if (available.isValid() && at.x() + width() > available.right())
        at.setX(std::max(available.left(), frame.left() - frameGeometry().width() - 8));
    move(at);
}
