#include "showwindow/PixelFill.h"

#include <algorithm>
#include <utility>
#include <vector>

QRegion fillChanged(QImage& image, const QRect& rect, quint32 pixel) {
    const QRect clipped = rect & image.rect();
    if (clipped.isEmpty())
        return {};
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();

    // Rows with the same changed runs stack into one rectangle per run; the result is sorted
    // by row, then column, and its rectangles never touch side by side, as QRegion wants.
    using Runs = std::vector<std::pair<int, int>>; // first and last column of each run
    std::vector<QRect> rects;
    Runs open, runs;
    int openTop = clipped.top();
    const auto close = [&](int nextRow) {
        for (const auto& [first, last] : open)
            rects.emplace_back(QPoint(first, openTop), QPoint(last, nextRow - 1));
        open.clear();
    };
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        quint32* row = reinterpret_cast<quint32*>(bits + y * stride);
        quint32* p = row + clipped.left();
        quint32* const end = row + clipped.right() + 1;
        runs.clear();
        while (true) {
            p = std::find_if(p, end, [pixel](quint32 v) { return v != pixel; });
            if (p == end)
                break;
            quint32* const runEnd = std::find(p, end, pixel);
            std::fill(p, runEnd, pixel);
            runs.emplace_back(int(p - row), int(runEnd - row) - 1);
            p = runEnd;
        }
        if (runs != open) {
            close(y);
            std::swap(open, runs);
            openTop = y;
        }
    }
    close(clipped.bottom() + 1);

    QRegion changed;
    if (!rects.empty())
        changed.setRects(rects.data(), int(rects.size()));
    return changed;
}
