#pragma once
// A recording session on the acquisition core and the simulated box: the
// device events reach the session the way the program's recorder takes them
// from the core (white amplitude event 6 and reference-mark event 20 feed the
// recorder while recording, at the positions the core's tracker counted), and
// scripted dialogs answer for the user. Every recorded event is kept, so that
// the files can be checked against what the box sent.

#include "link/LinkTestSupport.h"

#include "acquisition/AcquisitionCore.h"
#include "acquisition/DeviceReceiver.h"
#include "boxsim/BoxSimulator.h"
#include "display/TextFormat.h"
#include "recorder/DataRecorder.h"
#include "recorder/RecentFiles.h"
#include "recorder/widgets/CErgebnisDlg.h"
#include "recorder/widgets/MeasurementReport.h"
#include "recorder/widgets/RecordingDialogs.h"
#include "recorder/widgets/RecordingSession.h"
#include "support/CoreOnComOne.h"

#include <QDir>
#include <QPrinter>
#include <QTemporaryDir>
#include <QWidget>

#include <deque>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace sessiontest {

using namespace std::chrono_literals;

// Answers given in advance; every question asked is kept.
class ScriptedDialogs : public RecordingDialogs {
public:
    struct Asked {
        QString title;
        QString proposedName;
        QString filter;
    };

    QString saveFileName(QWidget*, const QString& title, const QString& proposedName,
                         const QString& filter) override {
        saveAsked.push_back({title, proposedName, filter});
        return next(saveAnswers);
    }
    QString recordingToOpen(QWidget*, const QStringList& lastFiles) override {
        lastFilesShown.push_back(lastFiles);
        return next(openAnswers);
    }
    void message(QWidget*, const RecorderMessage& m) override { messages.push_back(m); }
    bool question(QWidget*, const RecorderMessage& m) override {
        questions.push_back(m);
        if (questionAnswers.empty())
            return false;
        const bool yes = questionAnswers.front();
        questionAnswers.pop_front();
        return yes;
    }
    bool editRemarks(QWidget*, ReportRemarks& r) override {
        ++remarksAsked;
        remarksShown.push_back(r);
        r.bearing = bearing;
        r.lines[0] = remark;
        return !cancelRemarks;
    }
    bool choosePrinter(QWidget*, QPrinter& printer) override {
        ++printersAsked;
        if (printTo.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printTo);
        return true;
    }

    std::deque<QString> saveAnswers;
    std::deque<QString> openAnswers;
    std::deque<bool> questionAnswers;
    QString bearing = QStringLiteral("KAVO 300");
    QString remark;
    QString printTo; // empty: the print dialog is cancelled
    bool cancelRemarks = false;

    std::vector<Asked> saveAsked;
    std::vector<QStringList> lastFilesShown;
    std::vector<RecorderMessage> messages;
    std::vector<RecorderMessage> questions;
    int remarksAsked = 0;
    std::vector<ReportRemarks> remarksShown; // what the remarks dialog opened with
    int printersAsked = 0;

private:
    static QString next(std::deque<QString>& answers) {
        if (answers.empty())
            return {};
        QString a = answers.front();
        answers.pop_front();
        return a;
    }
};

// An event that became a sample, as the box reported it.
struct SentSample {
    RecordEvent event;
    bool reference = false;
};

class SessionRig {
public:
    explicit SessionRig(std::size_t sampleLimit = kMaxRecordSamples)
        : recorder(r.link, r.config, sampleLimit) {
        if (!folder.isValid())
            throw std::runtime_error("no temporary folder");
        boxLink = folder.filePath(QStringLiteral("box")).toStdString();
        std::string why;
        if (!box.start(boxLink, &why))
            throw std::runtime_error("simulator: " + why);
        recent = std::make_unique<RecentFiles>(folder.filePath(QStringLiteral("recent.txt")));
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        owner.setWindowTitle(QStringLiteral("ORVATIX KAVO 300 (3456)"));
        RecordingSessionHooks hooks;
        hooks.setRecordButton = [this](bool pressed) { buttonPressed = pressed; };
        hooks.stopNoiseMeasurement = [this] { ++noiseStops; };
        hooks.recordingActiveChanged = [this](bool active) { activeChanges.push_back(active); };
        hooks.boxIdentity = [this] { return identity(); };
        session = std::make_unique<RecordingSession>(
            RecordingSessionRecords{recorder, r.link, r.config, *recent}, hooks, &owner,
            std::move(scripted));

        core = coreOnComOne(r.records(), boxLink);
        core->subscribe(&receiver);
    }
    ~SessionRig() {
        stopLink();
        session.reset();
        box.stop();
    }

    void startLink() { openComOne(*core); }
    void stopLink() {
        if (core->linkThreadStarted())
            endLink(*core);
        core->unsubscribe(&receiver);
    }

    // Positions arrive and the box's status has settled: the record button works.
    bool waitForBox() {
        return waitWithEvents([this] {
            return positions > 5 && !r.link.noData && !r.link.boxStarting && serialSeen;
        });
    }
    bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds deadline = 60s) {
        return waitWithEvents(condition, deadline);
    }

    std::size_t referenceSamples() const {
        std::size_t n = 0;
        for (const RecordSample& s : recorder.samples())
            n += s.isReference ? 1 : 0;
        return n;
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    BoxIdentityTexts identity() {
        const DeviceReadings s = snapshotReadings(r.readings, r.readingsMutex);
        return {QString::fromLatin1(fieldText(s.boxTypeText)),
                QString::fromLatin1(fieldText(s.versionText)),
                QString::fromStdString(formatText("%s %s", s.serialTextB, s.serialTextA))};
    }

    linktest::Records r;
    QTemporaryDir folder;
    std::string boxLink;
    boxsim::BoxSimulator box;
    QWidget owner;
    DataRecorder recorder;
    std::unique_ptr<RecentFiles> recent;
    ScriptedDialogs* dialogs = nullptr; // owned by the session
    std::unique_ptr<RecordingSession> session;
    std::unique_ptr<AcquisitionCore> core;

    // What happened, all on the test's thread.
    bool buttonPressed = false;
    int noiseStops = 0;
    std::vector<bool> activeChanges;
    int positions = 0;
    bool serialSeen = false;
    std::vector<SentSample> sent;
    int messagesInsideEvents = 0; // a modal box there would hold the reader thread

private:
    // The rig's part of the program: a receiver of the core beside the box
    // requests, as the recorder feature is.
    class Receiver : public DeviceReceiver {
    public:
        explicit Receiver(SessionRig& rig) : rig_(rig) {}
        void deviceEvent(int code, int, const DeviceReadings&) override {
            rig_.onDeviceEvent(code);
        }
        // As the main window: a silent box's readings start over.
        void noSerialData() override { rig_.core->resetReadings(); }
        void readingsReset() override {
            rig_.r.link.boxStarting = true;
            rig_.r.link.statusRestart = true;
        }

    private:
        SessionRig& rig_;
    };
    Receiver receiver{*this};

    // What the recorder takes from these events, the reader thread waiting.
    void onDeviceEvent(int code) {
        switch (code) {
        case kPositionEvent:
            ++positions;
            break;
        case kSerialNumbersEvent:
            serialSeen = true;
            break;
        case kAmplitudeWhiteEvent:
        case kReferenceMarkEvent: {
            if (!r.link.recordingActive)
                break;
            const bool reference = code == kReferenceMarkEvent;
            const PositionTracker& tracked = core->positions();
            const RecordEvent event =
                reference ? RecordEvent::reference(r.readings, tracked.referencePosition())
                          : RecordEvent::position(r.readings, tracked.displayPosition());
            const std::size_t before = recorder.samples().size();
            if (reference)
                session->referenceEvent(event);
            else
                session->positionEvent(event);
            if (recorder.samples().size() > before)
                sent.push_back({event, reference});
            if (!dialogs->messages.empty())
                ++messagesInsideEvents;
            break;
        }
        default:
            break;
        }
    }
};

} // namespace sessiontest
