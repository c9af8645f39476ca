#pragma once
// CORVATIXDlg: the main diagnosis window (template 102): it draws and forwards. The
// program's sequence around it (setup, start menu, diagnosis or wizard, the
// end with the one save) is ProgramFlow's; what the notices of the reader
// thread do is MainWindowEvents', the window's receiver of the core; the
// context menu is built in MainWindowContextMenu.
//
// The window does not own the link: the application's AcquisitionCore
// (ProgramCore) does, and the window is handed it. The teach-in wizard and the
// data recorder are receivers beside it; they join the session through a
// TeachInFactory and RecorderFlow and use the window's ProgramServices.
//
// Threads: every method runs on the user-interface thread.

#include "app/MainWindowContextMenu.h"
#include "app/MainWindowEvents.h"
#include "app/ProgramCore.h"
#include "app/ProgramHooks.h"
#include "app/ReferenceIndicator.h"
#include "app/SecondaryWindows.h"
#include "app/SessionDialogs.h"
#include "display/AmplitudeTrack.h"
#include "display/widgets/MainWindowLayout.h"
#include "ui/DialogUnits.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <memory>
#include <mutex>
#include <string>

struct ConfigData;
struct DeviceReadings;
struct LinkControl;
class AmplitudeBars;
class QMenu;
struct PortProblemText;
class NoiseDisplay;
class ProgramFlow;

class CORVATIXDlg : public QDialog, public ProgramServices {
    Q_OBJECT
public:
    // The window's ids: its template, its controls (placed at their template
    // rectangles by buildMainWindowControls, each with its id as objectName),
    // the commands of its context menu and the about box.
    enum Id {
        kTemplate = 102,
        kAboutBox = 100,
        kExit = 1,
        kSetup = 1005,
        kHelp = 1006,
        kSpeedField = 1007,
        kPositionField = 1008,
        kMarkerField = 1009,
        kPositionGroup = 1012,
        kZero = 1016, // also the reference indicator
        kAmplitudeGroup = 1018,
        kStateGroup = 1019,
        kSensorWHLamp = 1020,
        kSensorYELamp = 1022,
        kSpeedWHLamp = 1023,
        kSpeedYELamp = 1024,
        kSignalWHLamp = 1025,
        kSignalYELamp = 1026,
        kSignalCaption = 1027,
        kSensorCaption = 1028,
        kSpeedCaption = 1029,
        kWhiteLabel = 1030,
        kYellowLabel = 1031,
        kNoiseArea = 1033,
        kNoise = 1034,
        kRecord = 1035,
        kNoiseValue = 1036,
        kRecordCaption = 1040,
        kNoiseCaption = 1041,
        kDirection = 1045,
        kStatusLine = 1046,
        kBoxPicture = 1047,
        kConnect = 1049, // hidden: opens the interface-not-found message
        kVersionLine = 1051,
        kSerialLine = 1052,
        kButtonGroup = 1063,
        kStatusListButton = 1068,
        kMenuStatusList = 32774,
        kMenuInfo = 32775,
        kMenuExtendedDisplay = 32777,
    };

    // The window reads the core's records and shows what its interface
    // search says until it goes. `dialogs` answers the setup dialog and the
    // start menu; null uses the real ones.
    explicit CORVATIXDlg(ProgramCore& program, SessionDialogs* dialogs = nullptr,
                         QWidget* parent = nullptr);
    ~CORVATIXDlg() override;

    // The program's flow, which answers close requests, LinkEnded and the
    // end of the wizard (null: nobody, the window stays).
    void setFlow(ProgramFlow* flow) { flow_ = flow; }
    SessionDialogs& sessionDialogs() { return *dialogs_; }

    // What the notices of the reader thread do to the window.
    MainWindowEvents& events() { return events_; }

    // For the flow: hidden and centred while the setup dialog or the start
    // menu shows; the teach-in chosen (the extended display then stays
    // beneath the wizard); the open wizard, which gets the position texts and
    // the bar draws (null: none); the window's loop ended for good.
    void hideCentred();
    void setTeachInMode(bool teachIn) { teachInMode_ = teachIn; }
    void setTeachIn(TeachInFeature* teachIn) { teachIn_ = teachIn; }
    void closeRecordFiles();
    void endWindow();

    // The data recorder; null (the default) leaves the record button
    // released. It must outlive the window's session.
    void setRecorderFlow(RecorderFlow* recorder) { recorder_ = recorder; }
    RecorderFlow* recorderFlow() const { return recorder_; }

    // ProgramServices
    QWidget* mainWindow() override { return this; }
    void openContextMenu(const QPoint& globalPos) override;
    void setStatusRestart() override { link_.statusRestart = true; }
    StatusDecoding statusDecoding() const override { return events_.statusDecoding(); }
    void stopNoiseMeasurement() override;
    void showRecordButton(bool pressed) override;
    void teachInEnded() override;
    // The whole reset: the device readings, the position tracking and the
    // box reset handling. Called after every port open, on no data, when the
    // start menu is confirmed and with reset and erase requests.
    void resetReadings() override { core_.resetReadings(); }

    // The reader thread has ended (the window's receiver forwards it to the flow).
    void onLinkEnded();

    // Drawing, for the window's receiver.
    // A state message in place of the position; `second` goes to the speed field.
    void showState(const std::string& main, const std::string& second);
    // Sets the status line (1046) when the text differs from the last one set.
    void setStatusLine(const std::string& text);
    void drawPositionView(const PositionView& view);
    void drawMarker(const std::string& text);
    void clearMarkerField();
    void drawStatusView(const StatusView& view);
    void drawVersionLine(const std::string& text);
    void drawSerialLine(const std::string& text);
    void drawSerialLineTip(const std::string& tip);
    void restoreSerialLineTip();
    void drawReferenceImage(ReferenceIndicator::Image image);
    bool amplitudeBusy() const;
    // An amplitude bar's update; the wizard draws the same bars in its own window.
    void drawBar(const BarUpdate& update);
    void showOffsetSeen(Head head, bool seen);
    void setZeroEnabled(bool enabled);
    NoiseDisplay& noiseDisplay() const { return *noise_; }
    void setTitleIfChanged(const QString& title);
    // Paints now and keeps a message on the screen for `ms` (the reader
    // thread waits meanwhile).
    void holdMessage(int ms);

    // The interface-not-found message; opened at most once at a time.
    void showInterfaceNotFound();
    bool interfaceNotFoundOpen() const { return interfaceNoticeShown_; }
    void closeInterfaceNotice();
    // The box is at the one port given on the command line (COM1): no other
    // port is searched, and a missing or refused device is told at once in
    // the serial-number line and on the terminal instead of the not-found
    // notice.
    void setOnlyPort(bool only) { events_.setOnlyPort(only); }

    // Window title, icons and captions in the current language.
    void refresh();

    const MainWindowControls& controls() const { return controls_; }
    const DialogTemplate& layoutTemplate() const { return template_; }
    const ReferenceIndicator& referenceIndicator() const { return events_.referenceIndicator(); }
    CErrorDialog* statusListWindow() const { return windows_.statusList(); }
    CAdditionalMonitor* extendedDisplay() const { return windows_.extendedDisplay(); }

    // The status list window (button 1068, command 32774) and the extended
    // display (command 32777): closed when open, else opened.
    void toggleStatusList() { windows_.toggleStatusList(); }
    void toggleExtendedDisplay() { windows_.toggleExtendedDisplay(); }
    // The signal view (context menu): hidden when open, else shown; it hides
    // with the diagnosis window.
    void toggleSignalView() { windows_.toggleSignalView(); }
    bool signalViewOpen() const { return windows_.signalViewOpen(); }
    CSignalViewDlg* signalView() const { return windows_.signalView(); }
    // The context menu's commands; the windows carry a tick while open.
    void fillContextMenu(QMenu& menu) { fillMainWindowContextMenu(*this, core_, menu); }
    void showAboutBox() { showMainWindowAboutBox(*this); }

    // Why the port cannot be used, in the serial-number line (the whole
    // advice in its tool tip); unchanged when the same text shows already.
    void showPortProblemText(const PortProblemText& problem) {
        events_.showPortProblemText(problem);
    }

protected:
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    // A left click in the amplitude group: the box reset handling, and the
    // extended display redrawn (a reset of the readings tells it itself).
    void amplitudeGroupClicked();
    void forwardTextsToTeachIn(const std::string& position, const std::string& speed);

    // Buttons and clicks
    void openSetup();
    void openHelp();
    void directionCommand();
    void toggleRecording();
    void connectSignals();

    ProgramCore& program_;
    AcquisitionCore& core_;
    DeviceReadings& readings_;
    std::mutex& readingsMutex_;
    LinkControl& link_;
    ConfigData& config_;
    std::unique_ptr<SessionDialogs> ownDialogs_;
    SessionDialogs* dialogs_;

    DialogTemplate template_;
    MainWindowControls controls_;
    MainWindowFonts fonts_;

    MainWindowEvents events_;
    ProgramFlow* flow_ = nullptr;
    TeachInFeature* teachIn_ = nullptr;
    RecorderFlow* recorder_ = nullptr;

    bool ended_ = false; // the flow ended the program: close requests end the window
    bool teachInMode_ = false;
    ReferenceIndicator::Image shownIndicator_ = ReferenceIndicator::Image::Idle;
    std::string lastStatusLine_;

    QPointer<QWidget> interfaceNotFound_;
    bool interfaceNoticeShown_ = false;
    SecondaryWindows windows_;
    AmplitudeBars* bars_ = nullptr;
    NoiseDisplay* noise_ = nullptr;
};
