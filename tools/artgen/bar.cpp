// The bar's faces, name plates, feet and logos.
#include <cmath>

#include "art.h"
#include "font.h"

namespace {

const Px badgeTop = rgb(44, 66, 156), badgeBottom = rgb(14, 22, 70);
const Px badgeLight = rgb(120, 146, 224), badgeDark = rgb(6, 10, 36);

// Navy product badge with its own raised edge.
Image badge(int w, int h)
{
    Image im(w, h);
    for (int y = 0; y < h; ++y)
        im.hline(0, w - 1, y, mix(badgeTop, badgeBottom, double(y) / (h - 1)));
    frame(im, 0, 0, w, h, badgeLight, badgeDark);
    return im;
}

// "Tymp" over a small "STUDIO", with a drop shadow: 24 x 17 in all.
Image wordmark()
{
    Image im(24, 17);
    Image name = text(regular, "Tymp");
    im.blit(tint(name, rgb(4, 8, 30)), 1, 1);
    im.blit(tint(name, col::white), 0, 0);
    Image sub = text(tiny, "STUDIO");
    im.blit(tint(sub, rgb(4, 8, 30)), 1, 12);
    im.blit(tint(sub, col::accent), 0, 11);
    return im;
}

} // namespace

// Silver rim, dark cone, orange dust cap; lit from the top left.
void emblem(Image& im, double cx, double cy, double r)
{
    auto ring = [&](double r0, double r1) {
        return [=](double x, double y) {
            double d = std::hypot(x - cx, y - cy);
            return d >= r0 && d < r1;
        };
    };
    auto litFrom = [&](Px hi, Px lo) {
        return [=](double x, double y) {
            return mix(hi, lo, std::min(1.0, std::max(0.0, ((x - cx) + (y - cy)) / (2 * r) + 0.5)));
        };
    };
    paint(im, ring(0, r), litFrom(rgb(250, 250, 255), rgb(110, 116, 140)));
    paint(im, ring(0, r * 0.8), litFrom(rgb(8, 14, 48), rgb(60, 84, 170)));
    paint(im, ring(r * 0.55, r * 0.62), rgb(90, 112, 190, 160));
    paint(im, ring(0, r * 0.3), litFrom(rgb(255, 214, 140), rgb(200, 90, 0)));
}

Image floatingFace()
{
    const int W = 408, H = 45;
    Image im(W, H);
    metal(im, 0, 0, W, H, col::face, 135);

    // A darker base strip under a groove, so the bar stands on its feet.
    for (int y = 40; y < H; ++y)
        for (int x = 0; x < W; ++x)
            im.set(x, y, shade(im.get(x, y), -18));
    im.hline(2, W - 3, 39, col::shadow);
    im.hline(2, W - 3, 40, col::light);

    // Flat recessed wells behind the logo and the button groups, so the
    // controls sit on exactly their own background colour.
    auto well = [&](int x0, int x1, int y0, int y1) {
        im.fill(x0, y0, x1 - x0 + 1, y1 - y0 + 1, col::face);
        sunken(im, x0, y0, x1 - x0 + 1, y1 - y0 + 1);
    };
    well(3, 58, 8, 36);
    well(64, 119, 10, 36);
    well(132, 255, 10, 36);
    well(272, 346, 10, 36);

    // Name and speaker slots at the right end.
    Image name = text(regular, "Tymp");
    engrave(im, name, 378 - name.w / 2, 8, rgb(52, 56, 66));
    for (int y = 21; y <= 35; y += 3) {
        im.hline(359, 397, y, col::shadow);
        im.hline(360, 398, y + 1, col::white);
        im.set(359, y, mix(col::shadow, col::face, 0.5)), im.set(398, y + 1, col::light);
    }

    frame(im, 1, 1, W - 2, H - 2, col::light, col::shadow);
    frame(im, 0, 0, W, H, col::white, col::dark);
    return im;
}

Image dockedTexture(bool vertical)
{
    Image im(vertical ? 44 : 270, vertical ? 215 : 35);
    metal(im, 0, 0, im.w, im.h, col::face, vertical ? 161 : 160, vertical);
    return im;
}

Image namePlate(bool vertical)
{
    const int L = 78, S = 15; // long and short side
    Image im(vertical ? S : L, vertical ? L : S);
    metal(im, 0, 0, im.w, im.h, shade(col::face, 10), 132, vertical);
    frame(im, 0, 0, im.w, im.h, col::white, col::shadow);

    Image ink = text(regular, "Tymp Studio");
    int along = (L - ink.w) / 2, across = 3;
    if (vertical) {
        ink = rotateCCW(ink); // reads bottom to top
        engrave(im, ink, across, L - along - ink.h, rgb(40, 46, 66));
    } else {
        engrave(im, ink, along, across, rgb(40, 46, 66));
    }
    // Two screw heads hold the plate.
    for (int end : { 4, L - 5 }) {
        int x = vertical ? S / 2 : end, y = vertical ? end : S / 2;
        art(im, x - 1, y - 1, { ".s.", "sds", ".sw" },
            { { 's', col::shadow }, { 'd', col::dark }, { 'w', col::white } });
    }
    return im;
}

Image foot()
{
    Image im(19, 5);
    art(im, 0, 0,
        {
            "aabbbbbbbbbbbbbbbaa",
            "abhhhcccccccccccccb",
            "accccccccccccccccdd",
            "addddddddddddddddde",
            "eeeeeeeeeeeeeeeeeee",
        },
        { { 'a', rgb(40, 40, 44) },
          { 'b', rgb(96, 98, 104) },
          { 'h', rgb(150, 152, 158) },
          { 'c', rgb(62, 63, 68) },
          { 'd', rgb(44, 45, 50) },
          { 'e', rgb(22, 22, 26) } });
    return im;
}

Image productLogo(bool vertical)
{
    Image im = badge(vertical ? 21 : 54, vertical ? 55 : 21);
    Image mark = wordmark();
    Image meter = levelMeter(vertical)[0]; // what shows before the clip starts
    if (vertical) {
        im.blit(rotateCCW(mark), 2, 6);
        frame(im, 2, 35, 16, 11, badgeDark, badgeLight);
        im.blit(meter, 3, 36);
        im.blit(text(tiny, "3.0", col::sky), 6, 48); // fills the foot the vertical badge has spare
    } else {
        im.blit(mark, 6, 2);
        frame(im, 35, 2, 11, 16, badgeDark, badgeLight);
        im.blit(meter, 36, 3);
    }
    return im;
}

Image stillLogo(bool vertical)
{
    Image im = badge(vertical ? 27 : 44, vertical ? 44 : 27);
    if (vertical) {
        emblem(im, 13.5, 12.5, 9);
        im.blit(wordmark(), 2, 24);
    } else {
        emblem(im, 10, 13.5, 8.5);
        im.blit(wordmark(), 19, 6);
    }
    return im;
}
