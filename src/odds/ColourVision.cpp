#include "odds/ColourVision.h"

#include <algorithm>
#include <cmath>

#include "odds/ChartColours.h"

namespace karven {

namespace {
constexpr double Pi = 3.14159265358979323846;

double ToLinear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int FromLinear(double c) {
    c = std::clamp(c, 0.0, 1.0);
    const double s = c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
    return int(std::lround(s * 255));
}

// Machado, Oliveira and Fernandes (2009), severity 1, on linear RGB.
constexpr double Matrices[3][3][3] = {
    {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}},
    {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}},
    {{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}},
};

double Degrees(double radians) { return radians * 180 / Pi; }
double Radians(double degrees) { return degrees * Pi / 180; }
} // namespace

ChartRgb SeenWith(ChartRgb colour, Vision vision) {
    const double rgb[3] = {ToLinear(colour.r), ToLinear(colour.g), ToLinear(colour.b)};
    const auto& m = Matrices[int(vision)];
    double out[3];
    for (int i = 0; i < 3; ++i) out[i] = m[i][0] * rgb[0] + m[i][1] * rgb[1] + m[i][2] * rgb[2];
    return {FromLinear(out[0]), FromLinear(out[1]), FromLinear(out[2])};
}

Lab ToLab(ChartRgb colour) {
    const double r = ToLinear(colour.r), g = ToLinear(colour.g), b = ToLinear(colour.b);
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    auto f = [](double t) {
        constexpr double d = 6.0 / 29;
        return t > d * d * d ? std::cbrt(t) : t / (3 * d * d) + 4.0 / 29;
    };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

double Ciede2000(Lab x, Lab y) {
    const double c1 = std::hypot(x.a, x.b), c2 = std::hypot(y.a, y.b);
    const double cMean7 = std::pow((c1 + c2) / 2, 7);
    const double g = 0.5 * (1 - std::sqrt(cMean7 / (cMean7 + std::pow(25.0, 7))));
    const double a1 = (1 + g) * x.a, a2 = (1 + g) * y.a;
    const double cp1 = std::hypot(a1, x.b), cp2 = std::hypot(a2, y.b);
    auto hue = [](double b, double a) {
        if (a == 0 && b == 0) return 0.0;
        const double h = Degrees(std::atan2(b, a));
        return h < 0 ? h + 360 : h;
    };
    const double h1 = hue(x.b, a1), h2 = hue(y.b, a2);
    const double dL = y.L - x.L, dC = cp2 - cp1;
    double dh = 0;
    if (cp1 * cp2 != 0) {
        dh = h2 - h1;
        if (dh > 180) dh -= 360;
        else if (dh < -180) dh += 360;
    }
    const double dH = 2 * std::sqrt(cp1 * cp2) * std::sin(Radians(dh / 2));
    const double lMean = (x.L + y.L) / 2, cpMean = (cp1 + cp2) / 2;
    double hMean = h1 + h2;
    if (cp1 * cp2 != 0) {
        if (std::abs(h1 - h2) <= 180) hMean = (h1 + h2) / 2;
        else if (h1 + h2 < 360) hMean = (h1 + h2 + 360) / 2;
        else hMean = (h1 + h2 - 360) / 2;
    }
    const double t = 1 - 0.17 * std::cos(Radians(hMean - 30)) + 0.24 * std::cos(Radians(2 * hMean)) +
                     0.32 * std::cos(Radians(3 * hMean + 6)) - 0.20 * std::cos(Radians(4 * hMean - 63));
    const double dTheta = 30 * std::exp(-std::pow((hMean - 275) / 25, 2));
    const double cpMean7 = std::pow(cpMean, 7);
    const double rC = 2 * std::sqrt(cpMean7 / (cpMean7 + std::pow(25.0, 7)));
    const double sL = 1 + 0.015 * std::pow(lMean - 50, 2) / std::sqrt(20 + std::pow(lMean - 50, 2));
    const double sC = 1 + 0.045 * cpMean, sH = 1 + 0.015 * cpMean * t;
    const double rT = -std::sin(Radians(2 * dTheta)) * rC;
    const double l = dL / sL, c = dC / sC, h = dH / sH;
    return std::sqrt(l * l + c * c + h * h + rT * c * h);
}

double LeastDifference(ChartRgb x, ChartRgb y) {
    double least = Ciede2000(ToLab(x), ToLab(y));
    for (Vision v : Visions) least = std::min(least, Ciede2000(ToLab(SeenWith(x, v)), ToLab(SeenWith(y, v))));
    return least;
}

} // namespace karven
