// artgen OUTDIR: writes the bar's resources (pictures, cursors, icon,
// animations and sound) into OUTDIR, generated from code alone.
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>

#include "art.h"
#include "formats.h"

namespace {

struct Output {
    const char* name;
    std::function<Bytes()> make;
};

Bytes cursor(bool pressed)
{
    int x, y;
    handHotspot(pressed, x, y);
    return cur(hand(pressed), x, y);
}

const Output outputs[] = {
    { "icon128.ico", [] { return ico(iconImages()); } },
    { "cursor137.cur", [] { return cursor(false); } },
    { "cursor138.cur", [] { return cursor(true); } },
    { "bitmap135.bmp", [] { return bmp24(floatingFace()); } },
    { "bitmap160.bmp", [] { return bmp24(dockedTexture(false)); } },
    { "bitmap161.bmp", [] { return bmp24(dockedTexture(true)); } },
    { "bitmap132.bmp", [] { return bmp24(namePlate(false)); } },
    { "bitmap214.bmp", [] { return bmp24(namePlate(true)); } },
    { "bitmap139.bmp", [] { return bmp24(buttonStrip(Glyph::help)); } },
    { "bitmap177.bmp", [] { return bmp24(buttonStrip(Glyph::setup)); } },
    { "bitmap210.bmp", [] { return bmp24(buttonStrip(Glyph::cd)); } },
    { "bitmap211.bmp", [] { return bmp24(buttonStrip(Glyph::midi)); } },
    { "bitmap212.bmp", [] { return bmp24(buttonStrip(Glyph::volume)); } },
    { "bitmap213.bmp", [] { return bmp24(buttonStrip(Glyph::wave)); } },
    { "bitmap215.bmp", [] { return bmp24(buttonStrip(Glyph::exit)); } },
    { "bitmap216.bmp", [] { return bmp24(buttonStrip(Glyph::minimise)); } },
    { "bitmap219.bmp", [] { return bmp24(buttonStrip(Glyph::launch)); } },
    { "bitmap154.bmp", [] { return bmp24(productLogo(false)); } },
    { "bitmap129.bmp", [] { return bmp24(productLogo(true)); } },
    { "bitmap164.bmp", [] { return bmp24(stillLogo(false)); } },
    { "bitmap165.bmp", [] { return bmp24(stillLogo(false)); } },
    { "bitmap166.bmp", [] { return bmp24(stillLogo(true)); } },
    { "bitmap156.bmp", [] { return bmp24(splash()); } },
    { "bitmap159.bmp", [] { return bmp8(foot()); } },
    { "bitmap143.bmp", [] { return bmp24(previewBar()); } },
    { "bitmap144.bmp", [] { return bmp24(previewDesktop()); } },
    { "bitmap145.bmp", [] { return bmp24(previewIcon()); } },
    { "avi133.avi", [] { return avi(levelMeter(false), 66666); } },
    { "avi134.avi", [] { return avi(levelMeter(true), 66666); } },
    { "wave136.wav", [] { return wav(chime(11025), 11025); } },
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: artgen OUTDIR\n";
        return 2;
    }
    try {
        std::filesystem::path dir = argv[1];
        std::filesystem::create_directories(dir);
        for (const Output& o : outputs) {
            Bytes data = o.make();
            std::ofstream f(dir / o.name, std::ios::binary);
            f.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
            if (!f.flush())
                throw std::runtime_error(std::string("cannot write ") + (dir / o.name).string());
        }
    } catch (const std::exception& e) {
        std::cerr << "artgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
