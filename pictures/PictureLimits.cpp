#include "pictures/PictureLimits.h"

namespace picturelimits {

bool acceptable(QSize size) {
    if (size.width() <= 0 || size.height() <= 0)
        return false;
    if (size.width() > maxSide || size.height() > maxSide)
        return false;
    return qint64(size.width()) * size.height() <= maxPixels;
}

} // namespace picturelimits
