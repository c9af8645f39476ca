#pragma once
// The reference indicator on the zero button (1016): it lights when the box
// reports a reference mark and falls back to idle half a second after the
// last one. Plain logic; the window shows image() on the button.

#include <cstdint>
#include <functional>
#include <string_view>

class ReferenceIndicator {
public:
    enum class Image { Idle, Found, Passed, NotConnected };

    // Milliseconds of a monotonic clock; tests pass their own.
    using Clock = std::function<int64_t()>;

    explicit ReferenceIndicator(Clock clock);

    // Device event 9 (reference found). `displayAngle` in degrees.
    void referenceFound(std::string_view boxTypeText, bool absolutePositionMode,
                        double displayAngle);
    // Device event 10 (reference passed).
    void referencePassed(std::string_view boxTypeText, bool absolutePositionMode,
                         double displayAngle);
    // The last step of every device event: an image older than 500 ms returns
    // to idle. Returns the image the button must show.
    Image expire();
    // No data from the box: the not-connected image until the next event
    // that finds the last reference event older than 500 ms.
    void setNotConnected() { image_ = Image::NotConnected; }

    Image image() const { return image_; }

    // A box with one coded reference mark lights the indicator only near
    // zero once it knows its absolute position.
    static bool lightsAt(std::string_view boxTypeText, bool absolutePositionMode,
                         double displayAngle);

    static constexpr int64_t kLitMs = 500;

private:
    void startClock();

    Clock clock_;
    Image image_ = Image::Idle;
    int64_t eventTime_ = 0;
    bool clockStarted_ = false;
};
