#pragma once
// The two amplitude bars of the main window's "Amplitude" group: the yellow
// sensor (YE) on the left, the white sensor (WH) on the right, the scale
// between them, a percentage box below and a label above each bar.
//
// Placed over the whole group by AmplitudeGroup::setBars; it lays itself out
// in the group's area below the caption, paints with a transparent background
// and lets mouse clicks through to the group (a left click there resets the
// box). Use, on the user-interface thread:
//
//     auto* bars = new AmplitudeBars;
//     controls.amplitudeGroup->setBars(bars);
//     bars->setLabelFonts(fonts.barLabel, fonts.barLabelBold);
//     // amplitude events, unless recording or bars->busy():
//     bars->draw(BarUpdate::newAmplitude(Head::YE, readings.amplitudeYE));
//     // box reset handling, for each head:
//     bars->draw(BarUpdate::forgetExtremes(head)); bars->draw(BarUpdate::redraw(head));
//     // offsets reported / box reset: bars->setOffsetSeen(Head::WH, seen);

#include "display/AmplitudeBarLayout.h"
#include "display/AmplitudeTrack.h"
#include "display/BarColours.h"
#include "display/BarUpdate.h"

#include <QColor>
#include <QFont>
#include <QWidget>

class AmplitudeBars : public QWidget {
    Q_OBJECT
public:
    explicit AmplitudeBars(QWidget* parent = nullptr);

    // A new amplitude redraws the bar only when its value, minimum or maximum
    // changed; forgetting the extremes draws nothing; a redraw of the white
    // bar redraws the scale too. Updates made while the bars are being
    // painted are ignored.
    void draw(const BarUpdate& update);

    // True while the bars are being painted: amplitude notifications that
    // arrive meanwhile are skipped.
    bool busy() const { return painting_; }

    // The label fonts: normal, and bold once the box has reported the DAC
    // offsets of the sensor.
    void setLabelFonts(const QFont& normal, const QFont& bold);
    void setOffsetSeen(Head sensor, bool seen);
    bool offsetSeen(Head sensor) const;

    const AmplitudeTrack& track(Head sensor) const;

    // The area the bars are laid out in: the parent group's area below its
    // caption, or the whole widget when it stands alone.
    QRect barArea() const;
    AmplitudeBarGeometry geometry() const { return AmplitudeBarGeometry::compute(barArea()); }

    // The colour of a bar paint on a display of `depth` bits per pixel.
    static QColor paintColour(BarPaint paint, int depth);
    // The sensor's own colour: white for WH, light yellow for YE.
    static QColor sensorColour(Head sensor, int depth);

    // The region a bar occupies with its frame, label and percentage box.
    static QRect barRegion(const AmplitudeBarGeometry& geometry, Head sensor);
    // The region of the scale between the bars.
    static QRect scaleRegion(const AmplitudeBarGeometry& geometry);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AmplitudeTrack& trackOf(Head sensor);
    void paintBar(class QPainter& painter, const AmplitudeBarGeometry& g, Head sensor) const;
    void paintScale(QPainter& painter, const AmplitudeBarGeometry& g) const;

    AmplitudeTrack wh_;
    AmplitudeTrack ye_;
    bool offsetSeenWH_ = false;
    bool offsetSeenYE_ = false;
    bool painting_ = false;
    QFont normalFont_;
    QFont boldFont_;
};
