#pragma once
// The main diagnosis window (template 102) and its handling of every notice
// of the reader thread. The program's sequence around it (setup, start menu,
// diagnosis or wizard, the end with the one save) is ProgramFlow's; the
// window forwards its close requests, LinkEnded and the end of the wizard
// there and carries out the steps the flow asks for.
//
// The window does not own the link: its AcquisitionCore does, and the window is
// the core's diagnosis receiver. The teach-in wizard and the data recorder
// are receivers beside it; they join the session through a TeachInFactory and
// RecorderFlow and use the window's MainWindowServices.
//
// Threads: every method runs on the user-interface thread. Device events
// arrive while the reader thread waits for them, so their handlers read the
// readings directly; everything else (timers, clicks, the posted notices)
// takes readingsMutex to touch the readings.

#include "acquisition/AcquisitionCore.h"
#include "acquisition/DeviceReceiver.h"
#include "app/DeviceEventDispatcher.h"
#include "app/ProgramHooks.h"
#include "app/ReferenceIndicator.h"
#include "app/SessionDialogs.h"
#include "display/PositionDisplay.h"
#include "display/StatusDisplay.h"
#include "display/widgets/MainWindowLayout.h"
#include "signalview/widgets/CSignalViewDlg.h"
#include "status/StatusList.h"
#include "status/widgets/CAdditionalMonitor.h"
#include "status/widgets/CErrorDialog.h"
#include "ui/DialogUnits.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>

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

class CORVATIXDlg : public QDialog,
                    public MainWindowServices,
                    private DeviceReceiver,
                    private DeviceEventTarget,
                    private AdditionalMonitorHost {
    Q_OBJECT
public:
    // The records are the process-wide ones in the program; tests pass their
    // own. `dialogs` answers the setup dialog and the start menu; null uses
    // the real ones.
    CORVATIXDlg(DeviceReadings& readings, std::mutex& readingsMutex, LinkControl& link,
                ConfigData& config, SessionDialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~CORVATIXDlg() override;

    // The program's flow, which answers close requests, LinkEnded and the
    // end of the wizard (null: nobody, the window stays).
    void setFlow(ProgramFlow* flow) { flow_ = flow; }
    SessionDialogs& sessionDialogs() { return *dialogs_; }

    // The steps of the flow. Hidden and centred, device events held back,
    // while the setup dialog or the start menu shows.
    void hideForStartMenu();
    void setStartUpValues();
    // A confirmed start menu: captions, readings and the not-connected state
    // afresh, the reader thread and the timers at the first start, then shown.
    void beginSession(int mode, bool firstStart);
    void resumeNotifications();
    // The open wizard gets the position texts and the bar draws (null: none).
    void setTeachIn(TeachInFeature* teachIn) { teachIn_ = teachIn; }
    // Asks the reader thread to stop; linkDone once it has ended (or never ran).
    void stopLink();
    bool linkDone() const;
    // The end: "Saving..." before the save, "done." after it, then the reader
    // thread joined and the window's loop ended.
    void showClosing();
    void showClosed();
    void closeRecordFiles();
    void endWindow();

    // The data recorder; null (the default) leaves the record button
    // released. It must outlive the window's session.
    void setRecorderFlow(RecorderFlow* recorder) { recorder_ = recorder; }

    // MainWindowServices
    AcquisitionCore& deviceCore() override { return core_; }
    QWidget* mainWindow() override { return this; }
    void setStatusRestart() override;
    StatusDecoding statusDecoding() const override;
    void stopNoiseMeasurement() override;
    void showRecordButton(bool pressed) override;
    void teachInEnded() override;

    // The handlers of the reader thread's notices.
    void onDeviceEvent(int code, int param);
    void onNoSerialData();
    void onBoxRestart();
    void onLinkEnded();

    // The whole reset: the device readings, the position tracking and the
    // box reset handling. Called after every port open, on no data, when the
    // start menu is confirmed and with reset and erase requests.
    void resetReadings() override;

    // A state message in place of the position; `second` goes to the speed field.
    void showState(const std::string& main, const std::string& second);
    // Sets the status line (1046) when the text differs from the last one set.
    void setStatusLine(const std::string& text);
    // Writes "Deleting... " into the position field (erase request).
    void showDeletingText();

    // The interface-not-found message; opened at most once at a time.
    void showInterfaceNotFound();
    bool interfaceNotFoundOpen() const { return interfaceNoticeShown_; }
    // The box is at the one port given on the command line (COM1): no other
    // port is searched, and a missing or refused device is told at once in
    // the serial-number line and on the terminal instead of the not-found
    // notice.
    void setOnlyPort(bool only);
    // A serial trace of the link (null: none), before run().
    void setTraceWriter(SerialTraceWriter* trace) { core_.setTraceWriter(trace); }

    // Window title, icons and captions in the current language.
    void refresh();

    bool linkThreadStarted() const { return core_.linkThreadStarted(); }
    const MainWindowControls& controls() const { return controls_; }
    const DialogTemplate& layoutTemplate() const { return template_; }
    const ReferenceIndicator& referenceIndicator() const { return indicator_; }
    InterfaceSearch& interfaceSearch() { return core_.search(); }
    CErrorDialog* statusListWindow() const { return statusList_; }
    CAdditionalMonitor* extendedDisplay() const { return extendedDisplay_; }

    // The status list window (button 1068, command 32774) and the extended
    // display (command 32777): closed when open, else opened.
    void toggleStatusList();
    void toggleExtendedDisplay();
    // The signal view (context menu): hidden when open, else shown; it hides
    // with the diagnosis window.
    void toggleSignalView();
    bool signalViewOpen() const;
    CSignalViewDlg* signalView() const { return signalView_; }
    // The context menu's commands; the windows carry a tick while open.
    void fillContextMenu(QMenu& menu);

    // Why the port cannot be used, in the serial-number line (the whole
    // advice in its tool tip); unchanged when the same text shows already.
    void showPortProblemText(const PortProblemText& problem);

    // The clock of the reference indicator and the status details; tests
    // pass their own before the first event.
    void setClock(std::function<int64_t()> clock);

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
    // DeviceReceiver
    void deviceEvent(int code, int param, const DeviceReadings& readings) override;
    void noSerialData() override { onNoSerialData(); }
    void boxRestart() override { onBoxRestart(); }
    void linkEnded() override { onLinkEnded(); }
    void deletingText() override { showDeletingText(); }
    void readingsReset() override;
    void tick() override;
    bool displayReceiver() const override { return true; }

    // DeviceEventTarget
    void showPosition() override;
    double displayAngle() const override;
    bool markOffsetSeen(char sensor) override;
    bool amplitudeBusy() const override;
    void drawAmplitude(char command, double value) override;
    bool statusDisplayBusy() const override;
    void updateStatusDisplay(bool statusValid) override;
    bool noiseButtonPressed() const override;
    void showNoise(double a, double b) override;
    void stopNoiseDisplay() override;
    void setVersionLine(const std::string& text) override;
    void setSerialLine(const std::string& text) override;
    void showBoxResetResult(bool resetError) override;
    void selectBearingByPulseRate() override;
    void setReferenceImage(ReferenceIndicator::Image image) override;

    // AdditionalMonitorHost
    bool offsetSeenWH() const override { return status_.offsetSeenWH(); }
    bool offsetSeenYE() const override { return status_.offsetSeenYE(); }
    void openContextMenu(const QPoint& globalPos) override;
    BoxRequests& boxRequests() override { return core_.requests(); }
    void openExtendedDisplay();
    void closeExtendedDisplay(bool keepReopening);

    InterfaceSearchHooks searchHooks();
    void startLinkThread();
    void boxResetHandling();
    // A left click in the amplitude group: the box reset handling, and the
    // extended display redrawn (a reset of the readings tells it itself).
    void amplitudeGroupClicked();
    void applyStatus(const StatusUpdate& update, bool withText = true);
    void applyPositionView(const PositionView& view);
    void setTitleIfChanged(const QString& title);

    void showPortProblem();
    void reportOnlyPortProblem();

    void forwardTextsToTeachIn(const std::string& position, const std::string& speed);
    void discardStatusList();
    void refreshSecondaryCaptions();

    // Buttons and clicks
    void openSetup();
    void openHelp();
    void zeroCommand();
    void directionCommand();
    void toggleRecording();
    void showAboutBox();
    void selectDetail(int selection);
    void connectSignals();

    DeviceReadings& readings_;
    std::mutex& readingsMutex_;
    LinkControl& link_;
    ConfigData& config_;
    std::unique_ptr<SessionDialogs> ownDialogs_;
    SessionDialogs* dialogs_;

    DialogTemplate template_;
    MainWindowControls controls_;
    MainWindowFonts fonts_;

    std::function<int64_t()> clock_;
    StatusListLog statusLog_;
    PositionDisplay position_;
    StatusDisplay status_;
    ReferenceIndicator indicator_;
    DeviceEventDispatcher dispatcher_;
    // The reader thread, its notices, the port map (read from ORVATIX_PORTS
    // or the system when the window is made) and the interface search.
    AcquisitionCore core_;
    ProgramFlow* flow_ = nullptr;
    TeachInFeature* teachIn_ = nullptr;
    RecorderFlow* recorder_ = nullptr;

    bool ended_ = false; // the flow ended the program: close requests end the window
    int mode_ = SessionDialogs::kDiagnosis;
    ReferenceIndicator::Image shownIndicator_ = ReferenceIndicator::Image::Idle;
    std::string lastStatusLine_;
    std::string shownPortProblem_;
    bool pulseRateNoticeShown_ = false;
    std::string pulseRateWarning_; // leads the status line while no bearing fits
    std::string lastStatusText_;   // the status display's own text
    bool onlyPort_ = false;
    std::string reportedOnlyPortProblem_;
    bool serialLineSilent_ = false; // the serial-number line says the port is silent

    QPointer<QWidget> interfaceNotFound_;
    bool interfaceNoticeShown_ = false;
    QPointer<CAdditionalMonitor> extendedDisplay_;
    QPointer<CErrorDialog> statusList_;
    QPointer<CSignalViewDlg> signalView_;
    // Feeds the signal view on each position event while it shows.
    struct SignalViewFeed : DeviceReceiver {
        void deviceEvent(int code, int param, const DeviceReadings& readings) override;
        bool displayReceiver() const override { return true; }
        QPointer<CSignalViewDlg> view;
        std::function<int64_t()> clock;
    };
    SignalViewFeed signalFeed_;
    AmplitudeBars* bars_ = nullptr;
    NoiseDisplay* noise_ = nullptr;
};
