#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

static uint8_t clamp8(double v)
{
    return uint8_t(std::lround(std::min(255.0, std::max(0.0, v))));
}

Px mix(Px a, Px b, double t)
{
    return Px { clamp8(a.r + (b.r - a.r) * t), clamp8(a.g + (b.g - a.g) * t), clamp8(a.b + (b.b - a.b) * t),
                clamp8(a.a + (b.a - a.a) * t) };
}

Px shade(Px c, int d)
{
    return Px { clamp8(c.r + d), clamp8(c.g + d), clamp8(c.b + d), c.a };
}

Px hsv(double h, double s, double v)
{
    h = std::fmod(h + 1, 1.0) * 6;
    int i = int(h) % 6;
    double f = h - int(h), p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    double r[] = { v, q, p, p, t, v }, g[] = { t, v, v, q, p, p }, b[] = { p, p, t, v, v, q };
    return rgb(int(r[i] * 255), int(g[i] * 255), int(b[i] * 255));
}

int luma(Px c)
{
    return (c.r * 30 + c.g * 59 + c.b * 11) / 100;
}

void Image::blend(int x, int y, Px c, double cover)
{
    if (!inside(x, y))
        return;
    Px& d = px[size_t(y) * w + x];
    double a = c.a / 255.0 * cover, da = d.a / 255.0;
    double oa = a + da * (1 - a);
    if (oa <= 0)
        return;
    auto ch = [&](uint8_t s, uint8_t t) { return clamp8((s * a + t * da * (1 - a)) / oa); };
    d = Px { ch(c.r, d.r), ch(c.g, d.g), ch(c.b, d.b), clamp8(oa * 255) };
}

void Image::fill(int x, int y, int fw, int fh, Px c)
{
    for (int j = std::max(0, y); j < std::min(h, y + fh); ++j)
        for (int i = std::max(0, x); i < std::min(w, x + fw); ++i)
            px[size_t(j) * w + i] = c;
}

void Image::line(int x0, int y0, int x1, int y1, Px c)
{
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, err = dx + dy;
    for (;;) {
        set(x0, y0, c);
        if (x0 == x1 && y0 == y1)
            break;
        int e2 = 2 * err;
        if (e2 >= dy)
            err += dy, x0 += sx;
        if (e2 <= dx)
            err += dx, y0 += sy;
    }
}

void Image::blit(const Image& src, int x, int y)
{
    for (int j = 0; j < src.h; ++j)
        for (int i = 0; i < src.w; ++i) {
            Px s = src.get(i, j);
            if (s.a == 255)
                set(x + i, y + j, s);
            else if (s.a)
                blend(x + i, y + j, s);
        }
}

void frame(Image& im, int x, int y, int w, int h, Px tl, Px br)
{
    im.hline(x, x + w - 1, y, tl);
    im.vline(x, y, y + h - 1, tl);
    im.hline(x + 1, x + w - 1, y + h - 1, br);
    im.vline(x + w - 1, y + 1, y + h - 1, br);
}

void metal(Image& im, int x0, int y0, int w, int h, Px base, uint32_t seed, bool vertical)
{
    Rng rng(seed);
    int across = vertical ? w : h, along = vertical ? h : w;
    std::vector<double> raw(along + 16);
    double prev = 0;
    for (int a = 0; a < across; ++a) {
        // Each streak gets its own brightness, nudged towards its neighbour
        // so the texture reads as grain rather than as stripes.
        double streak = rng.signedUnit() * 5.0 * 0.7 + prev * 0.3;
        prev = streak;
        for (double& r : raw)
            r = rng.signedUnit();
        for (int b = 0; b < along; ++b) {
            double run = 0; // long, faint variation along the streak
            for (int k = 0; k < 16; ++k)
                run += raw[b + k];
            double v = streak + run * 0.7 + rng.signedUnit() * 0.8;
            int px = vertical ? x0 + a : x0 + b, py = vertical ? y0 + b : y0 + a;
            im.set(px, py, shade(base, int(std::lround(v))));
        }
    }
}

void paint(Image& im, const Inside& in, const Paint& colour, int ss)
{
    for (int y = 0; y < im.h; ++y)
        for (int x = 0; x < im.w; ++x) {
            int hits = 0;
            double cx = 0, cy = 0;
            for (int j = 0; j < ss; ++j)
                for (int i = 0; i < ss; ++i) {
                    double sx = x + (i + 0.5) / ss, sy = y + (j + 0.5) / ss;
                    if (in(sx, sy))
                        ++hits, cx += sx, cy += sy;
                }
            if (hits)
                im.blend(x, y, colour(cx / hits, cy / hits), double(hits) / (ss * ss));
        }
}

void paint(Image& im, const Inside& in, Px c, int ss)
{
    paint(
        im, in, [c](double, double) { return c; }, ss);
}

void paintCrisp(Image& im, const Inside& in, Px c)
{
    for (int y = 0; y < im.h; ++y)
        for (int x = 0; x < im.w; ++x) {
            int hits = 0;
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i)
                    hits += in(x + (i + 0.5) / 4, y + (j + 0.5) / 4);
            if (hits >= 8)
                im.set(x, y, c);
        }
}

void art(Image& im, int x, int y, std::initializer_list<const char*> rows, Inks inks)
{
    int j = 0;
    for (const char* row : rows) {
        for (int i = 0; row[i]; ++i)
            for (auto& ink : inks)
                if (ink.first == row[i])
                    im.set(x + i, y + j, ink.second);
        ++j;
    }
}

void outline(Image& im, Px c)
{
    Image src = im;
    for (int y = 0; y < im.h; ++y)
        for (int x = 0; x < im.w; ++x)
            if (src.get(x, y).a &&
                (!src.get(x - 1, y).a || !src.get(x + 1, y).a || !src.get(x, y - 1).a || !src.get(x, y + 1).a))
                im.set(x, y, c);
}

void halo(Image& im, Px c)
{
    Image src = im;
    for (int y = 0; y < im.h; ++y)
        for (int x = 0; x < im.w; ++x)
            if (!src.get(x, y).a &&
                (src.get(x - 1, y).a || src.get(x + 1, y).a || src.get(x, y - 1).a || src.get(x, y + 1).a))
                im.set(x, y, c);
}

Image tint(const Image& im, Px c)
{
    Image out = im;
    for (Px& p : out.px)
        p = Px { c.r, c.g, c.b, uint8_t(p.a * c.a / 255) };
    return out;
}

Image rotateCCW(const Image& im)
{
    Image out(im.h, im.w);
    for (int y = 0; y < im.h; ++y)
        for (int x = 0; x < im.w; ++x)
            out.set(y, im.w - 1 - x, im.get(x, y));
    return out;
}

Image rotateCW(const Image& im)
{
    Image out(im.h, im.w);
    for (int y = 0; y < im.h; ++y)
        for (int x = 0; x < im.w; ++x)
            out.set(im.h - 1 - y, x, im.get(x, y));
    return out;
}

void engrave(Image& dst, const Image& ink, int x, int y, Px dark, Px lightEdge)
{
    dst.blit(tint(ink, lightEdge), x + 1, y + 1);
    dst.blit(tint(ink, dark), x, y);
}
