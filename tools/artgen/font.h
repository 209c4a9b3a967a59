// Two bitmap fonts of our own: a proportional 5x7 with descenders and a
// 3x5 capitals font for the tiniest labels.
#pragma once
#include <string>

#include "canvas.h"

struct Font;
extern const Font& regular; // 7 px caps, 2 px descenders, 9 rows
extern const Font& tiny; // 5 px capitals and digits

int fontHeight(const Font& f);
int textWidth(const Font& f, const std::string& s);
// The text as an image of its own: opaque ink `c` on transparency, exactly
// textWidth x fontHeight, scaled up by whole pixels when asked.
Image text(const Font& f, const std::string& s, Px c = col::black, int scale = 1);
