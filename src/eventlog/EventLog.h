#pragma once
// The event log: everything worth knowing afterwards about a session at the
// machine (connections, silences, the box's states, requests and their
// results, teach-ins, recordings), one line per entry with date and time, in a
// daily file "orvatix-YYYY-MM-DD.log" of the user's data folder. Latin-1 with
// CR LF, like every file of the program.
//
// Each entry is one open-append-write-close of its file: it has reached the
// system when append() returns, so a crash of the program loses nothing, and
// no handle stays open (a day's file may be copied or removed meanwhile). The
// atomic writer replaces whole files; appending needs none of that. An entry
// is one small write, so the user-interface thread may log directly.
//
// Kept: the last keepDays days (today and the days before) and at most
// maxBytes in all, oldest files first out; pruned when the log opens and when
// a new day's file begins. A day's file holds at most dayMaxBytes (and never
// more than maxBytes): beyond that its entries are dropped until the next day
// (droppedEntries() counts them), so that one flooding day cannot push the
// days before it out of the log.
//
// Today's file is opened only when it is a regular file, and without waiting
// (a pipe of that name would block the program). An entry reaches the file
// whole or not at all: a write cut short (a full disk) is taken back.
//
// A folder that cannot be written makes the log inactive, once: later appends
// do nothing, and inactiveReason() says why. The first entry that cannot be
// written, and the log going inactive, call onFailure once per log, for the
// program to tell the user. Thread-safe.
//
//     EventLog log;                       // the user's data folder + "/log"
//     if (!log.active()) show(log.inactiveReason());
//     log.connected({"COM1", "/dev/ttyUSB0", "QTBX02 (1Ref)", "2.10", "0815 ORVA-2041-0042"});

#include "eventlog/EventLogEntries.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <functional>
#include <mutex>
#include <string_view>

struct EventLogOptions {
    // Empty: QStandardPaths::AppLocalDataLocation + "/log".
    QString folder;
    // Local date and time of an entry; empty: the system clock.
    std::function<QDateTime()> clock;
    int keepDays = 30;
    qint64 maxBytes = 20 * 1024 * 1024;
    qint64 dayMaxBytes = 4 * 1024 * 1024;
    // The first failure, with the file and the system's reason; called once,
    // on the thread that logged, with the log's lock held (post it on).
    std::function<void(const QString& file, const QString& reason)> onFailure;
};

class EventLog {
public:
    explicit EventLog(EventLogOptions options = {});
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    // One entry of UTF-8 text (line ends in it become blanks). False when it
    // was not written.
    bool append(std::string_view text);

    // The typed entries (texts: EventLogEntries.h).
    void statusEntry(std::string_view statusListLine) { append(statusEntryText(statusListLine)); }
    void connected(const BoxConnection& c) { append(connectedText(c)); }
    void noData() { append(noDataText()); }
    void cableLost() { append(cableLostText()); }
    void boxRestarted() { append(boxRestartedText()); }
    void requested(BoxRequest r) { append(requestedText(r)); }
    void requestResult(BoxRequest r, bool ok, std::string_view detail = {}) {
        append(requestResultText(r, ok, detail));
    }
    void teachInResult(bool ok, std::string_view detail = {}) {
        append(teachInResultText(ok, detail));
    }
    void recordingSaved(std::string_view ampPath, std::string_view refPath) {
        append(recordingSavedText(ampPath, refPath));
    }
    void recordingLost(std::string_view reason) { append(recordingLostText(reason)); }
    void portChosen(std::string_view port, std::string_view device) {
        append(portChosenText(port, device));
    }
    void automaticSearch() { append(automaticSearchText()); }
    void programStarted(std::string_view version) { append(programStartedText(version)); }
    void programEnded() { append(programEndedText()); }

    // Where a log with an empty folder option writes: the user's data folder
    // + "/log" (empty when the system names none).
    static QString defaultFolder();

    bool active() const;
    QString inactiveReason() const;
    QString folder() const { return folder_; }
    // The file of the day of the last entry (or of today before any).
    QString currentFile() const;
    uint64_t droppedEntries() const;

private:
    QDateTime now() const;
    void prune(QDate today);                                 // under mutex_
    void deactivate(const QString& why);                     // under mutex_
    void failed(const QString& file, const QString& reason); // under mutex_
    qint64 dayLimit() const;
    bool writeEntry(const QByteArray& line); // under mutex_

    EventLogOptions options_;
    QString folder_;
    mutable std::mutex mutex_;
    bool active_ = true;
    QString reason_;
    QDate day_;             // day of the current file
    qint64 totalBytes_ = 0; // all day files after the last pruning, plus appends
    qint64 dayBytes_ = 0;   // the current day's file
    uint64_t dropped_ = 0;
    bool toldFailure_ = false;
};
