#pragma once
// A recording name that is taken: the two files a chosen name would write
// over, and the question before they are replaced.

#include "recorder/DataRecorder.h"

#include <QString>
#include <QStringList>

// The files of the recording named `chosenPath` (its "_amp.txt" and
// "_ref.txt") that are there already, in that order; empty when the name is
// free.
QStringList recordFilesInTheWay(const QString& chosenPath);

// "A recording of this name exists already: <the files> Replace it?", in the
// current language, with No as the answer Return gives.
RecorderMessage replaceRecordingQuestion(const QStringList& files);
