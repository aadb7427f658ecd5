#include "graphs/number_line_function.h"

#include "geometry/point.h"
#include "platform/dc.h"
#include "text/equation.h"
#include "text/equation_options.h"

IMPLEMENT_SERIAL(QvNumberLineFunction, QvFunction, 0)

namespace {
constexpr double kMargin = 15.0;
// What an "=" draws: a segment this long between two filled dots.
constexpr double kPointLength = 0.01;
} // namespace

QvNumberLineFunction::QvNumberLineFunction() = default;

void QvNumberLineFunction::SetRange(double xmin, double xmax, double, double, int) {
    m_Record.m_xMin = xmin;
    m_Record.m_xMax = xmax;
}

int QvNumberLineFunction::ParseInterval() {
    m_Lower = -kUnbounded;
    m_Upper = kUnbounded;
    m_Excluded = kNoExclusion;
    m_LowerKind = m_UpperKind = kArrow;

    QvFunctionStr typed;
    typed.SetText(m_Record.m_Expression, &TheEquationOptions());
    Tokenize(typed.ToFunctionText());

    bool variableSeen = false, numberSeen = false, relationSeen = false;
    bool anyRelation = false, anyApplied = false;
    int rel = 0;
    double value = 0.0;
    // X r v sets the bound r points towards from X; v r X the other one.
    auto apply = [&](bool variableFirst) {
        anyApplied = true;
        const bool closed = rel == TokGreaterEqual || rel == TokLessEqual;
        switch (rel) {
        case TokNotEqual:
            m_Excluded = value;
            return; // the value stays
        case TokEquals:
            m_Lower = m_Upper = value;
            m_LowerKind = m_UpperKind = kClosed;
            break;
        default: {
            const bool greater = rel == TokGreater || rel == TokGreaterEqual;
            if (greater == variableFirst) {
                m_Lower = value;
                m_LowerKind = closed ? kClosed : kOpen;
            } else {
                m_Upper = value;
                m_UpperKind = closed ? kClosed : kOpen;
            }
            break;
        }
        }
        value = 0.0;
    };
    // A bound is the product of its numbers; "/" divides by the next one,
    // so 1/2 and P/2 read as a half and a half of pi.
    bool divideNext = false, applyAfterDivisor = false;
    auto fold = [&](double v) {
        if (divideNext)
            value = v != 0.0 ? value / v : value;
        else
            value = value == 0.0 ? v : value * v;
        divideNext = false;
    };

    for (int i = 1; i < kTokens && tokens[i].code != TokEnd; ++i) {
        const int code = tokens[i].code;
        switch (code) {
        case TokX:
        case TokT:
        case TokQ:
            if (!numberSeen && !relationSeen) {
                variableSeen = true;
            } else if (numberSeen && relationSeen) {
                apply(false);
                numberSeen = relationSeen = false;
                variableSeen = true;
            }
            break;
        case TokNumber:
        case TokPi: {
            const double v = code == TokPi ? kPi : tokens[i].value;
            if (!variableSeen && !relationSeen) {
                numberSeen = true;
                fold(v);
            } else if (variableSeen && relationSeen) {
                fold(v);
                // Pi ends its bound, unless a divisor follows it.
                const bool divisorFollows = i + 1 < kTokens && tokens[i + 1].code == TokDivide;
                if ((code == TokPi || applyAfterDivisor) && divisorFollows) {
                    applyAfterDivisor = true;
                } else if (code == TokPi || applyAfterDivisor) {
                    applyAfterDivisor = false;
                    apply(true);
                    relationSeen = false;
                }
            }
            break;
        }
        case TokDivide:
            if (numberSeen || (variableSeen && relationSeen))
                divideNext = true;
            break;
        case TokEquals:
        case TokGreater:
        case TokGreaterEqual:
        case TokLess:
        case TokLessEqual:
        case TokNotEqual:
            relationSeen = anyRelation = true;
            rel = code;
            break;
        case TokSeparator:
            variableSeen = numberSeen = relationSeen = false;
            divideNext = applyAfterDivisor = false;
            break;
        default:
            break;
        }
    }
    if (relationSeen && variableSeen)
        apply(true);
    m_Unreadable = anyRelation && !anyApplied;
    return 0;
}

double QvNumberLineFunction::XToDevice(double x) const {
    const CRect& r = m_Record.m_PlotRect;
    const double left = r.left, width = double(r.right) - r.left;
    const double span = m_Record.m_xMax - m_Record.m_xMin;
    double d = span != 0.0 ? (x - m_Record.m_xMin) * width / span : 0.0;
    if (!(d >= 0.0 && d <= width + kMargin))
        d = 0.0;
    return left + d;
}

double QvNumberLineFunction::YToDevice(double) const {
    const CRect& r = m_Record.m_PlotRect;
    return (double(r.bottom) - r.top) / 2 + r.top;
}

void QvNumberLineFunction::Draw(CDC* dc) {
    yUp = dc->GetMapMode() == MM_HIMETRIC;
    ySign = yUp ? -1 : 1;
    if (m_Record.m_Expression.isEmpty())
        return;
    ParseInterval();
    // A relation with nothing read from it claims nothing.
    if (m_Unreadable)
        return;
    const int s = dc->GetMapMode() == MM_TEXT ? 1 : 100;
    const double xMin = m_Record.m_xMin, xMax = m_Record.m_xMax;

    if (m_Lower < xMin) {
        m_DrawFrom = xMin;
        if (m_LowerKind != kNoEnd)
            m_LowerKind = kArrow;
    } else {
        m_DrawFrom = m_Lower;
    }
    if (m_Upper <= m_Lower)
        m_Upper = m_Lower + kPointLength;
    if (m_Upper > xMax) {
        m_DrawTo = xMax;
        if (m_UpperKind != kNoEnd)
            m_UpperKind = kArrow;
    } else {
        m_DrawTo = m_Upper;
    }
    // Wholly off the view: its ends would map to the left edge and draw a
    // segment the interval does not hold.
    if (m_DrawFrom > xMax || m_DrawTo < xMin)
        return;

    CPen pen(PS_INSIDEFRAME, s, m_Record.m_Color);
    CDCSelect<CPen> usePen(dc, &pen);
    const int y = int(YToDevice(0.0));
    const int x1 = int(XToDevice(m_DrawFrom)), x2 = int(XToDevice(m_DrawTo));
    dc->MoveTo(x1, y);
    dc->LineTo(x2, y);

    auto dot = [&](double x, COLORREF fill) {
        CPen outline(PS_INSIDEFRAME, 1, m_Record.m_Color);
        CBrush brush(fill);
        CDCSelect<CPen> useOutline(dc, &outline);
        CDCSelect<CBrush> useBrush(dc, &brush);
        const int cx = Round(x), cy = Round(y);
        dc->Ellipse(cx - s, cy - s, cx + s, cy + s);
    };
    // inward: +1 at the left end, -1 at the right.
    auto end = [&](int x, int kind, int inward) {
        switch (kind) {
        case kArrow:
            dc->MoveTo(x + inward * 2 * s, y + s);
            dc->LineTo(x, y);
            dc->LineTo(x + inward * 2 * s, y - s);
            break;
        case kClosed:
            dot(x, m_Record.m_Color);
            break;
        case kOpen:
            dot(x, RGB(255, 255, 255));
            break;
        default:
            break;
        }
    };
    end(x1, m_LowerKind, 1);
    end(x2, m_UpperKind, -1);
    // Only where it can be seen: off the view it would map to the left edge.
    if (m_Excluded > kNoExclusion && m_Excluded >= xMin && m_Excluded <= xMax)
        dot(XToDevice(m_Excluded), RGB(255, 255, 255));
}

void QvNumberLineFunction::Serialize(CArchive& ar) {
    m_Record.Serialize(ar);
}
