#pragma once
// CTeachInDlg: the teach-in wizard window.
//
// The teach-in wizard's window: maximised, the header and step texts and the
// advice picture on the left, the two amplitude bars with their scale on the
// right, and the wizard's buttons. It decides nothing: the step logic hands it
// a WizardPicture on every tick and the bar values it decided to draw, and
// the buttons only emit signals. TeachInSession puts the two together.
//
//     auto* wizard = new CTeachInDlg(owner);
//     connect(wizard, &CTeachInDlg::next, session, ...);   // also back, cancel, help
//     wizard->showMaximized();
//     wizard->apply(picture);        // every tick
//     wizard->drawBar(Head::YE, 61.0);  // what the step logic's bar update returned

#include "teachin/widgets/WizardBarPair.h"
#include "teachin/widgets/WizardFonts.h"
#include "teachin/widgets/WizardLayout.h"
#include "teachin/widgets/WizardPicture.h"

#include <QDialog>

#include <string>

class QPushButton;

class CTeachInDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId {
        kOkButton = 1,
        kCancelButton = 2,
        kNextButton = 1014,
        kBackButton = 1015,
        kHelpButton = 1016,
    };
    static constexpr int kTickMilliseconds = 250;

    explicit CTeachInDlg(QWidget* owner = nullptr);

    // Shows `picture`: the buttons as it says, and draws again what changed
    // since the previous picture or what its hints ask for.
    void apply(const WizardPicture& picture);
    const WizardPicture& picture() const { return picture_; }

    // Draws the head's bar at `value` percent. The
    // step logic decides which values are worth drawing; the extremes come
    // with the picture.
    void drawBar(Head head, double value);

    const WizardBarValues& barValues() const { return values_; }
    const WizardLayout& layout() const { return layout_; }

    // Emits tick() every 250 ms from now on.
    void startTicking();
    void stopTicking();

signals:
    void next();
    void back();
    void cancel(); // also when the window is closed
    void help();
    void ok();
    void tick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void placeButtons();
    void showButtons();
    void redrawAreas(int areas);
    void setCaption(QPushButton* button, const QString& caption);
    void paintPanel(class QPainter& painter, const QRect& dirty);
    QColor buttonFace() const;

    WizardPicture picture_;
    WizardLayout layout_;
    WizardFonts fonts_;
    WizardBarValues values_;

    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* help_ = nullptr;
    class QTimer* timer_ = nullptr;
};
