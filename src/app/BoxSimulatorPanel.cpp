#include "app/BoxSimulatorPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

using boxsim::Dialect;
using boxsim::Sensor;

namespace {

constexpr int kMaxRpm = 1200;

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
    shaftLayout->addWidget(slider, 0, 0, 1, 2);
    shaftLayout->addWidget(speed, 1, 0);
    shaftLayout->addWidget(stop, 1, 1);
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
