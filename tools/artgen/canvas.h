// A tiny RGBA raster with the few drawing primitives the art needs.
#pragma once
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

struct Px {
    uint8_t r = 0, g = 0, b = 0, a = 0;
};
constexpr Px rgb(int r, int g, int b, int a = 255)
{
    return Px { uint8_t(r), uint8_t(g), uint8_t(b), uint8_t(a) };
}
inline bool operator==(Px p, Px q)
{
    return p.r == q.r && p.g == q.g && p.b == q.b && p.a == q.a;
}

Px mix(Px a, Px b, double t); // t = 0 gives a, t = 1 gives b
Px shade(Px c, int d); // brighten (d > 0) or darken, alpha kept
int luma(Px c);
Px hsv(double hue, double sat, double val); // all in [0, 1]

// The suite's colours, shared by every picture so the parts match.
namespace col {
constexpr Px face = rgb(200, 202, 206); // flat metal: wells and button frames
constexpr Px white = rgb(255, 255, 255);
constexpr Px light = rgb(230, 232, 236);
constexpr Px shadow = rgb(128, 130, 136);
constexpr Px dark = rgb(56, 58, 64);
constexpr Px black = rgb(0, 0, 0);
constexpr Px ink = rgb(16, 24, 72); // glyph outline navy
constexpr Px navy = rgb(28, 44, 112);
constexpr Px blue = rgb(56, 96, 196);
constexpr Px sky = rgb(150, 184, 240);
constexpr Px accent = rgb(240, 136, 24); // the one warm colour
constexpr Px teal = rgb(0, 128, 128); // 1990s desktop
} // namespace col

struct Image {
    int w = 0, h = 0;
    std::vector<Px> px;

    Image() = default;
    Image(int w, int h, Px fill = Px {}) : w(w), h(h), px(size_t(w) * h, fill) { }

    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    Px get(int x, int y) const { return inside(x, y) ? px[size_t(y) * w + x] : Px {}; }
    void set(int x, int y, Px c)
    {
        if (inside(x, y))
            px[size_t(y) * w + x] = c;
    }
    void blend(int x, int y, Px c, double cover = 1.0); // "over" compositing
    void fill(int x, int y, int w, int h, Px c);
    void hline(int x0, int x1, int y, Px c) { fill(x0, y, x1 - x0 + 1, 1, c); }
    void vline(int x, int y0, int y1, Px c) { fill(x, y0, 1, y1 - y0 + 1, c); }
    void line(int x0, int y0, int x1, int y1, Px c);
    void blit(const Image& src, int x, int y); // honours src alpha
};

// 1-px frames around the rectangle (x, y, w, h), drawn on its outermost pixels.
void frame(Image& im, int x, int y, int w, int h, Px topLeft, Px bottomRight);
inline void raised(Image& im, int x, int y, int w, int h)
{
    frame(im, x, y, w, h, col::white, col::dark);
}
inline void sunken(Image& im, int x, int y, int w, int h)
{
    frame(im, x, y, w, h, col::shadow, col::white);
}

// Small deterministic PRNG (xorshift32): the metal must look the same on every build.
class Rng {
    uint32_t s;

public:
    explicit Rng(uint32_t seed) : s(seed ? seed : 1) { }
    uint32_t next()
    {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        return s;
    }
    double unit() { return (next() >> 8) / double(1 << 24); } // [0, 1)
    double signedUnit() { return unit() * 2 - 1; }
};

// Brushed metal: streaks run along x (or along y when vertical).
void metal(Image& im, int x, int y, int w, int h, Px base, uint32_t seed, bool vertical = false);

// Anti-aliased filling of any shape given as an inside test in pixel
// coordinates (pixel centres at +0.5); colour may vary across the shape.
using Inside = std::function<bool(double, double)>;
using Paint = std::function<Px(double, double)>;
void paint(Image& im, const Inside& in, const Paint& colour, int ss = 4);
void paint(Image& im, const Inside& in, Px c, int ss = 4);
// Same, but hard-edged (a pixel is in when most of it is): for tiny glyphs.
void paintCrisp(Image& im, const Inside& in, Px c);

// Pixel art from rows of characters; each character is looked up in `inks`,
// anything not listed stays untouched.
using Inks = std::initializer_list<std::pair<char, Px>>;
void art(Image& im, int x, int y, std::initializer_list<const char*> rows, Inks inks);

// Recolour opaque pixels that touch a transparent one (or the image edge).
void outline(Image& im, Px c);
// Colour transparent pixels that touch an opaque one: an edge outside a shape.
void halo(Image& im, Px c);
Image tint(const Image& im, Px c); // same alpha, one colour
Image rotateCCW(const Image& im);
Image rotateCW(const Image& im);
// Dark ink with a light copy 1 px below-right: engraved into the metal.
void engrave(Image& dst, const Image& ink, int x, int y, Px dark, Px lightEdge = col::white);
