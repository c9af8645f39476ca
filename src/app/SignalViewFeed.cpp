#include "app/SignalViewFeed.h"

#include "device/DeviceEvents.h"
#include "signalview/SignalSample.h"

void SignalViewFeed::deviceEvent(int code, int, const DeviceReadings& readings) {
    // Samples only while someone looks: the view keeps a minute of them.
    if (code != kPositionEvent || !view || !view->isVisible())
        return;
    view->addSample(signalSampleFrom(readings, double(clock()) / 1000.0));
}
