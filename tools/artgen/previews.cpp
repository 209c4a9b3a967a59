// Small pictures for the setup pages: the bar, a desktop, a desktop icon.
#include "art.h"
#include "font.h"

namespace {

void groove(Image& im, int x, int y0, int y1)
{
    im.vline(x, y0, y1, col::shadow);
    im.vline(x + 1, y0, y1, col::white);
}

// Only the "normal" frame of a button strip.
Image flatButton(Glyph g)
{
    Image strip = buttonStrip(g), b(24, 21);
    b.blit(strip, 0, 0);
    return b;
}

} // namespace

Image previewBar()
{
    Image im(269, 32);
    metal(im, 0, 0, im.w, im.h, col::face, 143);
    frame(im, 1, 1, im.w - 2, im.h - 2, col::light, col::shadow);
    frame(im, 0, 0, im.w, im.h, col::white, col::dark);
    const int y = 5;
    im.blit(productLogo(false), 4, y);
    groove(im, 60, 4, 27);
    im.blit(flatButton(Glyph::setup), 63, y);
    im.blit(flatButton(Glyph::launch), 87, y);
    groove(im, 113, 4, 27);
    int x = 116;
    for (Glyph g : { Glyph::cd, Glyph::midi, Glyph::volume, Glyph::wave })
        im.blit(flatButton(g), x, y), x += 24;
    groove(im, 214, 4, 27);
    im.blit(flatButton(Glyph::help), 217, y);
    im.blit(flatButton(Glyph::exit), 241, y);
    return im;
}

Image previewDesktop()
{
    Image im(276, 132, col::teal);

    // An ordinary application window, partly off the corner.
    const int wx = 16, wy = 10, ww = 170, wh = 74;
    im.fill(wx, wy, ww, wh, rgb(192, 192, 192));
    frame(im, wx, wy, ww, wh, rgb(192, 192, 192), col::black);
    frame(im, wx + 1, wy + 1, ww - 2, wh - 2, col::white, rgb(128, 128, 128));
    for (int x = wx + 3; x < wx + ww - 3; ++x)
        im.vline(x, wy + 3, wy + 15, mix(rgb(0, 0, 128), rgb(16, 132, 208), double(x - wx) / ww));
    im.blit(text(regular, "Tymp Studio", col::white), wx + 6, wy + 5);
    for (int i = 0; i < 3; ++i) { // close, maximise, minimise
        int bx = wx + ww - 20 - 16 * i + (i ? -2 : 0), by = wy + 5;
        im.fill(bx, by, 14, 9, rgb(192, 192, 192));
        frame(im, bx, by, 14, 9, col::white, col::black);
        if (i == 0)
            im.line(bx + 5, by + 2, bx + 8, by + 5, col::black), im.line(bx + 5, by + 5, bx + 8, by + 2, col::black);
        if (i == 1)
            frame(im, bx + 4, by + 2, 6, 5, col::black, col::black), im.hline(bx + 4, bx + 9, by + 3, col::black);
        if (i == 2)
            im.hline(bx + 4, bx + 8, by + 6, col::black);
    }
    im.fill(wx + 3, wy + 18, ww - 6, wh - 21, col::white);
    frame(im, wx + 3, wy + 18, ww - 6, wh - 21, rgb(128, 128, 128), col::white);

    // Where the bar would dock: the familiar dotted drag outline.
    for (int y = 100; y < 132; ++y)
        for (int x = 0; x < 276; ++x) {
            bool edge = y < 102 || y > 129 || x < 2 || x > 273;
            if (edge && (x + y) % 2)
                im.set(x, y, col::black);
        }
    return im;
}

Image previewIcon()
{
    Image im(59, 48, col::teal);
    const int x = 13, y = 0;
    const Px beige = rgb(216, 214, 200), edge = rgb(112, 110, 100);
    // Monitor.
    im.fill(x + 4, y + 1, 24, 19, beige);
    frame(im, x + 4, y + 1, 24, 19, col::white, edge);
    frame(im, x + 3, y + 0, 26, 21, col::black, col::black);
    im.fill(x + 7, y + 4, 18, 12, rgb(0, 0, 0));
    for (int j = 0; j < 10; ++j)
        im.hline(x + 8, x + 23, y + 5 + j, mix(rgb(0, 150, 150), rgb(0, 60, 90), j / 9.0));
    im.fill(x + 9, y + 6, 5, 1, rgb(120, 220, 220)); // glare
    im.fill(x + 12, y + 21, 8, 2, edge);
    // Desktop case with a floppy slot and a power light.
    im.fill(x + 1, y + 23, 30, 8, beige);
    frame(im, x + 1, y + 23, 30, 8, col::white, edge);
    frame(im, x + 0, y + 22, 32, 10, col::black, col::black);
    im.hline(x + 16, x + 27, y + 26, col::dark);
    im.hline(x + 16, x + 27, y + 27, col::white);
    im.fill(x + 4, y + 26, 2, 2, rgb(40, 220, 60));

    Image label = text(regular, "My Computer", col::white);
    im.blit(label, (im.w - label.w) / 2, 36);
    return im;
}
