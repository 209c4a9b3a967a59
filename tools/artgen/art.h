// Every picture, sound and animation the bar needs, one function each.
#pragma once
#include <vector>

#include "canvas.h"

// buttons.cpp
enum class Glyph { help, setup, cd, midi, volume, wave, exit, minimise, launch };
Image glyph(Glyph g); // 24x21, transparent around the symbol
Image buttonStrip(Glyph g); // normal, highlighted, pressed, disabled

// bar.cpp
Image floatingFace();
Image dockedTexture(bool vertical);
Image namePlate(bool vertical);
Image foot();
Image productLogo(bool vertical); // with a dark window for the level meter
Image stillLogo(bool vertical);
void emblem(Image& im, double cx, double cy, double r); // speaker cone seen from the front

// previews.cpp
Image previewBar();
Image previewDesktop();
Image previewIcon();

// splash.cpp
Image splash();

// media.cpp
std::vector<Image> iconImages(); // 32x32 and 16x16
Image hand(bool pressed); // 32x32, fingertip at handHotspot()
void handHotspot(bool pressed, int& x, int& y);
std::vector<Image> levelMeter(bool turned); // 16 frames, 9x14 (14x9 turned)
std::vector<double> chime(int rate);
