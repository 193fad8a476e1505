// Finding a rendering of the page in a photograph of the screen, within a small tolerance.
#pragma once
#include <QImage>
#include <QList>
#include <QPoint>
#include <optional>

namespace screen {

// Pixels that differ by more than this in some channel count as different (edge antialiasing of the
// two platforms may differ slightly).
constexpr int kChannelTolerance = 40;
// At most this share of the compared pixels may differ.
constexpr double kDifferingShare = 0.01;

inline bool closeTo(QRgb a, QRgb b, int tolerance)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance &&
           qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The share of pixels of reference that differ from the screenshot placed at offset.
inline double differingShare(const QImage& shot, const QImage& reference, QPoint offset)
{
    qint64 differing = 0;
    for (int y = 0; y < reference.height(); ++y) {
        const auto* ref = reinterpret_cast<const QRgb*>(reference.constScanLine(y));
        const auto* scr = reinterpret_cast<const QRgb*>(shot.constScanLine(y + offset.y())) + offset.x();
        for (int x = 0; x < reference.width(); ++x) {
            if (!closeTo(ref[x], scr[x], kChannelTolerance))
                ++differing;
        }
    }
    return double(differing) / (double(reference.width()) * reference.height());
}

// Where the reference lies in the screenshot: sampled pixels first, the whole patch for the
// positions that pass them.
inline std::optional<QPoint> locate(const QImage& shot, const QImage& reference)
{
    QList<QPoint> samples;
    for (int y = 2; y < reference.height(); y += 9) {
        for (int x = 3; x < reference.width(); x += 11)
            samples.append(QPoint(x, y));
    }
    std::optional<QPoint> best;
    double bestShare = 1.0;
    for (int oy = 0; oy + reference.height() <= shot.height(); ++oy) {
        for (int ox = 0; ox + reference.width() <= shot.width(); ++ox) {
            int misses = 0;
            const int allowed = int(samples.size() * 0.05);
            for (const QPoint& p : samples) {
                if (!closeTo(reference.pixel(p), shot.pixel(p.x() + ox, p.y() + oy), kChannelTolerance) &&
                    ++misses > allowed)
                    break;
            }
            if (misses > allowed)
                continue;
            const double share = differingShare(shot, reference, QPoint(ox, oy));
            if (share < bestShare) {
                bestShare = share;
                best = QPoint(ox, oy);
            }
        }
    }
    return best;
}

} // namespace screen
