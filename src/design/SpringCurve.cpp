#include "SpringCurve.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double settleTolerance = 0.005;
// QEasingCurve's Bézier spline holds at most ten segments in Qt 6.4 (more
// overruns a fixed buffer inside Qt).
constexpr int splineSegments = 10;
constexpr double scanStep = 0.0005;

struct Oscillator
{
    double omega;
    double zeta;
};

Oscillator oscillator(double response, double dampingFraction)
{
    const double r = response > 0 ? response : 0.001;
    return {2 * std::numbers::pi / r, std::clamp(dampingFraction, 0.01, 4.0)};
}

// Step response and its time derivative.
std::pair<double, double> step(const Oscillator &o, double t)
{
    const double w = o.omega;
    const double z = o.zeta;
    if (std::abs(z - 1.0) < 1e-9) {
        const double e = std::exp(-w * t);
        return {1 - e * (1 + w * t), e * w * w * t};
    }
    if (z < 1.0) {
        const double wd = w * std::sqrt(1 - z * z);
        const double e = std::exp(-z * w * t);
        const double c = std::cos(wd * t);
        const double s = std::sin(wd * t);
        return {1 - e * (c + z * w / wd * s), e * (w * w / wd) * s};
    }
    const double root = w * std::sqrt(z * z - 1);
    const double r1 = -z * w + root;
    const double r2 = -z * w - root;
    const double a = r2 / (r2 - r1);
    const double b = -r1 / (r2 - r1);
    return {1 - a * std::exp(r1 * t) - b * std::exp(r2 * t),
            -a * r1 * std::exp(r1 * t) - b * r2 * std::exp(r2 * t)};
}

} // namespace

double SpringCurve::position(double response, double dampingFraction, double t)
{
    return step(oscillator(response, dampingFraction), t).first;
}

double SpringCurve::settlingTime(double response, double dampingFraction)
{
    const Oscillator o = oscillator(response, dampingFraction);
    // The envelope decays at rate zeta*omega; scan well past where it is
    // certainly below the tolerance and keep the last time outside it.
    const double horizon = 12.0 / (std::min(o.zeta, 1.0) * o.omega) + 1.0;
    double last = 0;
    for (double t = 0; t <= horizon; t += scanStep) {
        if (std::abs(1 - step(o, t).first) > settleTolerance)
            last = t;
    }
    return last + scanStep;
}

QList<qreal> SpringCurve::bezierSpline(double response, double dampingFraction)
{
    const Oscillator o = oscillator(response, dampingFraction);
    const double duration = settlingTime(response, dampingFraction);
    QList<qreal> points;
    points.reserve(splineSegments * 6);
    // Cubic Hermite segments through samples of the response, written as
    // Bézier control points in normalised time (x) and progress (y).
    const double h = 1.0 / splineSegments;
    auto sample = [&](int i) {
        const auto [y, dy] = step(o, i * h * duration);
        return std::pair{y, dy * duration};
    };
    auto previous = sample(0);
    for (int i = 1; i <= splineSegments; ++i) {
        auto next = sample(i);
        const double x0 = (i - 1) * h;
        const double x1 = i * h;
        const double y1 = i == splineSegments ? 1.0 : next.first;
        points << x0 + h / 3 << previous.first + previous.second * h / 3;
        points << x1 - h / 3 << y1 - next.second * h / 3;
        points << (i == splineSegments ? 1.0 : x1) << y1;
        previous = next;
    }
    return points;
}

int SpringCurve::durationMs(double response, double dampingFraction) const
{
    return static_cast<int>(std::lround(settlingTime(response, dampingFraction) * 1000));
}

QVariantList SpringCurve::curve(double response, double dampingFraction) const
{
    QVariantList points;
    for (qreal value : bezierSpline(response, dampingFraction))
        points << value;
    return points;
}
