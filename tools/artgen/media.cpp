// The program icon, the hand cursors, the level-meter clip and the chime.
#include <algorithm>
#include <cmath>
#include <iterator>

#include "art.h"

namespace {

const double pi = 3.14159265358979;

// Shades stepped rather than smooth: icons are palettised.
Px stepped(Px hi, Px lo, double t)
{
    return mix(hi, lo, std::round(std::min(1.0, std::max(0.0, t)) * 3) / 3);
}

Image speakerIcon32()
{
    const int s = 32;
    Image im(s, s);
    paintCrisp(
        im,
        [](double x, double y) {
            bool box = x >= 2 && x < 10 && y >= 11 && y < 21;
            bool cone = x >= 9 && x < 17 && y >= 11 - (x - 10) && y < 21 + (x - 10);
            return box || cone;
        },
        col::white);
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x)
            if (im.get(x, y).a)
                im.set(x, y, stepped(rgb(150, 176, 244), col::navy, (x + y) / (1.1 * s) - 0.1));
    outline(im, col::ink);
    for (double r : { 5.5, 9.5, 13.5 })
        paintCrisp(
            im,
            [=](double x, double y) {
                double dx = x - 16, dy = y - 16;
                return dx > 0 && std::fabs(dy) < dx * 1.25 && std::fabs(std::hypot(dx, dy) - r) < 1.0;
            },
            col::accent);
    return im;
}

// At 16 px computed arcs break up, so this one is drawn by hand.
Image speakerIcon16()
{
    Image im(16, 16);
    art(im, 0, 0,
        {
            "",
            "",
            ".......##...o...",
            "......#h#....o..",
            ".....#hb#.o...o.",
            "#####hbb#..o..o.",
            "#hhhhbbb#..o...o",
            "#hbbbbbb#...o..o",
            "#hbbbbbb#...o..o",
            "#bbbbbbd#..o...o",
            "#####bdd#..o..o.",
            ".....#dd#.o...o.",
            "......#d#....o..",
            ".......##...o...",
        },
        { { '#', col::ink },
          { 'h', rgb(150, 176, 244) },
          { 'b', col::blue },
          { 'd', col::navy },
          { 'o', col::accent } });
    return im;
}

// Classic pointing hand: X black, o white, the rest transparent.
const char* const handRows[] = {
    "     XX",           "    XooX",          "    XooX",          "    XooX",         "    XooX",
    "    XooXXX",        "    XooXooXXX",     "    XooXooXooXX",   " XX XooXooXooXoX", "XooXXooooooooXooX",
    "XoooXoooooooooooX", " XooXoooooooooooX", "  XoooooooooooooX", "  XooooooooooooX", "   XoooooooooooX",
    "   XooooooooooX",   "    XoooooooooX",   "    XoooooooooX",   "    XXXXXXXXXXX",
};
const int pressDepth = 3; // rows the index finger loses when it presses

} // namespace

std::vector<Image> iconImages()
{
    return { speakerIcon32(), speakerIcon16() };
}

Image hand(bool pressed)
{
    Image im(32, 32);
    for (int y = 0; y < int(std::size(handRows)); ++y) {
        // Pressing folds the fingertip: its top rows are dropped and the
        // tip drawn lower, so the palm moves up towards the hotspot.
        int src = pressed && y < pressDepth ? -1 : pressed && y == pressDepth ? 0 : y;
        if (src < 0)
            continue;
        for (int x = 0; handRows[src][x]; ++x) {
            char c = handRows[src][x];
            if (c != ' ')
                im.set(x, y, c == 'X' ? col::black : col::white);
        }
    }
    return im;
}

void handHotspot(bool pressed, int& x, int& y)
{
    x = 5, y = pressed ? pressDepth : 0;
}

std::vector<Image> levelMeter(bool turned)
{
    const Px lit[] = { rgb(60, 230, 80), rgb(250, 220, 40), rgb(250, 60, 40) };
    const Px dim[] = { rgb(14, 50, 20), rgb(54, 48, 10), rgb(56, 16, 12) };
    std::vector<Image> frames;
    for (int f = 0; f < 16; ++f) {
        Image im(9, 14, rgb(0, 0, 0));
        for (int ch = 0; ch < 2; ++ch) {
            // Whole periods over 16 frames, so the clip loops without a jump.
            double t = 2 * pi * f / 16;
            double v = 3.4 + 2.2 * std::sin(t + ch * 1.9) + 1.4 * std::sin(3 * t + 0.7 + ch * 2.3);
            int level = std::clamp(int(std::lround(v)), 1, 7);
            for (int seg = 0; seg < 7; ++seg) {
                int zone = seg < 4 ? 0 : seg < 6 ? 1 : 2;
                im.hline(1 + 4 * ch, 3 + 4 * ch, 13 - 2 * seg, seg < level ? lit[zone] : dim[zone]);
            }
        }
        frames.push_back(turned ? rotateCW(im) : im); // turned: rises to the right
    }
    return frames;
}

std::vector<double> chime(int rate)
{
    struct Note {
        double start, freq, decay;
    };
    const Note notes[] = { { 0.00, 1046.5, 0.22 }, { 0.12, 1318.5, 0.22 }, { 0.24, 1568.0, 0.32 } };
    const double length = 1.0, attack = 0.005, release = 0.05;
    std::vector<double> out(size_t(length * rate));
    for (size_t i = 0; i < out.size(); ++i) {
        double t = double(i) / rate, v = 0;
        for (const Note& n : notes) {
            double u = t - n.start;
            if (u < 0)
                continue;
            // A bell: slightly stretched overtones, each dying faster.
            double tone = std::sin(2 * pi * n.freq * u) +
                          0.25 * std::sin(2 * pi * n.freq * 2.01 * u) * std::exp(-u / 0.1) +
                          0.08 * std::sin(2 * pi * n.freq * 3.03 * u) * std::exp(-u / 0.05);
            v += tone * std::exp(-u / n.decay) * std::min(1.0, u / attack);
        }
        v *= std::min(1.0, (length - t) / release);
        out[i] = v;
    }
    double peak = 0;
    for (double v : out)
        peak = std::max(peak, std::fabs(v));
    for (double& v : out)
        v *= 0.55 / peak;
    return out;
}
