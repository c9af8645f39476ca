#pragma once
// Opening a saved recording again: "X_amp.txt" and, when it is there,
// "X_ref.txt" beside it (either name may be chosen) become one list of
// samples in recording order.

#include "recorder/RecordSample.h"

#include <QString>

#include <cstddef>
#include <vector>

struct LoadedRecording {
    bool ok = false; // false: not a recording; nothing else is filled in but:
    // Not opened because it holds more samples than a recording can have
    // (the file may be a recording all the same, of another program).
    bool tooManySamples = false;
    QString baseName; // the chosen path without "_amp.txt" / "_ref.txt"
    QString ampPath;  // the files read; empty when there was none
    QString refPath;
    std::vector<RecordSample> samples;
};

// Reads the recording of `chosenPath`. A missing or unreadable file, a file
// that is empty, binary or has a line of another format, a value the recorder
// cannot have written, or more than `sampleLimit` samples make the whole
// recording invalid. Memory stays bounded by the limit whatever the file.
LoadedRecording loadRecording(const QString& chosenPath, std::size_t sampleLimit);

// The lines of one file, appended to `samples` as samples of one kind. False
// as for loadRecording; `tooMany` (when given) is set when the limit was why.
bool readRecordFile(const QString& path, bool isReference, std::vector<RecordSample>& samples,
                    std::size_t sampleLimit, bool* tooMany = nullptr);

// Both kinds in recording order: by time, a position sample before a
// reference-mark sample of the same time (the files keep a tenth of a second).
std::vector<RecordSample> mergeByTime(const std::vector<RecordSample>& positions,
                                      const std::vector<RecordSample>& references);
