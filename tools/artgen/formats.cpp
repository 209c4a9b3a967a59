#include "formats.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

struct Out {
    Bytes d;
    void u8(unsigned v) { d.push_back(uint8_t(v)); }
    void u16(unsigned v) { u8(v & 0xff), u8(v >> 8); }
    void u32(uint32_t v) { u16(v & 0xffff), u16(v >> 16); }
    void tag(const char* s) { d.insert(d.end(), s, s + 4); }
    void put(const Bytes& b) { d.insert(d.end(), b.begin(), b.end()); }
    size_t size() const { return d.size(); }
    // Chunk lengths are only known once the body is written.
    void patch32(size_t at, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            d[at + i] = uint8_t(v >> (8 * i));
    }
};

int stride(int w, int bits)
{
    return (w * bits + 31) / 32 * 4;
}

void infoHeader(Out& o, int w, int h, int bits, uint32_t imageSize, uint32_t colours)
{
    o.u32(40), o.u32(w), o.u32(h), o.u16(1), o.u16(bits);
    o.u32(0), o.u32(imageSize); // BI_RGB
    o.u32(2835), o.u32(2835); // 72 dpi
    o.u32(colours), o.u32(0);
}

// Colour table plus indices; index 0 is always black so that transparent
// icon pixels (black under the AND mask) never need an entry of their own.
struct Indexed {
    std::vector<Px> palette { rgb(0, 0, 0) };
    std::vector<uint8_t> index;
};

Indexed indexed(const Image& im, bool keepTransparentBlack = false)
{
    Indexed ix;
    for (Px p : im.px) {
        Px c = keepTransparentBlack && p.a < 128 ? rgb(0, 0, 0) : rgb(p.r, p.g, p.b);
        auto it = std::find(ix.palette.begin(), ix.palette.end(), c);
        if (it == ix.palette.end()) {
            if (ix.palette.size() == 256)
                throw std::runtime_error("picture has more than 256 colours");
            it = ix.palette.insert(ix.palette.end(), c);
        }
        ix.index.push_back(uint8_t(it - ix.palette.begin()));
    }
    return ix;
}

void palette(Out& o, const std::vector<Px>& pal, size_t entries)
{
    for (size_t i = 0; i < entries; ++i) {
        Px c = i < pal.size() ? pal[i] : rgb(0, 0, 0);
        o.u8(c.b), o.u8(c.g), o.u8(c.r), o.u8(0);
    }
}

// Bottom-up rows of one byte per pixel, padded to 4 bytes.
Bytes rows8(const Indexed& ix, int w, int h)
{
    Bytes b;
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x)
            b.push_back(ix.index[size_t(y) * w + x]);
        b.resize(b.size() + stride(w, 8) - w, 0);
    }
    return b;
}

Bytes rows24(const Image& im)
{
    Bytes b;
    for (int y = im.h - 1; y >= 0; --y) {
        for (int x = 0; x < im.w; ++x) {
            Px p = im.get(x, y);
            b.push_back(p.b), b.push_back(p.g), b.push_back(p.r);
        }
        b.resize(b.size() + stride(im.w, 24) - im.w * 3, 0);
    }
    return b;
}

// 1 bpp bottom-up rows; bit set where `on` says so.
template <class F>
Bytes rows1(int w, int h, F on)
{
    Bytes b;
    for (int y = h - 1; y >= 0; --y) {
        Bytes row(stride(w, 1), 0);
        for (int x = 0; x < w; ++x)
            if (on(x, y))
                row[x / 8] |= uint8_t(0x80 >> (x % 8));
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

Bytes bitmapFile(int w, int h, int bits, const std::vector<Px>* pal, const Bytes& pixels)
{
    Out o;
    uint32_t palBytes = pal ? uint32_t(pal->size() * 4) : 0;
    uint32_t offset = 14 + 40 + palBytes;
    o.u8('B'), o.u8('M');
    o.u32(offset + uint32_t(pixels.size())), o.u32(0), o.u32(offset);
    infoHeader(o, w, h, bits, uint32_t(pixels.size()), pal ? uint32_t(pal->size()) : 0);
    if (pal)
        palette(o, *pal, pal->size());
    o.put(pixels);
    return o.d;
}

} // namespace

Bytes bmp24(const Image& im)
{
    return bitmapFile(im.w, im.h, 24, nullptr, rows24(im));
}

Bytes bmp8(const Image& im)
{
    Indexed ix = indexed(im);
    return bitmapFile(im.w, im.h, 8, &ix.palette, rows8(ix, im.w, im.h));
}

Bytes ico(const std::vector<Image>& images)
{
    std::vector<Bytes> bodies;
    for (const Image& im : images) {
        Indexed ix = indexed(im, true);
        Bytes xorBits = rows8(ix, im.w, im.h);
        Bytes andBits = rows1(im.w, im.h, [&](int x, int y) { return im.get(x, y).a < 128; });
        Out o;
        infoHeader(o, im.w, im.h * 2, 8, uint32_t(xorBits.size() + andBits.size()), 0);
        palette(o, ix.palette, 256); // Windows 95 wants the full table in 8-bit icons
        o.put(xorBits), o.put(andBits);
        bodies.push_back(o.d);
    }
    Out o;
    o.u16(0), o.u16(1), o.u16(uint32_t(images.size()));
    uint32_t offset = 6 + 16 * uint32_t(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        o.u8(images[i].w), o.u8(images[i].h), o.u8(0), o.u8(0);
        o.u16(1), o.u16(8), o.u32(uint32_t(bodies[i].size())), o.u32(offset);
        offset += uint32_t(bodies[i].size());
    }
    for (const Bytes& b : bodies)
        o.put(b);
    return o.d;
}

Bytes cur(const Image& im, int hotX, int hotY)
{
    if (im.w != 32 || im.h != 32)
        throw std::runtime_error("cursors are 32x32");
    Bytes xorBits = rows1(32, 32, [&](int x, int y) {
        Px p = im.get(x, y);
        return p.a >= 128 && luma(p) >= 128;
    });
    Bytes andBits = rows1(32, 32, [&](int x, int y) { return im.get(x, y).a < 128; });
    Out body;
    infoHeader(body, 32, 64, 1, uint32_t(xorBits.size() + andBits.size()), 2);
    palette(body, { rgb(0, 0, 0), rgb(255, 255, 255) }, 2);
    body.put(xorBits), body.put(andBits);

    Out o;
    o.u16(0), o.u16(2), o.u16(1);
    o.u8(32), o.u8(32), o.u8(2), o.u8(0);
    o.u16(hotX), o.u16(hotY), o.u32(uint32_t(body.size())), o.u32(6 + 16);
    o.put(body.d);
    return o.d;
}

Bytes avi(const std::vector<Image>& frames, uint32_t usPerFrame)
{
    if (frames.empty())
        throw std::runtime_error("animation without frames");
    int w = frames[0].w, h = frames[0].h;
    // One palette for the whole clip: concatenate the frames and index that.
    Image all(w, h * int(frames.size()));
    for (size_t i = 0; i < frames.size(); ++i)
        all.blit(frames[i], 0, h * int(i));
    Indexed ix = indexed(all);
    uint32_t frameBytes = uint32_t(stride(w, 8) * h);
    uint32_t n = uint32_t(frames.size());

    Out o;
    o.tag("RIFF"), o.u32(0), o.tag("AVI ");
    o.tag("LIST");
    size_t hdrlSize = o.size();
    o.u32(0), o.tag("hdrl");

    o.tag("avih"), o.u32(56);
    o.u32(usPerFrame), o.u32(frameBytes * (1000000 / usPerFrame + 1)), o.u32(0);
    o.u32(0x10); // AVIF_HASINDEX
    o.u32(n), o.u32(0), o.u32(1), o.u32(frameBytes), o.u32(w), o.u32(h);
    for (int i = 0; i < 4; ++i)
        o.u32(0);

    o.tag("LIST");
    size_t strlSize = o.size();
    o.u32(0), o.tag("strl");
    o.tag("strh"), o.u32(56);
    o.tag("vids"), o.tag("DIB ");
    o.u32(0), o.u16(0), o.u16(0), o.u32(0);
    o.u32(usPerFrame), o.u32(1000000); // dwScale / dwRate = seconds per frame
    o.u32(0), o.u32(n), o.u32(frameBytes), o.u32(uint32_t(-1)), o.u32(0);
    o.u16(0), o.u16(0), o.u16(w), o.u16(h);
    o.tag("strf"), o.u32(40 + 256 * 4);
    infoHeader(o, w, h, 8, frameBytes, 256);
    palette(o, ix.palette, 256);
    o.patch32(strlSize, uint32_t(o.size() - strlSize - 4));
    o.patch32(hdrlSize, uint32_t(o.size() - hdrlSize - 4));

    o.tag("LIST");
    size_t moviSize = o.size();
    o.u32(0);
    size_t moviStart = o.size();
    o.tag("movi");
    std::vector<uint32_t> offsets;
    Bytes pixels = rows8(ix, w, h * int(n)); // bottom-up: the last frame comes first
    for (uint32_t f = 0; f < n; ++f) {
        offsets.push_back(uint32_t(o.size() - moviStart));
        o.tag("00db"), o.u32(frameBytes);
        auto first = pixels.begin() + (n - 1 - f) * frameBytes;
        o.d.insert(o.d.end(), first, first + frameBytes);
        if (frameBytes & 1)
            o.u8(0);
    }
    o.patch32(moviSize, uint32_t(o.size() - moviSize - 4));

    o.tag("idx1"), o.u32(16 * n);
    for (uint32_t off : offsets)
        o.tag("00db"), o.u32(0x10), o.u32(off), o.u32(frameBytes); // AVIIF_KEYFRAME
    o.patch32(4, uint32_t(o.size() - 8));
    return o.d;
}

Bytes wav(const std::vector<double>& samples, uint32_t rate)
{
    Out o;
    o.tag("RIFF"), o.u32(0), o.tag("WAVE");
    o.tag("fmt "), o.u32(16);
    o.u16(1), o.u16(1), o.u32(rate), o.u32(rate), o.u16(1), o.u16(8);
    o.tag("data"), o.u32(uint32_t(samples.size()));
    for (double s : samples)
        o.u8(unsigned(std::lround(128 + 127 * std::max(-1.0, std::min(1.0, s)))));
    if (samples.size() & 1)
        o.u8(128);
    o.patch32(4, uint32_t(o.size() - 8));
    return o.d;
}
