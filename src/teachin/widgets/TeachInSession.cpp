#include "teachin/widgets/TeachInSession.h"

#include "teachin/widgets/CTeachInDlg.h"
#include "teachin/widgets/PictureFromView.h"
#include "ui/CMessagebox2.h"
#include "ui/TeachInWarning.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        break;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    }
    return QMessageBox::Information;
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

TeachInSession::TeachInSession(TeachInHooks hooks, bool& warnOptimum, QObject* parent)
    : QObject(parent), hooks_(std::move(hooks)), wizard_(warnOptimum), window_(new CTeachInDlg) {
    connect(window_, &CTeachInDlg::tick, this, &TeachInSession::tick);
    connect(window_, &CTeachInDlg::next, this, &TeachInSession::next);
    connect(window_, &CTeachInDlg::back, this, &TeachInSession::back);
    connect(window_, &CTeachInDlg::cancel, this, &TeachInSession::cancel);
    connect(window_, &CTeachInDlg::help, this, &TeachInSession::help);
}

TeachInSession::~TeachInSession() {
    // The window takes its open message along.
    delete window_.data();
}

void TeachInSession::show() {
    window_->showMaximized();
    window_->raise();
    window_->activateWindow();
    window_->startTicking();
}

void TeachInSession::tick() {
    if (ended_)
        return;
    inputs_ = hooks_.readInputs();
    latestYE_ = inputs_.amplitudeYE;
    latestWH_ = inputs_.amplitudeWH;
    apply(wizard_.tick(inputs_));
}

void TeachInSession::next() {
    inputs_ = hooks_.readInputs();
    apply(wizard_.next(inputs_));
}

void TeachInSession::back() {
    apply(wizard_.back());
}

void TeachInSession::cancel() {
    // Once the result is chosen its message ends the session.
    if (ended_ || wizard_.view().result)
        return;
    if (wizard_.cancelAsks()) {
        // The wizard asks first; a message already open is answered first.
        if (open_) {
            raiseMessage();
            return;
        }
        apply(wizard_.cancel());
        return;
    }
    // The question still open goes with the cancelled wizard, unanswered.
    closeMessage();
    apply(wizard_.cancel());
}

void TeachInSession::raiseMessage() {
    QWidget* open = messageBox_ ? static_cast<QWidget*>(messageBox_.data())
                                : static_cast<QWidget*>(warning_.data());
    if (open != nullptr) {
        open->raise();
        open->activateWindow();
    }
}

void TeachInSession::help() {
    apply(wizard_.help());
}

void TeachInSession::amplitudeUpdate(char command, double value) {
    if (const std::optional<Head> head = headFromLetter(command))
        (*head == Head::YE ? latestYE_ : latestWH_) = value;
    const std::optional<BarDraw> draw = wizard_.barUpdate(command, value);
    if (draw)
        window_->drawBar(draw->head, draw->value);
    // The extremes may have grown, and the advice follows the amplitude.
    showPicture(WizardRedraw{});
}

void TeachInSession::positionTexts(const std::string& position, const std::string& speed) {
    const PositionTextChanges changes = wizard_.setPositionTexts(position, speed);
    if (changes.position || changes.speed)
        showPicture(WizardRedraw{});
}

void TeachInSession::redrawBar(Head head) {
    if (const std::optional<BarDraw> draw = wizard_.barUpdate('R', headCode(head)))
        window_->drawBar(draw->head, draw->value);
}

void TeachInSession::showPicture(const WizardRedraw& redraw) {
    window_->apply(pictureFromView(wizard_.view(), redraw, inputs_, latestYE_, latestWH_));
}

void TeachInSession::apply(WizardUpdate update) {
    showPicture(update.redraw);
    if (update.redraw.bars || update.redraw.barRegion) {
        redrawBar(Head::YE);
        redrawBar(Head::WH);
    }
    for (const WizardAction& action : update.actions) {
        switch (action.kind) {
        case WizardAction::Kind::Request:
            hooks_.placeRequest(action.request);
            break;
        case WizardAction::Kind::SetStatusRestart:
            hooks_.setStatusRestart();
            break;
        case WizardAction::Kind::ResetReadings:
            hooks_.resetReadings();
            break;
        case WizardAction::Kind::Beep:
            QApplication::beep();
            break;
        case WizardAction::Kind::ShowMessage:
            showMessage(action.message);
            break;
        case WizardAction::Kind::Finished: {
            ended_ = true;
            window_->stopTicking();
            const WizardResult result = action.result;
            QMetaObject::invokeMethod(
                this, [this, result] { emit finished(result); }, Qt::QueuedConnection);
            break;
        }
        }
    }
}

void TeachInSession::showMessage(const WizardMessage& message) {
    open_ = message;
    shown_.push_back(message.kind);
    if (message.kind == WizardMessageKind::RepeatWarning) {
        // The program's own window: the timer runs on while it waits.
        warning_ = CMessagebox2::open(
            window_, [this] { messageAnswered(true); }, [this] { messageAnswered(false); });
        if (message.rejectIsDefault)
            makeNoTheDefault(*warning_);
        return;
    }
    auto* box = new QMessageBox(qtIcon(message.icon), qs(message.caption), qs(message.text),
                                QMessageBox::NoButton, window_);
    QPushButton* accept = box->addButton(qs(message.acceptButton), QMessageBox::AcceptRole);
    QPushButton* reject = nullptr;
    if (!message.rejectButton.empty())
        reject = box->addButton(qs(message.rejectButton), QMessageBox::RejectRole);
    box->setDefaultButton(message.rejectIsDefault && reject != nullptr ? reject : accept);
    box->setEscapeButton(reject != nullptr ? reject : accept);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [this, box, accept] {
        if (box != messageBox_)
            return; // closed by cancel, unanswered
        messageBox_ = nullptr;
        messageAnswered(box->clickedButton() == accept);
    });
    messageBox_ = box;
    // Modal without a loop of its own: the tick keeps running and does nothing
    // while the logic waits for the answer.
    box->open();
}

void TeachInSession::messageAnswered(bool accepted) {
    if (!open_)
        return;
    open_.reset();
    warning_ = nullptr;
    apply(wizard_.answer(accepted));
}

bool TeachInSession::answerMessage(bool accepted) {
    if (!open_)
        return false;
    if (warning_) {
        if (accepted)
            warning_->accept();
        else
            warning_->reject();
        return true;
    }
    if (messageBox_) {
        const QMessageBox::ButtonRole role =
            accepted ? QMessageBox::AcceptRole : QMessageBox::RejectRole;
        for (QAbstractButton* button : messageBox_->buttons()) {
            if (messageBox_->buttonRole(button) == role) {
                button->click();
                return true;
            }
        }
        messageBox_->done(0); // one button only: the escape button answers
        return true;
    }
    messageAnswered(accepted);
    return true;
}

void TeachInSession::closeMessage() {
    open_.reset();
    if (QMessageBox* box = messageBox_) {
        messageBox_ = nullptr;
        box->close();
    }
    if (CMessagebox2* warning = warning_) {
        warning_ = nullptr;
        warning->close();
    }
}
