#pragma once
// The teach-in wizard's window: maximised, the header and step texts and the
// advice picture on the left, the two amplitude bars with their scale on the
// right, and the wizard's buttons. It decides nothing: the step logic hands it
// a WizardPicture on every tick, the main window forwards the amplitudes and
// the position texts, and the buttons only emit signals.
//
//     auto* wizard = new CTeachInDlg(owner);
//     connect(wizard, &CTeachInDlg::next, logic, ...);   // also back, cancel, help
//     wizard->showMaximized();
//     wizard->apply(picture);                 // every tick
//     wizard->setAmplitude('Y', amplitudeYE); // device events 7 and 6
//     wizard->setPositionTexts(position, speed);

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

    // A new amplitude of 'Y' (yellow) or 'W' (white). Drawn, and returned
    // true, only when it differs by 1 percentage point or more from the value
    // drawn last; the extremes grow with it while the shaft turns.
    bool setAmplitude(char sensor, double value);
    // Position and speed as the main window shows them; taken from STEP 3 on.
    void setPositionTexts(const std::string& position, const std::string& speed);

    const WizardBarValues& barValues() const { return values_; }
    const WizardLayout& layout() const { return layout_; }
    QString shownPositionText() const { return positionText_; }
    QString shownSpeedText() const { return speedText_; }

    // Emits tick() every 250 ms from now on.
    void startTicking();

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
    bool takeAmplitude(AmplitudeSensor sensor, double value);
    void setCaption(QPushButton* button, const QString& caption);
    void takePositionTexts(const std::string& position, const std::string& speed);
    void paintPanel(class QPainter& painter, const QRect& dirty);
    QColor buttonFace() const;

    WizardPicture picture_;
    WizardLayout layout_;
    WizardFonts fonts_;
    WizardBarValues values_;
    // The amplitudes as they last arrived, for the shim advice; the bars only
    // follow changes of one point or more.
    double latestYE_ = -1.0;
    double latestWH_ = -1.0;
    bool forgetYE_ = true;
    bool forgetWH_ = true;
    QString positionText_;
    QString speedText_;

    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* help_ = nullptr;
    class QTimer* timer_ = nullptr;
};
