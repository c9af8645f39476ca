#include "ui/CSelectDlg.h"

#include "config/StartMenuRows.h"
#include "ui/Artwork.h"
#include "ui/Help.h"
#include "ui/StartMenuRules.h"
#include "ui/UiText.h"

#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>

CSelectDlg::CSelectDlg(const SetupRecords& records, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      records_(records), template_(this, 291, 148) {
    setWindowIcon(artIcon(Art::ProgramIcon));
    DialogTemplate& t = template_;
    // The template places heading and buttons anywhere; they are laid out in
    // the right half below, from the client size.
    heading_ = t.place(kHeading, 150, 8, 130, 12, new QLabel);
    heading_->setAlignment(Qt::AlignCenter);
    teachIn_ = t.place(kTeachInButton, 160, 30, 110, 20, new QPushButton);
    diagnosis_ = t.place(kDiagnosisButton, 160, 55, 110, 20, new QPushButton);
    setup_ = t.place(kSetupButton, 160, 80, 110, 20, new QPushButton);
    exit_ = t.place(kExitButton, 160, 105, 110, 20, new QPushButton);
    hint_ = t.place(kHelpHint, 172, 133, 92, 8, new QLabel);

    const StartMenuLayout layout = startMenuLayout(size());
    heading_->setGeometry(layout.heading);
    teachIn_->setGeometry(layout.teachIn);
    diagnosis_->setGeometry(layout.diagnosis);
    setup_->setGeometry(layout.setup);
    exit_->setGeometry(layout.exit);

    for (QPushButton* button : {teachIn_, setup_, exit_}) {
        button->setAutoDefault(false);
    }
    diagnosis_->setDefault(true);
    connect(teachIn_, &QPushButton::clicked, this, [this] { choose(kTeachInChoice); });
    connect(diagnosis_, &QPushButton::clicked, this, [this] { choose(kDiagnosisChoice); });
    connect(setup_, &QPushButton::clicked, this, &CSelectDlg::changeSetup);
    connect(exit_, &QPushButton::clicked, this, &CSelectDlg::reject);
    installHelpKey(this);

    setCaptions();
    diagnosis_->setFocus();
}

void CSelectDlg::setCaptions() {
    const int language =
        startMenuLanguage(records_.config.data.language,
                          QLocale::languageToString(QLocale::system().language()).toStdString());
    auto caption = [language](int row) { return uiTextIn(TextTable::StartMenu, row, language); };
    setWindowTitle(caption(startmenurow::kTitle));
    heading_->setText(caption(startmenurow::kPleaseChoose));
    teachIn_->setText(caption(startmenurow::kTeachIn));
    diagnosis_->setText(caption(startmenurow::kDiagnosis));
    setup_->setText(caption(startmenurow::kChangeSetup));
    exit_->setText(caption(startmenurow::kExit));
    hint_->setText(caption(startmenurow::kHelpHint));
}

void CSelectDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    drawArt(painter, Art::StartPicture, startMenuLayout(size()).picture);
}

void CSelectDlg::choose(int choice) {
    choice_ = choice;
    accept();
}

void CSelectDlg::reject() {
    choice_ = kNoChoice;
    QDialog::reject();
}

void CSelectDlg::changeSetup() {
    runSetupDialog(this, records_, true);
    setCaptions();
}
