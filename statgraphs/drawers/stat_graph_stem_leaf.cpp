#include "statgraphs/drawers/stat_graph_stem_leaf.h"

#include "platform/dc.h"
#include "statgraphs/stat_graph_parts.h"
#include "statistics/stat_data.h"
#include "text/equation_options.h"
#include "text/font_select.h"
#include "text/number_text.h"

#include <algorithm>
#include <cmath>

namespace {

struct UnitEntry {
    double unit;
    int power; // of the leaf digit
    bool split;
};

// Units go on past 100 by the same pattern, so that wide data still gets a
// plot: one-digit leaves at the power below the unit.
constexpr UnitEntry kSplitUnits[] = {
    {0.0001, -5, false}, {0.0005, -4, true}, {0.001, -4, false}, {0.005, -3, true},
    {0.01, -3, false},   {0.05, -2, true},   {0.1, -2, false},   {0.5, -1, true},
    {1.0, -1, false},    {5.0, 0, true},     {10.0, 0, false},   {50.0, 0, true},
    {100.0, 0, false},   {500.0, 2, true},   {1e3, 2, false},    {5e3, 3, true},
    {1e4, 3, false},     {5e4, 4, true},     {1e5, 4, false},    {5e5, 5, true},
    {1e6, 5, false},     {5e6, 6, true},     {1e7, 6, false},    {5e7, 7, true},
    {1e8, 7, false},     {5e8, 8, true},     {1e9, 8, false},    {5e9, 9, true},
    {1e10, 9, false},    {5e10, 10, true},   {1e11, 10, false},  {5e11, 11, true},
    {1e12, 11, false}};
constexpr UnitEntry kPlainUnits[] = {
    {0.0001, -5, false}, {0.001, -4, false}, {0.01, -3, false}, {0.1, -2, false},
    {1.0, -1, false},    {10.0, 0, false},   {100.0, 0, false}, {1e3, 2, false},
    {1e4, 3, false},     {1e5, 4, false},    {1e6, 5, false},   {1e7, 6, false},
    {1e8, 7, false},     {1e9, 8, false},    {1e10, 9, false},  {1e11, 10, false},
    {1e12, 11, false}};

constexpr int kGap = 400;

using ColumnValues = QvStatGraphStemLeaf::ColumnValues;

void Collect(QvStatData& data, int column, bool sort, ColumnValues& out) {
    out.n = 0;
    const QvStatColumn* c = data.Column(column);
    if (!c)
        return;
    for (const QvStatCell& cell : c->cells) {
        // Nothing finite has a stem.
        if (cell.value != QvStatEmpty && std::isfinite(cell.value))
            out.v[size_t(out.n++)] = cell.value;
    }
    if (sort)
        std::sort(out.v.begin(), out.v.begin() + out.n);
}

// Visits the values in drawing order.  Sorted, the values below zero come
// nearest-zero first, so every row of leaves reads outward from zero.
template <class Visit> void ForEachInOrder(const ColumnValues& c, bool sorted, Visit visit) {
    if (!sorted) {
        for (int i = 0; i < c.n; ++i)
            visit(c.v[size_t(i)]);
        return;
    }
    const int firstNonNegative =
        int(std::partition_point(c.v.begin(), c.v.begin() + c.n, [](double x) { return x < 0.0; }) -
            c.v.begin());
    for (int i = firstNonNegative - 1; i >= 0; --i)
        visit(c.v[size_t(i)]);
    for (int i = firstNonNegative; i < c.n; ++i)
        visit(c.v[size_t(i)]);
}

} // namespace

QString QvStemText(double value, int power, char decimalMark) {
    const int decimals = -power < 1 ? 25 : -power;
    QString text;
    QvFormatDouble(text, value, decimals, decimalMark);
    const QChar mark = QChar::fromLatin1(decimalMark);
    if (!text.contains(mark))
        text += mark;
    text += QString(24, QLatin1Char('0'));
    const qsizetype point = text.indexOf(mark);
    const qsizetype keep = power < 0 ? point - power : point - power - 1;
    text.truncate(std::max<qsizetype>(0, keep));
    if (text.isEmpty())
        text = power == -1 ? QStringLiteral("0") + mark : QStringLiteral("0");
    return text;
}

QvStemUnit QvStatGraphStemLeaf::ChooseStemUnit(double lo, double hi, int stems, bool allowSplit) {
    if (stems < 1 || stems > 35)
        stems = DefaultStems;
    const double w = (hi - lo) / (stems + 1);
    QvStemUnit u;
    if (w == 0.0)
        return u; // unit 1, one-digit leaves at the units
    u.valid = false;
    if (!(w > 0.0))
        return u;
    auto pick = [&](const auto& table) {
        for (const UnitEntry& e : table) {
            if (e.unit >= w) {
                u.valid = true;
                u.unit = e.unit;
                u.leafPower = e.power;
                u.split = e.split;
                return;
            }
        }
    };
    if (allowSplit)
        pick(kSplitUnits);
    else
        pick(kPlainUnits);
    if (u.valid && (u.unit == 50.0 || u.unit == 100.0)) {
        // Tens and units.
        u.leafDigits = 2;
        u.secondPower = u.leafPower;
        u.leafPower = 1;
    }
    return u;
}

double QvStatGraphStemLeaf::StemPosition(double v) const {
    const double leaves = std::floor(std::fabs(v) / m_leafScale + 1e-9);
    const double j = std::floor(leaves / m_leavesPerStem);
    return v < 0.0 ? -j - 1.0 : j;
}

void QvStatGraphStemLeaf::Draw(CDC* dc, CRect rect) {
    m_stemCount = 0;
    if (!dc || !m_pData)
        return;
    const QvStatProperties& p = m_pData->properties;
    const int d = dc->GetMapMode() == MM_HIMETRIC ? -1 : 1;
    const UINT oldAlign = dc->GetTextAlign();
    const int oldBkMode = dc->SetBkMode(TRANSPARENT);
    const int top = QvStatDrawTitle(dc, rect, p);

    const bool sorted = p.StemLeaf_SortData != 0;
    const bool backToBack = p.dc[1] != -1;
    ColumnValues& a = m_columns[0];
    ColumnValues& b = m_columns[1];
    Collect(*m_pData, p.dc[0], sorted, a);
    b.n = 0;
    if (backToBack)
        Collect(*m_pData, p.dc[1], sorted, b);
    double lo = 0.0, hi = 0.0;
    bool any = false;
    for (const ColumnValues* c : {&a, &b}) {
        for (int i = 0; i < c->n; ++i) {
            const double v = c->v[size_t(i)];
            lo = any ? std::min(lo, v) : v;
            hi = any ? std::max(hi, v) : v;
            any = true;
        }
    }
    if (any)
        m_unit = ChooseStemUnit(lo, hi, p.StemLeaf_NumStems, p.StemLeaf_AllowSplit != 0);
    if (!any || !m_unit.valid) {
        dc->SetTextAlign(oldAlign);
        dc->SetBkMode(oldBkMode);
        return;
    }
    // Rounding the ends only when the values are rounded keeps every value
    // on a stem.
    const bool round = p.StemLeaf_RoundLeaf != 0 && m_unit.unit <= 10.0;
    if (round) {
        lo = QvRoundToPower(lo, m_unit.leafPower);
        hi = QvRoundToPower(hi, m_unit.leafPower);
    }
    m_leafScale = std::pow(10.0, m_unit.leafPower);
    m_leavesPerStem = std::max(1.0, std::round(m_unit.unit / m_leafScale));
    m_base = StemPosition(lo);
    const double needed = StemPosition(hi) - m_base + 1.0;
    m_stemCount = int(std::clamp(needed, 1.0, double(MaxStems)));

    const char mark = TheEquationOptions().m_decimalPoint;
    for (int i = 0; i < m_stemCount; ++i) {
        const double pos = m_base + i;
        const double fromZero = pos < 0.0 ? -pos - 1.0 : pos;
        m_stemStart[size_t(i)] = pos * m_unit.unit;
        QString text = QvStemText(fromZero * m_unit.unit, m_unit.leafPower, mark);
        if (pos < 0.0)
            text.prepend(u'-');
        m_stemText[size_t(i)] = text;
        m_stemMark[size_t(i)] = !m_unit.split ? QString()
                                : std::fmod(fromZero, 2.0) == 0.0 ? p.StemLeaf_Low
                                                                  : p.StemLeaf_High;
    }

    QvFontSelect scale;
    scale.SetFont(p.ScaleFont);
    scale.Select(dc);
    const int rowHeight = int(1.2 * dc->GetTextExtent(QStringLiteral("Hg")).cy);
    int stemWidth = 0;
    for (int i = 0; i < m_stemCount; ++i) {
        int w = dc->GetTextExtent(m_stemText[size_t(i)]).cx;
        if (m_unit.split)
            w += dc->GetTextExtent(m_stemMark[size_t(i)]).cx;
        stemWidth = std::max(stemWidth, w);
    }
    m_oneWidth.fill(-1);
    m_twoWidth.fill(-1);
    m_commaBefore.fill(-1);
    m_commaAfter.fill(-1);

    int x0 = 0;
    int rightMax = 0, leftMax = 0;
    auto rowY = [&](int k) { return top + (kGap + (m_stemCount - k - 1) * rowHeight) * d; };
    // One pass measures, the second writes at the measured places.
    auto pass = [&](bool draw) {
        std::fill(m_rightWidth.begin(), m_rightWidth.end(), 0);
        std::fill(m_leftWidth.begin(), m_leftWidth.end(), 0);
        auto place = [&](double v, bool left) {
            if (round)
                v = QvRoundToPower(v, m_unit.leafPower);
            const double k = StemPosition(v) - m_base;
            if (!(k >= 0.0 && k < m_stemCount))
                return;
            const int stem = int(k);
            int& width = left ? m_leftWidth[size_t(stem)] : m_rightWidth[size_t(stem)];
            const char first = QvDigitAt(v, m_unit.leafPower);
            QString text;
            int* known;
            if (m_unit.leafDigits == 1) {
                text = QChar::fromLatin1(first);
                known = &m_oneWidth[size_t(first - '0')];
            } else {
                const char second = QvDigitAt(v, m_unit.secondPower);
                const size_t index = size_t((first - '0') * 10 + (second - '0'));
                text = QString::fromLatin1(&first, 1) + QChar::fromLatin1(second);
                // Leaves of one stem read outward, so the comma sits on the
                // side nearer the stems.
                if (width == 0) {
                    known = &m_twoWidth[index];
                } else if (left) {
                    text += u',';
                    known = &m_commaAfter[index];
                } else {
                    text.prepend(u',');
                    known = &m_commaBefore[index];
                }
            }
            if (*known < 0)
                *known = dc->GetTextExtent(text).cx;
            if (draw) {
                if (left) {
                    dc->SetTextAlign(TA_RIGHT | TA_TOP);
                    dc->TextOut(x0 - kGap - width, rowY(stem), text);
                    dc->SetTextAlign(TA_LEFT | TA_TOP);
                } else {
                    dc->TextOut(x0 + kGap + stemWidth + width, rowY(stem), text);
                }
            }
            width += *known;
            (left ? leftMax : rightMax) = std::max(left ? leftMax : rightMax, width);
        };
        ForEachInOrder(a, sorted, [&](double v) { place(v, backToBack); });
        if (backToBack)
            ForEachInOrder(b, sorted, [&](double v) { place(v, false); });
    };
    pass(false);
    const int width = rect.Width();
    if (backToBack) {
        const int total = stemWidth + 2 * kGap + rightMax + leftMax;
        x0 = rect.left + (width - total) / 2 + leftMax + kGap;
    } else {
        const int total = kGap + stemWidth + rightMax;
        x0 = rect.left + (width - total) / 2;
    }

    dc->SetTextAlign(TA_CENTER | TA_TOP);
    for (int i = m_stemCount - 1; i >= 0; --i)
        dc->TextOut(x0 + stemWidth / 2, rowY(i), m_stemText[size_t(i)] + m_stemMark[size_t(i)]);
    dc->SetTextAlign(TA_LEFT | TA_TOP);
    const int ruleTop = top + kGap * d;
    const int ruleBottom = top + (kGap + rowHeight * m_stemCount) * d;
    dc->MoveTo(x0 + stemWidth + kGap / 2, ruleTop);
    dc->LineTo(x0 + stemWidth + kGap / 2, ruleBottom);
    if (backToBack) {
        dc->MoveTo(x0 - kGap / 2, ruleTop);
        dc->LineTo(x0 - kGap / 2, ruleBottom);
    }
    pass(true);

    scale.Restore(dc);
    dc->SetTextAlign(oldAlign);
    dc->SetBkMode(oldBkMode);
}
