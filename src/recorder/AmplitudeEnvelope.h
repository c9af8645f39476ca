#pragma once
// What the amplitude curves of a recording draw on each pixel column of a plot
// over the shaft angle, kept up to date as samples are appended, so that a
// full redraw reads a few values per column instead of every sample.
//
// Two levels are kept for one horizontal scale (the plot's left and right
// pixel):
// - runs: consecutive samples on one column, with their first, last, lowest
//   and highest amplitude per head. Drawing them gives exactly the picture of
//   drawing every sample. They are kept while there are at most `runBudget`
//   of them; a recording over many turns has more, and then only the columns
//   are kept.
// - columns: per column the lowest and highest amplitude per head that any
//   stroke reaches there, the joining lines between columns included. Drawn as
//   one bar per column and head it covers every pixel a sample's stroke
//   covers, whatever the number of turns.
//
// Amplitudes are kept in percent, so one envelope serves any plot height.

#include "recorder/RecordSample.h"

#include <cstddef>
#include <vector>

struct EnvelopeRun {
    std::size_t begin = 0; // first sample of the run
    std::size_t end = 0;   // one past the last
    int x = 0;             // pixel column
    int count = 0;         // samples in the run
    double firstWH = 0.0, lastWH = 0.0, lowWH = 0.0, highWH = 0.0;
    double firstYE = 0.0, lastYE = 0.0, lowYE = 0.0, highYE = 0.0;
};

struct EnvelopeColumn {
    bool used = false;
    double lowWH = 0.0, highWH = 0.0;
    double lowYE = 0.0, highYE = 0.0;
};

class AmplitudeEnvelope {
public:
    // Runs kept per pixel column on average before only the columns are kept.
    static constexpr std::size_t kRunsPerColumn = 16;

    // A plot whose angle axis runs from pixel `left` (0 degrees) to `right`
    // (360 degrees).
    AmplitudeEnvelope(int left, int right);
    AmplitudeEnvelope(int left, int right, std::size_t runBudget);

    int left() const { return left_; }
    int right() const { return right_; }
    // The column of an angle, and whether two columns are joined by a line
    // (less than 90 degrees apart, so the wrap from 360 to 0 stays open).
    int columnOf(double degrees) const;
    bool joins(int x1, int x2) const;

    // Takes in the samples from covered() to the end. The samples before
    // covered() must be the ones taken in before.
    void extend(const std::vector<RecordSample>& samples);
    std::size_t covered() const { return covered_; }

    bool hasRuns() const { return keepRuns_; }
    const std::vector<EnvelopeRun>& runs() const { return runs_; }
    // Indexed by column - left(), from left() to right().
    const std::vector<EnvelopeColumn>& columns() const { return columns_; }

private:
    void widen(int x, double wh, double ye);
    void startRun(std::size_t index, int x, double wh, double ye);

    int left_;
    int right_;
    std::size_t runBudget_;
    std::size_t covered_ = 0;
    bool keepRuns_ = true;
    bool haveRun_ = false;
    EnvelopeRun current_; // the newest run, also the last of runs_ while they are kept
    std::vector<EnvelopeRun> runs_;
    std::vector<EnvelopeColumn> columns_;
};
