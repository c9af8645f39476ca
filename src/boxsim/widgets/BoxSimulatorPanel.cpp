#include "boxsim/widgets/BoxSimulatorPanel.h"

#include "config/Bearings.h"
#include "config/ConfigData.h"
#include "ui/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

using boxsim::BoxKind;
using boxsim::Dialect;
using boxsim::Sensor;
using boxsim::TeachPhase;

namespace {

// Rows of TextTable::BoxSimulator.
enum Row {
    kTitle,
    kShaft,
    kSpeed,
    kRpm,
    kBackwards,
    kStop,
    kTeachInSpeed,
    kEccentricity,
    kHeads,
    kShims,
    kPluggedIn,
    kSignalErrors,
    kOffsetA,
    kOffsetB,
    kRatio,
    kPhase,
    kNoise,
    kNoiseHint,
    kBox,
    kProtocol,
    kTwoLetter,
    kOneLetter,
    kReference,
    kCodedReference,
    kOneReference,
    kNoReference,
    kTeachIn,
    kBlank, // the teach-in phases follow in their order
    kErase = kBlank + 6,
    kFaults,
    kSilence,
    kGarbage,
    kPowerCycle,
    kUnplugCable,
    kPlugCable,
    kAmplitudes,
    kPulseRate,
    kFitsNoBearing,
};

constexpr double kMaxRpm = 1200.0;
// The box learns at this speed or below; the button turns it a little slower.
constexpr double kTeachInRpm = 2.0;
// One shim under a head is this thick.
constexpr double kShimMm = 0.025;
constexpr int kMaxShims = 30;
// The box reports interference in hundredths of what the program shows.
constexpr double kNoiseUnit = 100.0;

QString panelText(int row) {
    return uiText(TextTable::BoxSimulator, row);
}

QGroupBox* group(QLayout* into) {
    auto* g = new QGroupBox;
    into->addWidget(g);
    return g;
}

} // namespace

static_assert(static_cast<int>(TeachPhase::Stored) == kErase - kBlank - 1,
              "a text row for every teach-in phase");

int BoxSimulatorPanel::teachPhaseRow(TeachPhase phase) {
    return kBlank + static_cast<int>(phase);
}

BoxSimulatorPanel::BoxSimulatorPanel(boxsim::BoxSimulator& box, QWidget* parent)
    : QWidget(parent, Qt::Window), box_(box) {
    setObjectName(QStringLiteral("boxSimulatorPanel"));
    caption(kTitle, [this](const QString& t) { setWindowTitle(t); });
    auto* layout = new QVBoxLayout(this);
    const auto label = [this](int row) {
        auto* l = new QLabel;
        caption(row, [l](const QString& t) { l->setText(t); });
        return l;
    };
    const auto button = [this](int row) {
        auto* b = new QPushButton;
        caption(row, [b](const QString& t) { b->setText(t); });
        return b;
    };
    const auto titled = [this](QGroupBox* g, int row) {
        caption(row, [g](const QString& t) { g->setTitle(t); });
    };

    // The shaft: speed and direction apart, so that slow teach-in speeds are
    // easy to set.
    QGroupBox* shaft = group(layout);
    titled(shaft, kShaft);
    auto* shaftLayout = new QGridLayout(shaft);
    speed_ = new QDoubleSpinBox;
    speed_->setObjectName(QStringLiteral("speed"));
    speed_->setRange(0.0, kMaxRpm);
    speed_->setDecimals(1);
    speed_->setSingleStep(0.5);
    speed_->setValue(std::fabs(box_.speedRpm()));
    caption(kRpm, [this](const QString& t) { speed_->setSuffix(t); });
    backwards_ = new QCheckBox;
    backwards_->setObjectName(QStringLiteral("backwards"));
    backwards_->setChecked(box_.speedRpm() < 0);
    caption(kBackwards, [this](const QString& t) { backwards_->setText(t); });
    connect(speed_, &QDoubleSpinBox::valueChanged, this, &BoxSimulatorPanel::applySpeed);
    connect(backwards_, &QCheckBox::toggled, this, &BoxSimulatorPanel::applySpeed);
    auto* stop = button(kStop);
    stop->setObjectName(QStringLiteral("stop"));
    connect(stop, &QPushButton::clicked, this, [this] { speed_->setValue(0.0); });
    auto* teachInSpeed = button(kTeachInSpeed);
    teachInSpeed->setObjectName(QStringLiteral("teachInSpeed"));
    connect(teachInSpeed, &QPushButton::clicked, this, [this] { speed_->setValue(kTeachInRpm); });
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
    shaftLayout->addWidget(label(kSpeed), 0, 0);
    shaftLayout->addWidget(speed_, 0, 1);
    shaftLayout->addWidget(backwards_, 0, 2);
    shaftLayout->addWidget(stop, 1, 1);
    shaftLayout->addWidget(teachInSpeed, 1, 2);
    shaftLayout->addWidget(label(kEccentricity), 2, 0, 1, 2);
    shaftLayout->addWidget(eccentricity, 2, 2);

    // The read heads: shims in their real thickness, and the plug.
    QGroupBox* heads = group(layout);
    titled(heads, kHeads);
    auto* headLayout = new QGridLayout(heads);
    headLayout->addWidget(label(kShims), 0, 1);
    const std::pair<Sensor, const char*> sensors[] = {{Sensor::Yellow, "YE"},
                                                      {Sensor::White, "WH"}};
    int row = 1;
    for (const auto& [sensor, name] : sensors) {
        const QString head = QString::fromLatin1(name);
        headLayout->addWidget(new QLabel(head), row, 0);
        auto* shims = new QDoubleSpinBox;
        shims->setObjectName(QStringLiteral("shims%1").arg(head));
        shims->setRange(0.0, kMaxShims * kShimMm);
        shims->setDecimals(3);
        shims->setSingleStep(kShimMm);
        shims->setSuffix(QStringLiteral(" mm"));
        shims->setValue(box_.shims(sensor) * kShimMm);
        connect(shims, &QDoubleSpinBox::valueChanged, this, [this, sensor = sensor](double mm) {
            box_.setShims(sensor, static_cast<int>(std::lround(mm / kShimMm)));
        });
        headLayout->addWidget(shims, row, 1);
        auto* plugged = new QCheckBox;
        plugged->setObjectName(QStringLiteral("plugged%1").arg(head));
        plugged->setChecked(true);
        caption(kPluggedIn, [plugged](const QString& t) { plugged->setText(t); });
        connect(plugged, &QCheckBox::toggled, this,
                [this, sensor = sensor](bool on) { box_.setPlugged(sensor, on); });
        headLayout->addWidget(plugged, row, 2);
        ++row;
    }

    // Signal errors of each head's two channels, as the channel values show
    // them.
    QGroupBox* signal = group(layout);
    titled(signal, kSignalErrors);
    auto* signalLayout = new QGridLayout(signal);
    struct Field {
        int row;
        const char* id;
        double low, high, step;
        int decimals;
        const char* suffix;
    };
    static constexpr Field kFields[4] = {
        {kOffsetA, "offsetA", -50.0, 50.0, 0.5, 1, " %"},
        {kOffsetB, "offsetB", -50.0, 50.0, 0.5, 1, " %"},
        {kRatio, "ratio", 0.5, 2.0, 0.01, 2, ""},
        {kPhase, "phase", -45.0, 45.0, 1.0, 1, "\u00b0"},
    };
    for (int f = 0; f < 4; ++f)
        signalLayout->addWidget(label(kFields[f].row), 0, f + 1);
    row = 1;
    for (const auto& [sensor, name] : sensors) {
        const QString head = QString::fromLatin1(name);
        signalLayout->addWidget(new QLabel(head), row, 0);
        const boxsim::SignalErrors now = box_.signalErrors(sensor);
        const double values[4] = {now.offsetA, now.offsetB, now.ratio, now.phase};
        for (int f = 0; f < 4; ++f) {
            auto* field = new QDoubleSpinBox;
            field->setObjectName(QString::fromLatin1(kFields[f].id) + head);
            field->setRange(kFields[f].low, kFields[f].high);
            field->setSingleStep(kFields[f].step);
            field->setDecimals(kFields[f].decimals);
            field->setSuffix(QString::fromUtf8(kFields[f].suffix));
            field->setValue(values[f]);
            connect(field, &QDoubleSpinBox::valueChanged, this,
                    [this, sensor = sensor] { applySignalErrors(sensor); });
            signalLayout->addWidget(field, row, f + 1);
            signalErrors_[static_cast<int>(sensor)][f] = field;
        }
        ++row;
    }

    // Interference for the noise measurement, in the figures the main window
    // shows. It is measured at standstill: a turning shaft swamps it.
    QGroupBox* noise = group(layout);
    titled(noise, kNoise);
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
    auto* noiseHint = label(kNoiseHint);
    noiseHint->setWordWrap(true);
    noiseLayout->addWidget(noiseHint, 1, 0, 1, column);

    // The box: its protocol, its kind and how far its teach-in has come.
    QGroupBox* boxGroup = group(layout);
    titled(boxGroup, kBox);
    auto* boxLayout = new QFormLayout(boxGroup);
    auto* dialect = new QComboBox;
    dialect->setObjectName(QStringLiteral("dialect"));
    dialect->addItem(QString());
    dialect->addItem(QString());
    caption(kTwoLetter, [dialect](const QString& t) { dialect->setItemText(0, t); });
    caption(kOneLetter, [dialect](const QString& t) { dialect->setItemText(1, t); });
    dialect->setCurrentIndex(box_.dialect() == Dialect::TwoLetter ? 0 : 1);
    connect(dialect, &QComboBox::currentIndexChanged, this, [this](int index) {
        box_.setDialect(index == 0 ? Dialect::TwoLetter : Dialect::OneLetter);
    });
    boxLayout->addRow(label(kProtocol), dialect);
    // The items stand in the order of BoxKind.
    auto* kind = new QComboBox;
    kind->setObjectName(QStringLiteral("kind"));
    for (int k = 0; k < 3; ++k) {
        kind->addItem(QString());
        caption(kCodedReference + k, [kind, k](const QString& t) { kind->setItemText(k, t); });
    }
    kind->setCurrentIndex(static_cast<int>(box_.kind()));
    connect(kind, &QComboBox::currentIndexChanged, this, [this](int index) {
        restartWith([this, index] { box_.setKind(static_cast<BoxKind>(index)); });
    });
    boxLayout->addRow(label(kReference), kind);
    // The box's line count; the demo starts it on the selected bearing's.
    auto* rateRow = new QHBoxLayout;
    pulseRate_ = new QSpinBox;
    pulseRate_->setObjectName(QStringLiteral("pulseRate"));
    pulseRate_->setRange(shaft::kMinPulseRate, shaft::kMaxPulseRate);
    pulseRate_->setKeyboardTracking(false); // one restart for the number typed
    pulseRate_->setValue(box_.pulseRate());
    connect(pulseRate_, &QSpinBox::valueChanged, this, [this](int rate) {
        if (rate != box_.pulseRate())
            restartWith([this, rate] { box_.setPulseRate(rate); });
    });
    auto* noBearing = button(kFitsNoBearing);
    noBearing->setObjectName(QStringLiteral("fitsNoBearing"));
    connect(noBearing, &QPushButton::clicked, this, [this] {
        pulseRate_->setValue(rateFittingNoBearing(bearingTable, bearingCount, configData.pulseRate,
                                                  minPulseRate, maxPulseRate));
    });
    rateRow->addWidget(pulseRate_, 1);
    rateRow->addWidget(noBearing);
    boxLayout->addRow(label(kPulseRate), rateRow);
    auto* teachRow = new QHBoxLayout;
    teachState_ = new QLineEdit;
    teachState_->setObjectName(QStringLiteral("teachState"));
    teachState_->setReadOnly(true);
    teachState_->setFocusPolicy(Qt::NoFocus);
    auto* erase = button(kErase);
    erase->setObjectName(QStringLiteral("eraseTeachIn"));
    connect(erase, &QPushButton::clicked, this, [this] {
        box_.eraseTeachIn();
        showState();
    });
    teachRow->addWidget(teachState_, 1);
    teachRow->addWidget(erase);
    boxLayout->addRow(label(kTeachIn), teachRow);

    // Faults
    QGroupBox* faults = group(layout);
    titled(faults, kFaults);
    auto* faultLayout = new QGridLayout(faults);
    auto* silence = button(kSilence);
    connect(silence, &QPushButton::clicked, this,
            [this] { box_.silence(std::chrono::milliseconds(3000)); });
    auto* garbage = button(kGarbage);
    connect(garbage, &QPushButton::clicked, this, [this] { box_.sendGarbage(64); });
    power_ = button(kPowerCycle);
    connect(power_, &QPushButton::clicked, this, &BoxSimulatorPanel::powerCycle);
    cable_ = new QPushButton;
    caption(kUnplugCable, [this](const QString& t) {
        if (!cableUnplugged_)
            cable_->setText(t);
    });
    caption(kPlugCable, [this](const QString& t) {
        if (cableUnplugged_)
            cable_->setText(t);
    });
    connect(cable_, &QPushButton::clicked, this, &BoxSimulatorPanel::toggleCable);
    faultLayout->addWidget(silence, 0, 0);
    faultLayout->addWidget(garbage, 0, 1);
    faultLayout->addWidget(power_, 1, 0);
    faultLayout->addWidget(cable_, 1, 1);

    state_ = new QLabel;
    state_->setObjectName(QStringLiteral("state"));
    layout->addWidget(state_);
    layout->addStretch();

    retranslate();
    connect(&stateTimer_, &QTimer::timeout, this, &BoxSimulatorPanel::showState);
    stateTimer_.start(500);
    showState();
}

void BoxSimulatorPanel::caption(int row, std::function<void(const QString&)> show) {
    show(panelText(row));
    captions_.emplace_back(row, std::move(show));
}

void BoxSimulatorPanel::retranslate() {
    language_ = configData.language;
    for (const auto& [row, show] : captions_)
        show(panelText(row));
}

void BoxSimulatorPanel::showState() {
    // The program's language can change in its setup dialog at any time.
    if (configData.language != language_)
        retranslate();
    teachState_->setText(panelText(teachPhaseRow(box_.teachPhase())));
    // The box's line count may change from outside (the demo follows the
    // bearing chosen in the setup); not while the user types one.
    if (!pulseRate_->hasFocus() && pulseRate_->value() != box_.pulseRate()) {
        const QSignalBlocker quiet(pulseRate_);
        pulseRate_->setValue(box_.pulseRate());
    }
    state_->setText(panelText(kAmplitudes)
                        .arg(box_.amplitude(Sensor::Yellow), 0, 'f', 0)
                        .arg(box_.amplitude(Sensor::White), 0, 'f', 0));
}

void BoxSimulatorPanel::applySpeed() {
    box_.setSpeedRpm(backwards_->isChecked() ? -speed_->value() : speed_->value());
}

void BoxSimulatorPanel::applyNoise() {
    box_.setInterference(static_cast<int>(std::lround(noiseValues_[0]->value() * kNoiseUnit)),
                         static_cast<int>(std::lround(noiseValues_[1]->value() * kNoiseUnit)));
}

void BoxSimulatorPanel::applySignalErrors(Sensor sensor) {
    QDoubleSpinBox* const* f = signalErrors_[static_cast<int>(sensor)];
    box_.setSignalErrors(sensor, {f[0]->value(), f[1]->value(), f[2]->value(), f[3]->value()});
}

void BoxSimulatorPanel::powerCycle() {
    restartWith([] {});
}

void BoxSimulatorPanel::restartWith(const std::function<void()>& change) {
    change();
    // Already off: the change is there when it comes on again.
    if (!power_->isEnabled())
        return;
    // Off for a second and a half: long enough for the program to notice and
    // ask the box who it is again.
    box_.setPower(false);
    power_->setEnabled(false);
    QTimer::singleShot(1500, this, [this] {
        box_.setPower(true);
        power_->setEnabled(true);
    });
}

int32_t BoxSimulatorPanel::rateFittingNoBearing(const BearingEntry* table, int count,
                                                int32_t selected, int32_t low, int32_t high) {
    // Steps of 24 lines keep it a plausible line count for a washer.
    constexpr int32_t kStep = 24;
    for (int32_t distance = kStep; distance <= high - low + kStep; distance += kStep) {
        for (const int32_t rate : {selected + distance, selected - distance}) {
            if (rate >= low && rate <= high && findBearingByPulses(table, count, rate) < 0)
                return rate;
        }
    }
    return selected;
}

void BoxSimulatorPanel::toggleCable() {
    if (cableUnplugged_)
        box_.reconnect();
    else
        box_.hangUp();
    cableUnplugged_ = !cableUnplugged_;
    cable_->setText(panelText(cableUnplugged_ ? kPlugCable : kUnplugCable));
}
