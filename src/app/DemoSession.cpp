#include "app/DemoSession.h"

#include "app/DemoWindowPlacement.h"
#include "boxsim/BoxSimulator.h"
#include "boxsim/widgets/BoxSimulatorPanel.h"
#include "config/ConfigData.h"
#include "teachin/widgets/CTeachInDlg.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>

// The program's dialogs; the first confirmed setup sets the box's line count.
class DemoSession::Dialogs : public SessionDialogs {
public:
    explicit Dialogs(boxsim::BoxSimulator& box) : box_(box) {}

    bool runSetup(QWidget* parent) override {
        const bool confirmed = standard_.runSetup(parent);
        if (confirmed && !rateSet_) {
            // Before the program first reads the box: it starts as the
            // bearing it is said to be.
            rateSet_ = true;
            box_.setPulseRate(configData.pulseRate);
        }
        return confirmed;
    }
    int runStartMenu(QWidget* parent) override { return standard_.runStartMenu(parent); }

private:
    boxsim::BoxSimulator& box_;
    StandardSessionDialogs standard_;
    bool rateSet_ = false;
};

DemoSession::DemoSession() = default;

DemoSession::~DemoSession() {
    if (watching_)
        qApp->removeEventFilter(this);
    panel_.reset();
    if (box_)
        box_->stop();
}

bool DemoSession::start(std::string* error) {
    dir_ =
        std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/orvatix-demo-XXXXXX"));
    box_ = std::make_unique<boxsim::BoxSimulator>();
    if (!dir_->isValid()) {
        *error = "no temporary folder";
        return false;
    }
    if (!box_->start(linkPath(), error))
        return false;
    // The box turns slowly, so that the position moves from the start.
    box_->setSpeedRpm(10);
    panel_ = std::make_unique<BoxSimulatorPanel>(*box_);
    dialogs_ = std::make_unique<Dialogs>(*box_);
    return true;
}

std::string DemoSession::linkPath() const {
    return dir_ != nullptr ? dir_->filePath(QStringLiteral("orva-box")).toStdString()
                           : std::string();
}

void DemoSession::watch(const QWidget& mainWindow) {
    if (panel_ == nullptr || watching_)
        return;
    watching_ = true;
    panel_->adjustSize();
    panel_->show();
    // Placed once shown, when its frame is known.
    if (const QScreen* screen = mainWindow.screen()) {
        const QRect at =
            demoplace::panelFrame(screen->availableGeometry(), panel_->frameGeometry().size());
        panel_->move(at.topLeft());
    }
    qApp->installEventFilter(this);
}

bool DemoSession::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && widget != panel_.get())
            placeWindow(*widget);
    }
    return QObject::eventFilter(watched, event);
}

void DemoSession::placeWindow(QWidget& window) {
    // A dialog that waits for an answer blocks its own windows only, not the
    // panel. (The show event comes before the window reaches the screen, so
    // the window system learns the narrower modality in time.)
    if (qobject_cast<QDialog*>(&window) != nullptr &&
        window.windowModality() == Qt::ApplicationModal && window.parentWidget() != nullptr) {
        window.setWindowModality(Qt::WindowModal);
        if (QWindow* handle = window.windowHandle())
            handle->setModality(Qt::WindowModal);
    }
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        return;
    const QRect available = screen->availableGeometry();
    const QRect panel = panel_->frameGeometry();
    if (qobject_cast<CTeachInDlg*>(&window) != nullptr &&
        (window.windowState() & Qt::WindowMaximized)) {
        // The maximised wizard takes the room beside the panel. (The
        // evaluation window keeps the whole screen, as it insists on it.)
        const QRect room = demoplace::roomBeside(available, panel);
        const QRect inner = window.geometry();
        const QRect outer = window.frameGeometry();
        const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                             outer.right() - inner.right(), outer.bottom() - inner.bottom());
        window.setWindowState(window.windowState() & ~Qt::WindowMaximized);
        window.setGeometry(room.marginsRemoved(frame));
        return;
    }
    const QRect frame = window.frameGeometry();
    const QRect clear = demoplace::clearOfPanel(frame, panel, available);
    if (clear != frame)
        window.move(clear.topLeft());
}
