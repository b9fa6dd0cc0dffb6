#include "platform/ui/ImageStrip.h"

#include <QImage>
#include <QPixmap>

#include <algorithm>

namespace ui {

std::vector<QIcon> SplitImageStrip(const std::vector<BYTE>& strip, int width, int height, COLORREF transparent)
{
    std::vector<QIcon> images;
    if (strip.empty() || width <= 0)
        return images;
    QImage picture = QImage::fromData(strip.data(), static_cast<int>(strip.size()));
    if (picture.isNull())
        return images;
    picture = picture.convertToFormat(QImage::Format_ARGB32);
    QRgb key = qRgb(GetRValue(transparent), GetGValue(transparent), GetBValue(transparent)) & 0x00FFFFFF;
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if ((line[x] & 0x00FFFFFF) == key)
                line[x] = 0;
    }
    for (int x = 0; x + width <= picture.width(); x += width)
        images.emplace_back(QPixmap::fromImage(picture.copy(x, 0, width, std::min(height, picture.height()))));
    return images;
}

} // namespace ui
