#pragma once
// A recorder on records of the test's own (link flags, settings, readings),
// with a folder for its files and a clock that the test moves.

#include "config/ConfigData.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "recorder/DataRecorder.h"

#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

struct RecorderRig {
    explicit RecorderRig(std::size_t limit = kMaxRecordSamples) : recorder(link, config, limit) {
        link.recordingActive = false;
        config.pulseRate = 1728;
    }

    QString path(const QString& name) const { return folder.path() + QLatin1Char('/') + name; }

    // Starts a recording under `name` in the test's folder.
    bool start(const QString& name = QStringLiteral("run.txt")) {
        if (recorder.toggleRecording(false, false).action != ToggleAction::AskForFileName) {
            return false;
        }
        return recorder.startRecording(path(name)).started;
    }

    AddOutcome add(std::int32_t counts, SampleKind kind = SampleKind::Position, double wh = 50.0,
                   double ye = 60.0) {
        clockMs += 100;
        const SampleContext context{readings, config.pulseRate, noData, clockMs};
        return recorder.addRecordSample(counts, wh, ye, kind, context);
    }

    // Counts of a position in degrees at the rig's pulse rate.
    std::int32_t counts(double degrees) const {
        return static_cast<std::int32_t>(degrees * config.pulseRate * 5000.0 / 360.0);
    }

    QTemporaryDir folder;
    LinkControl link;
    ConfigData config;
    DeviceReadings readings;
    bool noData = false;
    std::int64_t clockMs = 1000000;
    DataRecorder recorder;
};
