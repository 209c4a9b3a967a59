// The start-up picture: a disc, a waveform and the product name.
#include <cmath>

#include "art.h"
#include "font.h"

namespace {

const double pi = 3.14159265358979;
const int W = 406, H = 298;

void background(Image& im)
{
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            double glow = std::exp(-(std::pow((x - 120) / 220.0, 2) + std::pow((y - 110) / 120.0, 2)));
            Px base = mix(rgb(12, 22, 70), rgb(2, 4, 20), double(y) / H);
            im.set(x, y, mix(base, rgb(40, 70, 170), 0.55 * glow));
        }
}

void disc(Image& im, double cx, double cy, double R)
{
    auto ring = [=](double r0, double r1) {
        return [=](double x, double y) {
            double d = std::hypot(x - cx, y - cy);
            return d >= r0 && d < r1;
        };
    };
    paint(im, ring(R * 0.1, R + 2), rgb(0, 0, 0, 90)); // soft edge against the night
    paint(im, ring(R * 0.1, R), [=](double x, double y) {
        double dx = x - cx, dy = y - cy, r = std::hypot(dx, dy), a = std::atan2(dy, dx);
        Px silver = mix(rgb(236, 238, 246), rgb(120, 126, 150), (dx + dy) / (4 * R) + 0.5);
        silver = shade(silver, int(4 * std::sin(r * 1.7))); // faint tracks
        double sheen = std::pow(std::max(0.0, std::cos(2 * (a + pi / 4))), 3);
        return mix(silver, hsv(0.85 - r / R * 0.9, 0.65, 1.0), 0.7 * sheen);
    });
    paint(im, ring(R * 0.1, R * 0.34), rgb(230, 236, 250, 150)); // clear hub
    paint(im, ring(R * 0.33, R * 0.345), rgb(110, 118, 140));
    paint(im, ring(R * 0.1, R * 0.12), rgb(160, 168, 190));
    paint(im, ring(R - 1.2, R), rgb(150, 156, 176));
}

double waveAt(double x)
{
    double env = 0.3 + 0.7 * std::pow(std::sin(pi * x / W), 2);
    return env * (0.6 * std::sin(x * 0.07) + 0.3 * std::sin(x * 0.19 + 1) + 0.12 * std::sin(x * 0.43 + 2));
}

void scope(Image& im, int top, int bottom)
{
    const double mid = (top + bottom) / 2.0, amp = (bottom - top) / 2.0 - 6;
    for (int x = 0; x < W; x += 16)
        im.vline(x, top, bottom, rgb(60, 110, 200, 40));
    for (int y = top; y <= bottom; y += 8)
        im.hline(0, W - 1, y, rgb(60, 110, 200, y == int(mid) ? 90 : 40));
    for (auto [half, c] :
         { std::pair { 6.0, rgb(40, 200, 255, 40) }, { 3.0, rgb(80, 220, 255, 90) }, { 1.1, rgb(200, 255, 255) } })
        paint(
            im, [=](double x, double y) { return std::fabs(y - (mid - amp * waveAt(x))) < half; }, c, 3);
}

// Big chrome lettering: sky above the horizon, dark below, a lighter floor.
Image chrome(const std::string& s, int scale)
{
    Image t = text(regular, s, col::white, scale), out(t.w + 2, t.h + 2);
    out.blit(t, 1, 1);
    double cap = 7.0 * scale;
    for (int y = 0; y < out.h; ++y) {
        double v = (y - 1) / cap;
        Px c = v < 0.5    ? mix(rgb(255, 255, 255), rgb(150, 190, 255), v * 2)
               : v < 0.56 ? rgb(30, 50, 120)
                          : mix(rgb(70, 100, 190), rgb(210, 230, 255), std::min(1.0, (v - 0.56) * 2.2));
        for (int x = 0; x < out.w; ++x)
            if (out.get(x, y).a)
                out.set(x, y, c);
    }
    halo(out, rgb(4, 8, 30));
    return out;
}

void shadowed(Image& im, const Image& pic, int x, int y, int d)
{
    im.blit(tint(pic, rgb(0, 0, 0, 120)), x + d, y + d);
    im.blit(pic, x, y);
}

} // namespace

Image splash()
{
    Image im(W, H);
    background(im);
    scope(im, 176, 244);
    disc(im, 312, 112, 78);

    shadowed(im, chrome("Tymp Studio", 4), 20, 34, 3);
    Image version = text(regular, "3.0", col::accent, 4);
    halo(version, rgb(60, 24, 0));
    shadowed(im, version, 26, 84, 3);
    im.blit(text(regular, "Sound Suite for Windows", col::sky), 26, 130);
    im.blit(text(regular, "CD - MIDI - Wave - Mixer", rgb(120, 150, 210)), 26, 144);

    // A brushed-metal foot strip carries the maker's name.
    const int top = 256;
    metal(im, 0, top, W, H - top, col::face, 156);
    im.hline(0, W - 1, top, col::white);
    im.hline(0, W - 1, top + 1, col::light);
    emblem(im, 24, top + 21, 12);
    Image maker = text(regular, "Marvik", col::white, 2);
    engrave(im, maker, 44, top + 13, rgb(28, 40, 96));
    Image note = text(regular, "Copyright (c) 1998 Marvik", rgb(70, 74, 86));
    engrave(im, note, W - 12 - note.w, top + 18, rgb(70, 74, 86));
    frame(im, 0, 0, W, H, col::white, col::dark);
    return im;
}
