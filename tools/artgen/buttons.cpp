// Button glyphs and the four-state strips built from them.
#include <cmath>

#include "art.h"

namespace {

const double pi = 3.14159265358979;

// Hard-edged shape whose fill colour depends on position.
Image shape(const Inside& in, const Paint& fill)
{
    Image im(24, 21);
    paintCrisp(im, in, col::white);
    for (int y = 0; y < im.h; ++y)
        for (int x = 0; x < im.w; ++x)
            if (im.get(x, y).a)
                im.set(x, y, fill(x + 0.5, y + 0.5));
    return im;
}

// Light from the top left, as on the bevels.
Paint lit(Px hi, Px lo, double x0, double y0, double span)
{
    return [=](double x, double y) { return mix(hi, lo, std::min(1.0, std::max(0.0, ((x - x0) + (y - y0)) / span))); };
}

Image help()
{
    Image im(24, 21);
    art(im, 7, 4,
        {
            "..#####..",
            ".##+++##.",
            "##++.++##",
            "##+...+##",
            "......+##",
            ".....+##.",
            "....+##..",
            "...+##...",
            "...###...",
            ".........",
            "...ooo...",
            "...ooo...",
        },
        { { '#', col::ink }, { '+', col::navy }, { 'o', col::accent } });
    return im;
}

Image setup()
{
    const double cx = 11.5, cy = 10.5; // a pixel centre, so straight teeth are exactly 3 px wide
    Image im = shape(
        [&](double x, double y) {
            double dx = x - cx, dy = y - cy, r = std::hypot(dx, dy);
            if (r < 2.3)
                return false;
            if (r < 5.6)
                return true;
            for (int k = 0; k < 8; ++k) { // square teeth, rotated copies of the one pointing right
                double a = k * pi / 4, u = dx * std::cos(a) + dy * std::sin(a),
                       v = -dx * std::sin(a) + dy * std::cos(a);
                if (u > 0 && u < 7.5 && std::fabs(v) < 1.6)
                    return true;
            }
            return false;
        },
        lit(rgb(170, 186, 224), rgb(48, 64, 120), 4, 3, 16));
    outline(im, col::ink);
    return im;
}

Image cd()
{
    const double cx = 12, cy = 11;
    Image im = shape(
        [&](double x, double y) {
            double r = std::hypot(x - cx, y - cy);
            return r < 8.2 && r > 1.6;
        },
        [&](double x, double y) {
            double dx = x - cx, dy = y - cy, r = std::hypot(dx, dy);
            if (r < 3.4)
                return rgb(236, 238, 244); // clear hub
            // Two opposite rainbow sectors on silver, like light on a real disc.
            double sheen = std::pow(std::max(0.0, std::cos(2 * (std::atan2(dy, dx) + pi / 4))), 2);
            Px silver = mix(rgb(226, 228, 236), rgb(150, 156, 172), (dx + dy + 8) / 16);
            return mix(silver, hsv(0.9 - r / 9.0, 0.7, 1.0), 0.75 * sheen);
        });
    outline(im, col::ink);
    for (int y = 0; y < 21; ++y) // a thin ring between hub and data area
        for (int x = 0; x < 24; ++x)
            if (std::fabs(std::hypot(x + 0.5 - cx, y + 0.5 - cy) - 3.6) < 0.45)
                im.set(x, y, rgb(120, 126, 144));
    return im;
}

Image midi()
{
    Image im(24, 21);
    const int x0 = 4, y0 = 4, keys = 5;
    im.fill(x0, y0, keys * 3 + 1, 13, col::ink);
    im.fill(x0 + 1, y0 + 1, keys * 3 - 1, 2, col::navy);
    im.fill(x0 + 12, y0 + 1, 2, 1, col::accent); // power light
    for (int k = 0; k < keys; ++k) {
        im.fill(x0 + 1 + 3 * k, y0 + 4, 2, 8, col::white);
        im.set(x0 + 2 + 3 * k, y0 + 11, rgb(176, 180, 196));
    }
    for (int k : { 0, 1, 3 }) // C#, D#, F#
        im.fill(x0 + 2 + 3 * k, y0 + 4, 3, 5, col::ink);
    return im;
}

Image volume()
{
    Image im = shape(
        [](double x, double y) {
            bool box = x >= 4 && x < 8 && y >= 8 && y < 14;
            double spread = (x - 8) * 1.3; // cone widens to the right
            bool cone = x >= 7 && x < 12 && y >= 8 - spread && y < 14 + spread;
            return box || cone;
        },
        lit(rgb(120, 150, 230), col::navy, 4, 5, 14));
    outline(im, col::ink);
    for (double r : { 3.6, 6.6 }) {
        Image wave(24, 21);
        paintCrisp(
            wave,
            [r](double x, double y) {
                double dx = x - 11.5, dy = y - 11;
                return dx > 0 && std::fabs(dy) < dx * 1.2 && std::fabs(std::hypot(dx, dy) - r) < 0.75;
            },
            col::accent);
        im.blit(wave, 1, 0);
    }
    return im;
}

Image wave()
{
    Image im(24, 21);
    static const int amp[] = { 1, 2, 4, 6, 5, 7, 4, 2, 5, 6, 3, 4, 2, 3, 1, 1 };
    im.hline(3, 20, 11, col::accent);
    for (int i = 0; i < 16; ++i) {
        int x = 4 + i, a = amp[i];
        im.vline(x, 11 - a, 11 + a - 1, i % 2 ? col::navy : col::blue);
        im.set(x, 11 - a, col::ink), im.set(x, 11 + a - 1, col::ink);
        if (a == 1)
            im.set(x, 11, col::accent);
    }
    return im;
}

Image exitCross()
{
    Image im(24, 21);
    art(im, 7, 6,
        {
            "##......##",
            "###....###",
            ".###..###.",
            "..######..",
            "...####...",
            "..######..",
            ".###..###.",
            "###....###",
            "##......##",
        },
        { { '#', col::ink } });
    return im;
}

Image minimise()
{
    Image arrow(24, 21);
    art(arrow, 8, 4,
        {
            "...##...",
            "...##...",
            "...##...",
            "########",
            ".######.",
            "..####..",
            "...##...",
        },
        { { '#', col::blue } });
    halo(arrow, col::ink);
    arrow.fill(6, 15, 12, 2, col::ink);
    return arrow;
}

Image launch()
{
    Image im(24, 21);
    im.fill(3, 4, 14, 12, col::ink);
    im.fill(4, 5, 12, 2, col::navy);
    im.fill(4, 7, 12, 8, col::white);
    im.fill(13, 5, 2, 1, col::face); // a close box, to say "window"
    Image arrow(24, 21);
    art(arrow, 10, 5,
        {
            "...#####",
            "....####",
            "...#####",
            "..###.##",
            ".###...#",
            "###.....",
            "##......",
        },
        { { '#', col::accent } });
    halo(arrow, col::ink);
    im.blit(arrow, 0, 3);
    return im;
}

} // namespace

Image glyph(Glyph g)
{
    switch (g) {
    case Glyph::help: return help();
    case Glyph::setup: return setup();
    case Glyph::cd: return cd();
    case Glyph::midi: return midi();
    case Glyph::volume: return volume();
    case Glyph::wave: return wave();
    case Glyph::exit: return exitCross();
    case Glyph::minimise: return minimise();
    case Glyph::launch: return launch();
    }
    return Image(24, 21);
}

Image buttonStrip(Glyph g)
{
    Image sym = glyph(g), strip(96, 21);
    // Disabled: only the darker parts of the symbol survive, as the usual
    // grey etching with a white edge.
    Image etch(24, 21);
    for (int i = 0; i < 24 * 21; ++i)
        if (sym.px[i].a >= 128 && luma(sym.px[i]) < 170)
            etch.px[i] = col::black;

    for (int state = 0; state < 4; ++state) {
        Image f(24, 21, col::face);
        switch (state) {
        case 0: f.blit(sym, 0, 0); break;
        case 1: f.blit(sym, 0, 0), frame(f, 0, 0, 24, 21, col::white, col::dark); break;
        case 2: f.blit(sym, 1, 1), frame(f, 0, 0, 24, 21, col::dark, col::white); break;
        case 3: engrave(f, etch, 0, 0, col::shadow); break;
        }
        strip.blit(f, 24 * state, 0);
    }
    return strip;
}
