#include "areashrink.h"

#include <climits>
#include <deque>

AreaShrink::AreaShrink(int sourceWidth, int sourceHeight, int width, int height)
{
    if (width < 1 || height < 1 || width >= sourceWidth || height >= sourceHeight)
        return;
    m_columns = spans(sourceWidth, width);
    m_rows = spans(sourceHeight, height);
    m_applies = m_columns.back().start + m_columns.back().count <= sourceWidth
        && m_rows.back().start + m_rows.back().count <= sourceHeight;
}

std::vector<AreaShrink::Span> AreaShrink::spans(int source, int result)
{
    // Positions in 16.16 fixed point; each span's weights add up to exactly 1 << 14.
    const qint64 step = (qint64(source) << 16) / result;
    const int each = int(((qint64(result) << 14) + source - 1) / source);
    std::vector<Span> out(static_cast<size_t>(result));
    qint64 at = 0;
    for (Span &span : out) {
        span.start = int(at >> 16);
        span.first = int(((0x10000 - (at & 0xffff)) * each) >> 16);
        span.each = each;
        int left = (1 << 14) - span.first;
        span.count = 2;
        for (; left > each; left -= each)
            ++span.count;
        span.last = left;
        at += step;
    }
    return out;
}

QImage AreaShrink::run(const std::function<const QRgb *(int)> &row) const
{
    const int width = int(m_columns.size()), height = int(m_rows.size());
    QImage result(width, height, QImage::Format_RGB32);
    if (result.isNull())
        return result;
    // A source row folded across: blue, green and red of each result column, divided by 16.
    using Folded = std::vector<quint32>;
    auto fold = [&](const QRgb *pixels) {
        Folded folded(size_t(width) * 3);
        for (int x = 0; x < width; ++x) {
            const Span &s = m_columns[size_t(x)];
            const QRgb *p = pixels + s.start;
            for (int shift = 0; shift < 3; ++shift) {
                auto c = [&](int i) { return quint32(p[i] >> (8 * shift) & 0xff); };
                quint32 sum = c(0) * quint32(s.first);
                for (int i = 1; i < s.count - 1; ++i)
                    sum += c(i) * quint32(s.each);
                sum += c(s.count - 1) * quint32(s.last);
                folded[size_t(x) * 3 + size_t(shift)] = sum >> 4;
            }
        }
        return folded;
    };
    // Folded rows the next result row weighs too, where two spans share a source row.
    std::deque<std::pair<int, Folded>> kept;
    int next = 0; // the next source row to ask for
    std::vector<quint32> sum(size_t(width) * 3);
    for (int y = 0; y < height; ++y) {
        const Span &s = m_rows[size_t(y)];
        const int nextStart = y + 1 < height ? m_rows[size_t(y) + 1].start : INT_MAX;
        std::fill(sum.begin(), sum.end(), 0u);
        for (int i = 0; i < s.count; ++i) {
            const int r = s.start + i;
            while (!kept.empty() && kept.front().first < r)
                kept.pop_front();
            Folded folded;
            if (!kept.empty() && kept.front().first == r) {
                folded = std::move(kept.front().second);
                kept.pop_front();
            } else {
                for (; next < r; ++next) // rows no span weighs
                    if (!row(next))
                        return QImage();
                const QRgb *pixels = row(next++);
                if (!pixels)
                    return QImage();
                folded = fold(pixels);
            }
            const quint32 weight = quint32(i == 0 ? s.first : i == s.count - 1 ? s.last : s.each);
            for (size_t k = 0; k < sum.size(); ++k)
                sum[k] += folded[k] * weight;
            if (r >= nextStart)
                kept.emplace_back(r, std::move(folded));
        }
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const quint32 *c = &sum[size_t(x) * 3];
            line[x] = 0xff000000u | (c[2] >> 24) << 16 | (c[1] >> 24) << 8 | c[0] >> 24;
        }
    }
    return result;
}
