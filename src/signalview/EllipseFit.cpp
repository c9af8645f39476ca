#include "signalview/EllipseFit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

constexpr int kUnknowns = 5;
using Row = std::array<double, kUnknowns + 1>; // coefficients and right side

// Gaussian elimination with partial pivoting; false when singular.
bool solve(std::array<Row, kUnknowns>& m, std::array<double, kUnknowns>& out) {
    double largest = 0.0;
    for (const Row& row : m) {
        for (int j = 0; j < kUnknowns; ++j) {
            largest = std::max(largest, std::fabs(row[j]));
        }
    }
    const double tiny = largest * 1e-12;
    for (int col = 0; col < kUnknowns; ++col) {
        int pivot = col;
        for (int r = col + 1; r < kUnknowns; ++r) {
            if (std::fabs(m[r][col]) > std::fabs(m[pivot][col])) {
                pivot = r;
            }
        }
        if (!(std::fabs(m[pivot][col]) > tiny)) {
            return false;
        }
        std::swap(m[col], m[pivot]);
        for (int r = col + 1; r < kUnknowns; ++r) {
            const double f = m[r][col] / m[col][col];
            for (int j = col; j <= kUnknowns; ++j) {
                m[r][j] -= f * m[col][j];
            }
        }
    }
    for (int r = kUnknowns - 1; r >= 0; --r) {
        double s = m[r][kUnknowns];
        for (int j = r + 1; j < kUnknowns; ++j) {
            s -= m[r][j] * out[j];
        }
        out[r] = s / m[r][r];
    }
    return true;
}

} // namespace

std::optional<HeadFit> headFitFromConic(const Conic& c) {
    // Centre: where the gradient vanishes.
    const double det = 4.0 * c.p * c.r - c.q * c.q;
    if (!(det > 0.0)) {
        return std::nullopt; // a hyperbola, parabola or a line pair
    }
    const double x0 = (c.q * c.e - 2.0 * c.r * c.d) / det;
    const double y0 = (c.q * c.d - 2.0 * c.p * c.e) / det;
    // Moved to its centre the conic reads P u^2 + Q uv + R v^2 = s.
    const double s = 1.0 - (c.p * x0 * x0 + c.q * x0 * y0 + c.r * y0 * y0 + c.d * x0 + c.e * y0);
    if (!(s > 0.0)) {
        return std::nullopt;
    }
    const double p = c.p / s;
    const double q = c.q / s;
    const double r = c.r / s;
    // From A = ampA cos t, B = ampB sin(t - phi):
    //   P = 1 / (ampA^2 cos^2 phi), R = 1 / (ampB^2 cos^2 phi),
    //   Q = 2 sin phi / (ampA ampB cos^2 phi).
    const double sinPhi = q / (2.0 * std::sqrt(p * r));
    const double cos2 = 1.0 - sinPhi * sinPhi;
    if (!(cos2 > 0.0)) {
        return std::nullopt;
    }
    HeadFit fit;
    fit.centreX = x0;
    fit.centreY = y0;
    fit.amplitudeA = 1.0 / std::sqrt(p * cos2);
    fit.amplitudeB = 1.0 / std::sqrt(r * cos2);
    fit.offsetA = 100.0 * x0 / fit.amplitudeA;
    fit.offsetB = 100.0 * y0 / fit.amplitudeB;
    fit.ratio = fit.amplitudeB / fit.amplitudeA;
    fit.phase = std::asin(sinPhi) * 180.0 / std::numbers::pi;
    if (!std::isfinite(fit.amplitudeA) || !std::isfinite(fit.amplitudeB) ||
        !std::isfinite(fit.phase)) {
        return std::nullopt;
    }
    return fit;
}

std::optional<HeadFit> fitHead(const std::vector<SignalPoint>& points) {
    if (points.size() < kMinFitPoints) {
        return std::nullopt;
    }
    // Fitted about the points' mean and in units of their spread, so that the
    // conic's right side 1 is far from zero and the sums stay well scaled.
    double mx = 0.0;
    double my = 0.0;
    double squares = 0.0;
    for (const SignalPoint& pt : points) {
        mx += pt.x;
        my += pt.y;
        squares += pt.x * pt.x + pt.y * pt.y;
    }
    const double count = static_cast<double>(points.size());
    mx /= count;
    my /= count;
    const double spread = std::sqrt(std::max(0.0, squares / count - mx * mx - my * my));
    if (!(spread > 1e-9 * (1.0 + std::fabs(mx) + std::fabs(my)))) {
        return std::nullopt;
    }
    // Normal equations of sum (P x^2 + Q xy + R y^2 + D x + E y - 1)^2.
    std::array<Row, kUnknowns> m{};
    for (const SignalPoint& pt : points) {
        const double x = (pt.x - mx) / spread;
        const double y = (pt.y - my) / spread;
        const double terms[kUnknowns] = {x * x, x * y, y * y, x, y};
        for (int i = 0; i < kUnknowns; ++i) {
            for (int j = i; j < kUnknowns; ++j) {
                m[i][j] += terms[i] * terms[j];
            }
            m[i][kUnknowns] += terms[i];
        }
    }
    for (int i = 0; i < kUnknowns; ++i) {
        for (int j = 0; j < i; ++j) {
            m[i][j] = m[j][i];
        }
    }
    std::array<double, kUnknowns> v{};
    if (!solve(m, v)) {
        return std::nullopt;
    }
    const std::optional<HeadFit> scaled = headFitFromConic({v[0], v[1], v[2], v[3], v[4]});
    if (!scaled) {
        return std::nullopt;
    }
    // Back to percent: lengths scale with the spread, the centre moves by the mean.
    HeadFit fit = *scaled;
    fit.centreX = fit.centreX * spread + mx;
    fit.centreY = fit.centreY * spread + my;
    fit.amplitudeA *= spread;
    fit.amplitudeB *= spread;
    fit.offsetA = 100.0 * fit.centreX / fit.amplitudeA;
    fit.offsetB = 100.0 * fit.centreY / fit.amplitudeB;
    return fit;
}

SignalPoint fittedPoint(const HeadFit& fit, double t) {
    const double lag = fit.phase * std::numbers::pi / 180.0;
    return {fit.centreX + fit.amplitudeA * std::cos(t),
            fit.centreY + fit.amplitudeB * std::sin(t - lag)};
}
