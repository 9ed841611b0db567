#include "core/Twips.h"

int TwipsToPixels(double twips) {
    return qRound(twips / TwipsPerPixel);
}

QRect FromTwips(int left, int top, int width, int height) {
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                 TwipsToPixels(height));
}
