#include "ReferenceModel.h"

#include <cassert>
#include <cmath>

#include "platform/Bitmap.h"

namespace reference {

namespace {

constexpr int kRing = 51;
constexpr int kMargin = 51;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    const uint8_t bytes[2] = {static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
    out.insert(out.end(), bytes, bytes + 2);
}

void PutRecord(std::vector<uint8_t>& out, uint16_t id, uint32_t length) {
    Put16(out, id);
    out.push_back(static_cast<uint8_t>(length >> 24));
    out.push_back(static_cast<uint8_t>(length >> 16));
    out.push_back(static_cast<uint8_t>(length >> 8));
    out.push_back(static_cast<uint8_t>(length));
}

}  // namespace

ReferenceModel::ReferenceModel(const Format& format, const Levels& levels, const Filter* filter)
    : m_format(format), m_levels(levels), m_filtered(filter != nullptr) {
    if (filter != nullptr) {
        m_filter = *filter;
    }
}

ReferenceModel::Levels6 ReferenceModel::Convert(int r, int g, int b) const {
    const Levels& l = m_levels;
    const double span = l.yWhite - l.yBlack;
    Levels6 out{};
    out.g = l.yBlack + span * g / 255.0;
    out.b = l.yBlack + span * b / 255.0;
    out.r = l.yBlack + span * r / 255.0;
    double y;
    double pb;
    double pr;
    if (m_format.standardDefinition) {
        y = 0.299 * r + 0.587 * g + 0.114 * b;
        pb = 0.564 * (b - y);
        pr = 0.713 * (r - y);
    } else {
        // ITU-R BT.709: Kr 0.2126, Kb 0.0722; 1.8556 = 2(1 - Kb), 1.5748 = 2(1 - Kr).
        y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
        pb = (b - y) / 1.8556;
        pr = (r - y) / 1.5748;
    }
    out.y = l.yBlack + span * y / 255.0;
    out.pb = l.pbZero + (l.pbPlus - l.pbMinus) * pb / 255.0;
    out.pr = l.prZero + (l.prPlus - l.prMinus) * pr / 255.0;
    return out;
}

uint16_t ReferenceModel::Sample(double level) const {
    if (std::isnan(level)) {
        return 0;
    }
    const double top = m_format.twelveBit ? 4095.0 : 1023.0;
    // Written out rather than nearbyint: halfway cases go to the even neighbour.
    double whole = std::floor(level);
    const double fraction = level - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
        whole += 1.0;
    }
    if (whole < 0.0) {
        return 0;
    }
    if (whole > top) {
        return static_cast<uint16_t>(top);
    }
    return static_cast<uint16_t>(whole);
}

ReferenceModel::Levels6 ReferenceModel::Column(const uint8_t* row, int columns, int column) const {
    assert(column >= 0 && column < columns);
    (void)columns;
    const uint8_t* p = row + 3 * column;
    return Convert(p[2], p[1], p[0]);
}

ReferenceModel::Buffers ReferenceModel::BlackLine() const {
    const int n = Samples();
    Buffers line;
    for (auto& buffer : line) {
        buffer.assign(n, 0);
    }
    for (int k = 0; k < n; ++k) {
        line[0][k] = static_cast<uint16_t>(m_levels.yBlack);
        line[1][k] = static_cast<uint16_t>(k % 2 == 0 ? m_levels.pbZero : m_levels.prZero);
    }
    return line;
}

ReferenceModel::Buffers ReferenceModel::UnfilteredLine(const uint8_t* row, int columns) const {
    const int n = Samples();
    Buffers line;
    for (auto& buffer : line) {
        buffer.assign(n, 0);
    }
    for (int k = 0; k < n; k += 2) {
        Levels6 s[2];
        for (int j = 0; j < 2; ++j) {
            const int sample = k + j;
            const int column = (m_format.doubleWidth ? sample / 2 : sample) + kMargin;
            s[j] = Column(row, columns, column);
        }
        for (int j = 0; j < 2; ++j) {
            const int at = k + j;
            line[2][at] = Sample(s[j].g);
            line[3][at] = Sample(s[j].b);
            line[4][at] = Sample(s[j].r);
            if (m_format.gbrOutput) {
                line[0][at] = Sample(s[j].r);
                line[1][at] = Sample(s[j].g);
                line[5][at] = Sample(s[j].b);
            } else if (m_format.ycbcr444) {
                line[0][at] = Sample(s[j].y);
                line[1][at] = Sample(s[j].pb);
                line[5][at] = Sample(s[j].pr);
            } else {
                line[0][at] = Sample(s[j].y);
            }
        }
        if (!m_format.gbrOutput && !m_format.ycbcr444) {
            line[1][k] = Sample((s[0].pb + s[1].pb) / 2.0);
            line[1][k + 1] = Sample((s[0].pr + s[1].pr) / 2.0);
        }
    }
    return line;
}

ReferenceModel::Buffers ReferenceModel::FilteredLine(const uint8_t* row, int columns, int leftEdge,
                                                     int rightMargin) const {
    const int n = Samples();
    const bool dw = m_format.doubleWidth;
    int centre = 0;
    for (int t = 1; t < kRing; ++t) {
        if (m_filter.y[t] > m_filter.y[centre]) {
            centre = t;
        }
    }
    const int offset = 50 - centre;
    const int mode = leftEdge != kMargin ? 2 : m_filter.beginMode;
    const int lastContent = m_format.width + 101 - rightMargin;
    const Levels6 begin = Convert(m_filter.beginR, m_filter.beginG, m_filter.beginB);

    Levels6 ring[kRing];
    for (int p = 0; p < kRing; ++p) {
        if (mode == 0) {
            ring[p] = begin;
        } else if (mode == 1) {
            ring[p] = Column(row, columns, kMargin);
        } else if (!dw) {
            ring[p] = Column(row, columns, p);
        } else {
            // Column 25 once, then 26 to 50 twice each.
            ring[p] = Column(row, columns, p == 0 ? 25 : 25 + (p + 1) / 2);
        }
    }
    if (offset != 0) {
        for (int u = 0; u + offset < kRing; ++u) {
            ring[u] = ring[u + offset];
        }
        for (int j = 0; j < offset; ++j) {
            ring[kRing - offset + j] = Column(row, columns, kMargin + (dw ? j / 2 : j));
        }
    }

    Buffers line;
    for (auto& buffer : line) {
        buffer.assign(n, 0);
    }
    std::vector<Levels6> outputs(n);
    for (int s = 0; s < n; ++s) {
        const int position = s % kRing;
        const int own = (dw ? s / 2 : s) + kMargin;
        const int entering = own + (dw ? offset / 2 : offset);
        Levels6 value;
        if (entering > lastContent && mode == 0) {
            value = begin;
        } else if (entering > lastContent && mode == 1) {
            value = Column(row, columns, lastContent);
        } else {
            value = Column(row, columns, entering);
        }
        ring[position] = value;
        Levels6 sum{0, 0, 0, 0, 0, 0};
        for (int t = 0; t < kRing; ++t) {
            const Levels6& v = ring[(position + 1 + t) % kRing];  // oldest first
            sum.g += m_filter.y[t] * v.g;
            sum.b += m_filter.y[t] * v.b;
            sum.r += m_filter.y[t] * v.r;
            sum.y += m_filter.y[t] * v.y;
            sum.pb += m_filter.c[t] * v.pb;
            sum.pr += m_filter.c[t] * v.pr;
        }
        outputs[s] = sum;
    }
    for (int s = 0; s < n; ++s) {
        const Levels6& o = outputs[s];
        line[2][s] = Sample(o.g);
        line[3][s] = Sample(o.b);
        line[4][s] = Sample(o.r);
        if (m_format.gbrOutput) {
            line[0][s] = Sample(o.r);
            line[1][s] = Sample(o.g);
            line[5][s] = Sample(o.b);
        } else if (m_format.ycbcr444) {
            line[0][s] = Sample(o.y);
            line[1][s] = Sample(o.pb);
            line[5][s] = Sample(o.pr);
        } else {
            line[0][s] = Sample(o.y);
            // Both chroma positions of a pair come from its second sample.
            const Levels6& second = outputs[s | 1];
            line[1][s] = Sample(s % 2 == 0 ? second.pb : second.pr);
        }
    }
    return line;
}

const ReferenceModel::Buffers& ReferenceModel::Line(const uint8_t* row, int columns, int leftEdge,
                                                    int rightMargin) const {
    std::string key(reinterpret_cast<const char*>(row), static_cast<std::size_t>(columns) * 3);
    key += std::to_string(leftEdge) + "/" + std::to_string(rightMargin);
    auto found = m_lineCache.find(key);
    if (found != m_lineCache.end()) {
        return found->second;
    }
    Buffers line = m_filtered ? FilteredLine(row, columns, leftEdge, rightMargin)
                              : UnfilteredLine(row, columns);
    return m_lineCache.emplace(std::move(key), std::move(line)).first->second;
}

uint16_t ReferenceModel::ComponentWord(int component) const {
    uint16_t word = static_cast<uint16_t>(m_format.misc) | 0x0100;
    if (m_format.standardDefinition)
        word |= 0x8000;
    if (m_format.progressive)
        word |= 0x4000;
    if (m_format.twelveBit)
        word |= static_cast<uint16_t>(m_format.scale << 11);
    if (m_format.ycbcr444)
        word |= 0x0400;
    if (component != 0) {
        return static_cast<uint16_t>((word & ~0x0500) | 0x0200);
    }
    if (m_format.gbrOutput) {
        return static_cast<uint16_t>((word & ~0x0100) | 0x0600);
    }
    return static_cast<uint16_t>((word & ~0x0200) | 0x0100);
}

void ReferenceModel::AppendLine(std::vector<uint8_t>& out, int component,
                                const Buffers& line) const {
    std::vector<int> order;
    if (component == 0) {
        if (m_format.gbrOutput) {
            order = {1, 5, 0};
        } else if (m_format.ycbcr444) {
            order = {0, 1, 5};
        } else {
            order = {0, 1};
        }
    } else {
        order = {1 + component, 5};
    }
    const int n = Samples();
    PutRecord(out, 0x0072, static_cast<uint32_t>(order.size() * 2 * n));
    std::size_t at = out.size();
    out.resize(at + order.size() * 2 * n);
    for (int b : order) {
        for (int k = 0; k < n; ++k) {
            out[at++] = static_cast<uint8_t>(line[b][k] >> 8);
            out[at++] = static_cast<uint8_t>(line[b][k]);
        }
    }
}

std::vector<uint8_t> ReferenceModel::File(int component, const platform::Bitmap& frame,
                                          int leftEdge, int rightMargin) const {
    std::vector<uint8_t> out;
    out.reserve(static_cast<std::size_t>(m_format.height + 2 * m_format.blackLines + 2) *
                (6 + 6 * static_cast<std::size_t>(Samples())));
    PutRecord(out, 0x0806, 2);
    Put16(out, 1);
    PutRecord(out, 0x0032, 2);
    Put16(out, ComponentWord(component));
    PutRecord(out, 0x8870, 0);

    Buffers black = BlackLine();
    if (component == 0 && m_format.ycbcr444 && !m_format.gbrOutput) {
        // A 4:4:4 black line: the Pb buffer at Pb zero and the Pr buffer at Pr zero.
        for (int k = 0; k < Samples(); ++k) {
            black[1][k] = static_cast<uint16_t>(m_levels.pbZero);
            black[5][k] = static_cast<uint16_t>(m_levels.prZero);
        }
    } else if (component == 0 && m_format.gbrOutput) {
        black[1] = black[0];
        black[5] = black[0];
    } else if (component != 0) {
        black[1 + component] = black[0];
    }
    const int lines = m_format.height;
    const int fields = m_format.progressive ? 1 : 2;
    for (int field = 0; field < fields; ++field) {
        for (int i = 0; i < m_format.blackLines; ++i) {
            AppendLine(out, component, black);
        }
        for (int r = field; r < lines; r += fields) {
            AppendLine(out, component, Line(frame.Row(r), frame.Width(), leftEdge, rightMargin));
        }
        if (field == 1 && lines % 2 != 0) {
            // The second field gets the last row again so both fields are as long.
            AppendLine(out, component,
                       Line(frame.Row(lines - 1), frame.Width(), leftEdge, rightMargin));
        }
    }
    PutRecord(out, 0x0FFF, 0);
    return out;
}

}  // namespace reference
