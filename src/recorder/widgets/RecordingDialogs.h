#pragma once
// The questions the recording session asks the user, behind one small
// interface so that tests answer them without a user. QtRecordingDialogs asks
// with the standard dialogs.

#include "recorder/DataRecorder.h"

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;
struct ReportRemarks;

class RecordingDialogs {
public:
    virtual ~RecordingDialogs() = default;

    // A file to write; empty when cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& proposedName,
                                 const QString& filter) = 0;
    // The name of a recording (its two files are named after it); empty when
    // cancelled. The session asks itself whether the two files may be
    // replaced, so the dialog does not ask about the name typed.
    virtual QString recordingName(QWidget* parent, const QString& title,
                                  const QString& proposedName, const QString& filter) {
        return saveFileName(parent, title, proposedName, filter);
    }
    // A saved recording to open: through a file dialog titled "Open ORVATIX
    // Files" or from `lastFiles`; empty when the user chose nothing.
    virtual QString recordingToOpen(QWidget* parent, const QStringList& lastFiles) = 0;
    // A message with OK.
    virtual void message(QWidget* parent, const RecorderMessage& message) = 0;
    // A question with Yes and No (the default as the message says); true for Yes.
    virtual bool question(QWidget* parent, const RecorderMessage& message) = 0;
    // The remarks dialog before a report; it keeps what was typed in
    // `remarks` either way. False when cancelled: no report.
    virtual bool editRemarks(QWidget* parent, ReportRemarks& remarks) = 0;
    // The print dialog; false when cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
};

class QtRecordingDialogs : public RecordingDialogs {
public:
    QString saveFileName(QWidget* parent, const QString& title, const QString& proposedName,
                         const QString& filter) override;
    QString recordingName(QWidget* parent, const QString& title, const QString& proposedName,
                          const QString& filter) override;
    QString recordingToOpen(QWidget* parent, const QStringList& lastFiles) override;
    void message(QWidget* parent, const RecorderMessage& message) override;
    bool question(QWidget* parent, const RecorderMessage& message) override;
    bool editRemarks(QWidget* parent, ReportRemarks& remarks) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
};
