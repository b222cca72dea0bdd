#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <cstdlib>

namespace tavlen::test {

// How many pixels (every other one in each direction) differ clearly in lightness from the
// picture's background, read at `backgroundAt`: a picture with nothing drawn answers about 0.
inline int drawnPixels(const QImage& image, QPoint backgroundAt)
{
    const QColor background = image.pixelColor(backgroundAt);
    int count = 0;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            if (std::abs(image.pixelColor(x, y).lightness() - background.lightness()) > 60)
                ++count;
        }
    }
    return count;
}

} // namespace tavlen::test
