// Gallery shots of the signal view: four heads a commissioning engineer meets
// (a sound one, one shifted off centre, one squashed by mismatched channels,
// one tilted by a phase error), two to a window, after a minute of turning.

#include "Gallery.h"

#include "signalview/widgets/CSignalViewDlg.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

// A head's errors as the simulated box takes them: offsets in percent of each
// channel's amplitude, amplitude of B over A, degrees that B lags beyond 90.
struct HeadShape {
    double amplitude;
    double offsetA;
    double offsetB;
    double ratio;
    double phase;
};

constexpr HeadShape kSound{64, 0, 0, 1.0, 0};
constexpr HeadShape kShifted{70, 14, -9, 1.0, 0};
constexpr HeadShape kSquashed{58, 0, 0, 0.65, 0};
constexpr HeadShape kTilted{66, 0, 0, 1.0, 22};

// Channel values (box units / 16, no DAC offsets) of a head at signal angle t;
// the washer's eccentricity swings the amplitude a little once per turn.
void channels(const HeadShape& h, double t, double turn, double& a, double& b) {
    const double amp = h.amplitude * (1.0 + 0.05 * std::sin(turn)) * 5.12;
    const double split = std::sqrt(h.ratio);
    const double lag = h.phase * std::numbers::pi / 180.0;
    a = amp / split * (std::cos(t) + h.offsetA / 100.0);
    b = amp * split * (std::sin(t - lag) + h.offsetB / 100.0);
}

QWidget* signalView(const HeadShape& yellow, const HeadShape& white) {
    auto* window = new CSignalViewDlg;
    std::uint32_t noise = 4711;
    auto jitter = [&noise] {
        noise = noise * 1103515245u + 12345u;
        return static_cast<double>((noise >> 16) % 1000) / 1000.0 - 0.5;
    };
    // One minute at 25 lines a second, the shaft turned once in 40 s.
    for (int i = 0; i < 1500; ++i) {
        const double seconds = i * 0.04;
        const double turn = 2.0 * std::numbers::pi * seconds / 40.0;
        const double t = 0.731 * i; // the signal angle between two lines
        SignalSample s;
        channels(white, t, turn, s.channelValues[0], s.channelValues[1]);
        channels(yellow, t + 1.1, turn + 0.8, s.channelValues[2], s.channelValues[3]);
        for (double& v : s.channelValues) {
            v += 3.0 * jitter();
        }
        s.amplitudeWH = std::hypot(s.channelValues[0], s.channelValues[1]) / 5.12;
        s.amplitudeYE = std::hypot(s.channelValues[2], s.channelValues[3]) / 5.12;
        s.time = seconds;
        window->addSample(s);
    }
    window->refresh();
    return window;
}

} // namespace

ORVATIX_GALLERY_SHOT(app_signal_view_sound_and_shifted) {
    return signalView(kSound, kShifted);
}

ORVATIX_GALLERY_SHOT(app_signal_view_squashed_and_tilted) {
    return signalView(kSquashed, kTilted);
}

ORVATIX_GALLERY_SHOT(app_signal_view_empty) {
    return new CSignalViewDlg;
}
