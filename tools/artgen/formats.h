// Writers for the Windows file formats the resource compiler takes.
// Each returns the whole file as bytes; nothing here touches the disk.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"

using Bytes = std::vector<uint8_t>;

// Alpha is ignored by the bitmap writers: pictures are expected to be opaque.
Bytes bmp24(const Image& im);
Bytes bmp8(const Image& im); // palette built from the picture's own colours

// Icon with 8-bit palettised images; alpha below 128 is transparent.
Bytes ico(const std::vector<Image>& images);

// Monochrome 32x32 cursor: transparent, black or white pixels only.
Bytes cur(const Image& im, int hotX, int hotY);

// Uncompressed 8-bit AVI as the common controls' Animate control plays it.
Bytes avi(const std::vector<Image>& frames, uint32_t microSecPerFrame);

// Mono 8-bit unsigned PCM; samples in [-1, 1].
Bytes wav(const std::vector<double>& samples, uint32_t rate);
