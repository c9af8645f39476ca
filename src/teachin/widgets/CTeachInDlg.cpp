#include "teachin/widgets/CTeachInDlg.h"

#include "config/TeachInRows.h"
#include "config/Texts.h"
#include "display/PositionFormat.h"
#include "display/widgets/QtColour.h"
#include "teachin/widgets/WizardPlacement.h"
#include "teachin/widgets/WizardRedraw.h"
#include "teachin/widgets/WizardTexts.h"
#include "ui/Artwork.h"
#include "ui/DialogUnits.h"
#include "ui/Help.h"
#include "ui/UiText.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <cmath>

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// A text drawn on one line, vertically centred on `area` and not clipped by
// it: the rectangle it covers.
QRect unclippedLine(const QRect& area, const QFont& font) {
    const int height = QFontMetrics(font).height() + 4;
    return QRect(area.left(), area.center().y() - height / 2, area.width(), height);
}

// The largest square centred in `area`: the advice pictures are square.
QRect centredSquare(const QRect& area) {
    const int side = std::min(area.width(), area.height());
    return QRect(area.left() + (area.width() - side) / 2, area.top() + (area.height() - side) / 2,
                 side, side);
}

} // namespace

CTeachInDlg::CTeachInDlg(QWidget* owner) : QDialog(owner) {
    setWindowTitle(uiText(TextTable::TeachIn, teachinrow::kWindowTitle));
    setWindowIcon(artIcon(Art::ProgramIcon));
    setFont(dialogFont());
    installHelpKey(this);

    const auto makeButton = [this](int id) {
        auto* button = new QPushButton(this);
        button->setObjectName(controlName(id));
        button->setAutoDefault(false);
        return button;
    };
    ok_ = makeButton(kOkButton);
    cancel_ = makeButton(kCancelButton);
    back_ = makeButton(kBackButton);
    next_ = makeButton(kNextButton);
    help_ = makeButton(kHelpButton);
    connect(ok_, &QPushButton::clicked, this, &CTeachInDlg::ok);
    connect(cancel_, &QPushButton::clicked, this, &CTeachInDlg::cancel);
    connect(back_, &QPushButton::clicked, this, &CTeachInDlg::back);
    connect(next_, &QPushButton::clicked, this, &CTeachInDlg::next);
    connect(help_, &QPushButton::clicked, this, &CTeachInDlg::help);
    // Return is "Next >" wherever the focus stands, and nothing while it is
    // disabled.
    next_->setDefault(true);
    // The window itself holds the focus while no button may: on activation it
    // gets it back instead of the first button in the tab order.
    setFocusPolicy(Qt::ClickFocus);
    setFocus(Qt::OtherFocusReason);

    timer_ = new QTimer(this);
    timer_->setInterval(kTickMilliseconds);
    connect(timer_, &QTimer::timeout, this, &CTeachInDlg::tick);

    picture_ = WizardPicture::initial();
    layout_ = WizardLayout::compute(rect());
    fonts_ = WizardFonts::make(layout_);
    placeButtons();
    showButtons();
}

void CTeachInDlg::startTicking() {
    timer_->start();
}

void CTeachInDlg::stopTicking() {
    timer_->stop();
}

void CTeachInDlg::apply(const WizardPicture& picture) {
    int areas = staleAreas(picture_, picture);
    const WizardPicture before = picture_;
    picture_ = picture;

    if (picture.yeMin != before.yeMin || picture.yeMax != before.yeMax ||
        picture.whMin != before.whMin || picture.whMax != before.whMax) {
        values_.yeMin = picture.yeMin;
        values_.yeMax = picture.yeMax;
        values_.whMin = picture.whMin;
        values_.whMax = picture.whMax;
        if (WizardBarPair::stripsShown(picture))
            areas |= wizardarea::kBars;
    }
    if (picture.positionText != before.positionText)
        update(unclippedLine(layout_.positionText, fonts_.position));
    if (picture.speedText != before.speedText)
        update(unclippedLine(layout_.speedText, fonts_.position));
    // The advice follows the latest amplitude; a new step may pick another one.
    if (adviceText(before) != adviceText(picture) ||
        advicePicture(before) != advicePicture(picture))
        areas |= wizardarea::kAdvicePicture | wizardarea::kAdviceText;

    showButtons();
    redrawAreas(areas);
}

void CTeachInDlg::drawBar(Head head, double value) {
    (head == Head::YE ? values_.ye : values_.wh) = value;
    if (picture_.barsShown())
        update(WizardBarPair::bar(layout_, head));
}

void CTeachInDlg::redrawAreas(int areas) {
    using namespace wizardarea;
    if (areas & kWindow) {
        update();
        return;
    }
    const auto redrawIf = [&](int area, const QRect& rect) {
        if (areas & area)
            update(rect);
    };
    redrawIf(kTitle, layout_.title);
    redrawIf(kBoxLine, layout_.boxLine);
    redrawIf(kStepText, layout_.stepText);
    redrawIf(kAdvicePicture, layout_.advicePicture);
    redrawIf(kAdviceText, layout_.adviceText);
    redrawIf(kAdviceText, unclippedLine(layout_.positionText, fonts_.position));
    redrawIf(kAdviceText, unclippedLine(layout_.speedText, fonts_.position));
    redrawIf(kBars, layout_.bars);
}

void CTeachInDlg::placeButtons() {
    ok_->setGeometry(layout_.cancel);
    cancel_->setGeometry(layout_.cancel);
    back_->setGeometry(layout_.back);
    next_->setGeometry(layout_.next);
    help_->setGeometry(layout_.help);
}

void CTeachInDlg::setCaption(QPushButton* button, const QString& caption) {
    // Long captions of other languages get a smaller font, not a cut.
    const QRect inside = button->rect().adjusted(6, 4, -6, -4);
    button->setFont(fittedFont(fonts_.boxLine, inside,
                               caption.isEmpty() ? QStringLiteral("...") : caption,
                               Qt::AlignCenter));
    button->setText(caption);
}

void CTeachInDlg::showButtons() {
    const auto show = [this](QPushButton* button, const ShownButton& state, bool shown) {
        const QString caption = qs(state.caption);
        if (button->text() != caption)
            setCaption(button, caption);
        button->setEnabled(state.enabled);
        button->setVisible(shown);
    };
    const WizardPicture& p = picture_;
    // While "Next >" cannot be pressed no button that cancels or moves the
    // teach-in takes the focus, neither by Tab nor when Qt passes on the focus
    // of a button being disabled: a stray Space must not end a teach-in that
    // has just reset or erased the box. Set before the buttons change, so that
    // Qt's hand-over already skips them.
    const bool nextUsable = p.next.shown && p.next.enabled && !p.finished();
    for (QPushButton* button : {ok_, cancel_, back_})
        button->setFocusPolicy(nextUsable ? Qt::StrongFocus : Qt::NoFocus);
    show(ok_, p.ok, p.ok.shown);
    show(cancel_, p.cancel, p.cancel.shown && !p.finished());
    show(back_, p.back, p.back.shown);
    show(next_, p.next, p.next.shown);
    show(help_, p.help, p.help.shown);

    // focusWidget() is this window's own, also while another window is active.
    QWidget* focus = focusWidget();
    const bool unsafe = focus == nullptr || focus == ok_ || focus == cancel_ || focus == back_ ||
                        !focus->isEnabled() || !focus->isVisible();
    if (!nextUsable && unsafe) {
        setFocus(Qt::OtherFocusReason);
    } else if (nextUsable && p.nextFocused && (focus == nullptr || focus == this) &&
               next_->isVisible()) {
        next_->setFocus(Qt::OtherFocusReason);
    }
}

QColor CTeachInDlg::buttonFace() const {
    return palette().color(QPalette::Button);
}

void CTeachInDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layout_ = WizardLayout::compute(rect());
    fonts_ = WizardFonts::make(layout_);
    placeButtons();
    // Captions are fitted to the new button sizes.
    for (QPushButton* button : {ok_, cancel_, back_, next_, help_})
        setCaption(button, button->text());
    update();
}

void CTeachInDlg::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    // The wizard stays in the top-left corner of the screen it is on; a
    // maximised one stays where the window manager put it.
    const QScreen* screen = this->screen();
    if (screen == nullptr || !isVisible())
        return;
    if (const std::optional<QPoint> corner = wizardMoveBack(
            windowState(), frameGeometry().topLeft(), screen->availableGeometry().topLeft())) {
        move(*corner);
        update(layout_.bars);
    }
}

void CTeachInDlg::closeEvent(QCloseEvent* event) {
    if (picture_.finished()) {
        QDialog::closeEvent(event);
        return;
    }
    // Closing is cancelling: the step logic finishes, and the owner then
    // destroys the window.
    event->ignore();
    emit cancel();
}

void CTeachInDlg::reject() {
    if (picture_.finished())
        QDialog::reject();
    else
        emit cancel();
}

void CTeachInDlg::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    const int depth = this->depth();
    if (picture_.finished()) {
        if (picture_.result == WizardResult::Success)
            painter.fillRect(rect(), toQColor(WizardBarPair::bandColour(WizardBand::Green, depth)));
        else if (picture_.result == WizardResult::Failed)
            painter.fillRect(rect(), toQColor(WizardBarPair::bandColour(WizardBand::Red, depth)));
        return;
    }
    paintPanel(painter, dirty);
    if (picture_.barsShown() && dirty.intersects(layout_.bars)) {
        painter.setBackground(buttonFace());
        WizardBarPair::paint(painter, layout_, fonts_, picture_, values_, depth);
    }
}

void CTeachInDlg::paintPanel(QPainter& p, const QRect& dirty) {
    using namespace wizardcolour;
    if (dirty.intersects(layout_.title)) {
        p.setPen(toQColor(kTitleText));
        p.setFont(fonts_.title);
        p.drawText(layout_.title, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   uiText(TextTable::TeachIn, teachinrow::kTitle));
    }

    p.setPen(toQColor(kText));
    const int wrap = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    switch (headerContent(picture_)) {
    case HeaderContent::Nothing:
        break;
    case HeaderContent::Searching:
        if (picture_.blinkOn && dirty.intersects(layout_.boxLine)) {
            const QString search = qs(searchText(picture_.comPort));
            const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
            p.setFont(fittedFont(fonts_.boxLine, layout_.boxLine, search, flags));
            p.drawText(layout_.boxLine, flags, search);
        }
        break;
    case HeaderContent::Box: {
        if (dirty.intersects(layout_.boxLine)) {
            const QString box = uiText(TextTable::TeachIn, teachinrow::kBox) +
                                QString::fromUtf8(picture_.boxTypeText.c_str());
            const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
            p.setFont(fittedFont(fonts_.boxLine, layout_.boxLine, box, flags));
            p.drawText(layout_.boxLine, flags, box);
        }
        const int row = stepTextRow(picture_);
        if (row >= 0 && dirty.intersects(layout_.stepText)) {
            const QString step = uiText(TextTable::TeachInSteps, row);
            p.setFont(fittedFont(fonts_.text, layout_.stepText, step, wrap));
            p.drawText(layout_.stepText, wrap, step);
        }
        break;
    }
    }

    if (dirty.intersects(layout_.advicePicture)) {
        if (const std::optional<Art> art = advicePicture(picture_)) {
            p.setRenderHint(QPainter::Antialiasing);
            drawArt(p, *art, centredSquare(layout_.advicePicture));
            p.setRenderHint(QPainter::Antialiasing, false);
        }
    }

    if (picture_.step < 0)
        return;
    const QRect positionLine = unclippedLine(layout_.positionText, fonts_.position);
    const QRect speedLine = unclippedLine(layout_.speedText, fonts_.position);
    if (dirty.intersects(layout_.adviceText))
        p.fillRect(layout_.adviceText, buttonFace());
    if (picture_.step <= 1) {
        const QString advice = qs(adviceText(picture_));
        const QRect inside = layout_.adviceText.adjusted(6, 4, -6, -4);
        const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
        p.setFont(fittedFont(fonts_.text, inside, advice, flags));
        p.drawText(inside, flags, advice);
    } else if (picture_.step < picture_.stepCount) {
        // Too fast for the box to learn: the speed and what to do in the
        // warning colour.
        const QColor speedColour =
            toQColor(picture_.tooFast ? kSpeedWarningColour : wizardcolour::kText);
        if (dirty.intersects(positionLine) || dirty.intersects(speedLine)) {
            const int flags =
                Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;
            p.setFont(fonts_.position);
            p.drawText(layout_.positionText, flags, qs(picture_.positionText));
            p.setPen(speedColour);
            p.drawText(layout_.speedText, flags, qs(picture_.speedText));
        }
        if (picture_.tooFast && dirty.intersects(layout_.slowerText)) {
            const QString slower = uiText(TextTable::TeachIn, teachinrow::kTurnSlower);
            const QRect inside = layout_.slowerText.adjusted(6, 0, -6, 0);
            const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
            p.setFont(fittedFont(fonts_.position, inside, slower, flags));
            p.setPen(speedColour);
            p.drawText(inside, flags, slower);
        }
    }
}
