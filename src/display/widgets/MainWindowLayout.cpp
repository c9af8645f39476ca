#include "display/widgets/MainWindowLayout.h"

#include "ui/DialogUnits.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace {

QLabel* textControl(Qt::Alignment alignment, bool sunken = false) {
    auto* label = new QLabel;
    label->setAlignment(alignment | Qt::AlignVCenter);
    if (sunken) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
        label->setAutoFillBackground(true);
    }
    return label;
}

QPushButton* iconButton(Art art, bool toggle) {
    auto* button = new QPushButton;
    button->setIcon(artIcon(art));
    button->setCheckable(toggle);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

// Icons fill their button but leave room for the button's frame.
void fitIcon(QPushButton* button) {
    const int side = std::max(8, std::min(button->width(), button->height()) - 6);
    button->setIconSize(QSize(side, side));
}

// The lines below the groups, in dialog units.
constexpr int kSerialLineX = 10;
constexpr int kSerialLineWidth = 125;
constexpr int kVersionLineX = 203;
constexpr int kVersionLineEnd = 363;

} // namespace

MainWindowControls buildMainWindowControls(DialogTemplate& t) {
    MainWindowControls c;
    const auto right = Qt::AlignRight;
    const auto centre = Qt::AlignHCenter;

    // Group boxes first, so that the controls inside them lie on top.
    c.positionGroup = t.place(1012, 10, 16, 356, 73, new QGroupBox);
    c.buttonGroup = t.place(1063, 10, 93, 80, 170, new QGroupBox);
    c.stateGroup = t.place(1019, 100, 93, 122, 170, new QGroupBox);
    c.amplitudeGroup = t.place(1018, 233, 93, 133, 170, new AmplitudeGroup);

    // Position group
    c.directionButton = t.place(1045, 15, 33, 25, 25, iconButton(Art::DirectionPlus, false));
    c.markerField = t.place(1009, 45, 33, 70, 25, textControl(right, true));
    c.zeroButton = t.place(1016, 15, 58, 25, 25, iconButton(Art::ZeroPoint, false));
    c.speedField = t.place(1007, 45, 58, 70, 25, textControl(right, true));
    c.positionField = t.place(1008, 115, 33, 243, 50, textControl(right, true));

    // Button column
    c.setupButton = t.place(1005, 25, 103, 50, 15, new QPushButton);
    c.helpButton = t.place(1006, 25, 123, 50, 15, new QPushButton);
    c.exitButton = t.place(1, 25, 143, 50, 15, new QPushButton);
    c.exitButton->setDefault(true);
    c.recordCaption = t.place(1040, 15, 168, 70, 20, textControl(centre));
    c.recordButton = t.place(1035, 25, 188, 50, 15, iconButton(Art::RecordOff, true));
    c.recordButton->setEnabled(false);
    c.noiseCaption = t.place(1041, 15, 208, 70, 20, textControl(centre));
    c.noiseButton = t.place(1034, 25, 228, 50, 15, iconButton(Art::NoiseIdle, true));
    c.noiseButton->setEnabled(false);
    // The value ends where the noise bars begin (its template field reaches
    // 5 units into theirs, and the bars covered its last digit).
    c.noiseValue = t.place(1036, 11, 248, 19, 13, textControl(right));
    c.noiseArea = t.place(1033, 30, 247, 40, 13, textControl(Qt::AlignLeft));
    c.noiseArea->hide();

    // System state group
    c.statusListButton = t.place(1068, 104, 100, 6, 6, new QPushButton);
    c.statusListButton->setFocusPolicy(Qt::NoFocus);
    // The caption starts right of the small status-list button, which sits
    // in the group's top left corner.
    c.stateGroup->setStyleSheet(
        QStringLiteral("QGroupBox::title { subcontrol-origin: margin; left: %1px; }")
            .arg(t.units().x(8) + 2));
    c.connectButton = t.place(1049, 182, 97, 38, 14, new QPushButton(QStringLiteral("Verbinden")));
    c.connectButton->hide();
    c.boxPicture = t.place(1047, 140, 113, 40, 30, new PictureControl(Art::BoxWait));
    c.yellowLabel = t.place(1031, 112, 143, 25, 20, textControl(centre));
    c.whiteLabel = t.place(1030, 189, 143, 25, 20, textControl(centre));
    c.yellowLabel->setText(QStringLiteral("YE"));
    c.whiteLabel->setText(QStringLiteral("WH"));
    // The lamp captions take the whole gap between the two lamp columns (their
    // template fields, 40 units wide, centred in it) so that a long word such
    // as "Geschwindigkeit" keeps a legible size.
    c.signalCaption = t.place(1027, 136, 163, 52, 15, textControl(centre));
    c.sensorCaption = t.place(1028, 136, 188, 52, 15, textControl(centre));
    c.speedCaption = t.place(1029, 136, 213, 52, 15, textControl(centre));
    const int lampRows[kLampCount] = {213, 213, 188, 188, 163, 163}; // LampIndex order
    for (int i = 0; i < kLampCount; ++i) {
        const bool white = (i % 2) == 0;
        c.lamps[i] = t.place(kLampIds[i], white ? 190 : 113, lampRows[i], 20, 20,
                             new PictureControl(Art::LampGreen));
    }
    c.statusText = t.place(1046, 105, 233, 115, 26, new ClickableLabel);
    c.statusText->setAlignment(Qt::AlignCenter);
    c.statusText->setWordWrap(true);

    // Lines below the groups
    c.versionLine = t.place(1051, kVersionLineX, 269, 160, 10, textControl(right));
    c.serialLine =
        t.place(1052, kSerialLineX, 269, kSerialLineWidth, 10, textControl(Qt::AlignLeft));

    for (QPushButton* button : {c.directionButton, c.zeroButton, c.recordButton, c.noiseButton})
        fitIcon(button);
    return c;
}

void fitSerialLine(const MainWindowControls& c, const DialogTemplate& t) {
    const bool versionShown = !c.versionLine->text().isEmpty();
    c.versionLine->setVisible(versionShown);
    const int width = versionShown ? kSerialLineWidth : kVersionLineEnd - kSerialLineX;
    QRect r = c.serialLine->geometry();
    r.setWidth(t.units().x(width));
    if (r != c.serialLine->geometry())
        c.serialLine->setGeometry(r);
}

namespace {

// The window's font, made smaller until the widest line of `caption` fits
// into `width` pixels (but not below a legible size).
QFont fittedFont(const QWidget& control, const QString& caption, int width) {
    QFont font =
        control.parentWidget() != nullptr ? control.parentWidget()->font() : control.font();
    int widest = 0;
    for (const QString& line : caption.split(QLatin1Char('\n')))
        widest = std::max(widest, QFontMetrics(font).horizontalAdvance(line));
    if (widest <= width || width <= 0)
        return font;
    const qreal size = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize();
    const qreal smaller = std::max<qreal>(size * width / widest, size * 0.6);
    if (font.pointSizeF() > 0)
        font.setPointSizeF(smaller);
    else
        font.setPixelSize(static_cast<int>(smaller));
    return font;
}

} // namespace

void setFittedCaption(QLabel* control, const QString& caption) {
    control->setFont(fittedFont(*control, caption, control->contentsRect().width() - 2));
    control->setText(caption);
}

void setFittedCaption(QPushButton* control, const QString& caption) {
    control->setFont(fittedFont(*control, caption, control->width() - 8));
    control->setText(caption);
}

namespace {

QFont arial(double pixelHeight, QFont::Weight weight) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelHeight))));
    font.setWeight(weight);
    return font;
}

QFont defaultFace(double pixelHeight, QFont::Weight weight) {
    QFont font;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelHeight))));
    font.setWeight(weight);
    return font;
}

// A weight given on the 100..900 scale of the drawing fonts.
QFont::Weight weightOf(double value) {
    return static_cast<QFont::Weight>(std::clamp(static_cast<int>(std::lround(value)), 100, 900));
}

} // namespace

MainWindowFonts makeMainWindowFonts(QSize clientSize) {
    MainWindowFonts f;
    f.sx = clientSize.width() / 518.0;
    f.sy = clientSize.height() / 414.0;
    f.position = arial(42 * f.sy, QFont::Normal);
    f.field = arial(18 * f.sy, QFont::Normal);
    f.small = arial(14 * f.sy, QFont::Light);
    f.barLabel = defaultFace(16 * f.sy, QFont::Light);
    f.barLabelBold = arial(18 * f.sy, weightOf(600 * f.sx));
    f.large = defaultFace(34 * f.sy, weightOf(700 * f.sx));
    f.larger = defaultFace(54 * f.sy, weightOf(800 * f.sx));
    return f;
}
