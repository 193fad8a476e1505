// Pictures the tests make.
#pragma once
#include <QImage>
#include <QRandomGenerator>

// A picture whose PNG is large: noise does not compress.
inline QImage noisyPicture(int w, int h, quint32 seed)
{
    QImage image(w, h, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, random.generate() | 0xFF000000u);
    return image;
}
