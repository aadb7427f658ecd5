#include "document/legacy_reader.h"

#include "diagrams/fig_norm.h"
#include "diagrams/fig_venn.h"
#include "diagrams/gallery.h"
#include "figures/fig_arc.h"
#include "figures/fig_bezier.h"
#include "figures/fig_ellipse.h"
#include "figures/fig_gallery.h"
#include "figures/fig_group.h"
#include "figures/fig_line.h"
#include "figures/fig_point.h"
#include "figures/fig_polygon.h"
#include "figures/fig_rectangle.h"
#include "figures/fig_round_rect.h"
#include "figures/fig_text.h"
#include "geometry/gr_rect.h"
#include "graphs/fig_graph.h"
#include "platform/archive.h"
#include "platform/codepage.h"
#include "platform/command_ids.h"
#include "text/equation.h"
#include "text/number_text.h"

#include <QIODevice>

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>

namespace {

// Record types.
enum : int {
    kSmoothLine = 1,
    kLine = 2,
    kLine2 = 3,
    kPoint = 4,
    kEllipse = 5,
    kRectangle = 6,
    kRoundRect = 7,
    kText = 8,
    kArc = 9,
    kPolygon = 10,
    kSkip3 = 11,
    kGraph = 12,
    kNorm = 13,
    kVenn2 = 14,
    kVenn3 = 15,
    kSkip5 = 16,
    kNothing = 17,
    kGroup = 18,
    kContainer = 1000,
    kContainer3 = 1003,
    kContainer4 = 1004,
    kPlainLine = 1005,
};

constexpr int kGroupToolId = ID_TOOL_GROUP;
constexpr int kGalleryToolId = ID_DRAW_GALLERY_FIGURE;
constexpr int kFontBytes = 50;
constexpr int kGraphFunctions = 10;
// The arc's angles use the older program's pi.
constexpr double kArcPi = 3.1415927;
// A line's arrow and label further along than this many lengths is refused
// by the drawing file too.
constexpr double kFarPosition = 50.0;

[[noreturn]] void Malformed(const QString& what) {
    throw CArchiveException(CArchiveException::badIndex, what);
}

// Exact reads from the device: anything short ends the load.
class Input {
public:
    explicit Input(QIODevice& device) : m_device(device) {}

    QByteArray Bytes(int n) {
        if (n < 0)
            Malformed(QStringLiteral("a field of %1 bytes").arg(n));
        QByteArray bytes = m_device.read(n);
        if (bytes.size() != n)
            throw CArchiveException(CArchiveException::endOfFile);
        return bytes;
    }
    void Skip(int n) { Bytes(n); }
    BYTE Byte() { return BYTE(Bytes(1)[0]); }
    int Word() {
        const QByteArray b = Bytes(2);
        return int(int16_t(uint16_t(BYTE(b[0]) | (BYTE(b[1]) << 8))));
    }
    // A count that a writer could have meant.
    int Count(int most, const char* what) {
        const int n = Word();
        if (n < 0 || n > most)
            Malformed(QStringLiteral("%1 %2").arg(n).arg(QLatin1String(what)));
        return n;
    }
    // A fixed-width field: the text ends at its first NUL.
    QString Text(int width) {
        QByteArray bytes = Bytes(width);
        const qsizetype end = bytes.indexOf('\0');
        if (end >= 0)
            bytes.truncate(end);
        return FromWindows1252(bytes);
    }

private:
    QIODevice& m_device;
};

int Word(const QByteArray& b, int at) {
    return int(int16_t(uint16_t(BYTE(b[at]) | (BYTE(b[at + 1]) << 8))));
}

DWORD Dword(const QByteArray& b, int at) {
    return DWORD(BYTE(b[at])) | (DWORD(BYTE(b[at + 1])) << 8) | (DWORD(BYTE(b[at + 2])) << 16) |
           (DWORD(BYTE(b[at + 3])) << 24);
}

struct Header {
    int type = 0;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int penStyle = 0;
    COLORREF penColour = 0;
    int brushKind = 0;
    COLORREF brushColour = 0;
    int hatch = 0;
    double r[4] = {};
};

Header ReadHeader(Input& in) {
    const QByteArray b = in.Bytes(QvLegacyReader::HeaderBytes);
    Header h;
    h.type = Word(b, 0);
    h.x1 = Word(b, 2);
    h.y1 = Word(b, 4);
    h.x2 = Word(b, 6);
    h.y2 = Word(b, 8);
    h.penStyle = Word(b, 10);
    h.penColour = Dword(b, 16);
    h.brushKind = Word(b, 20);
    h.brushColour = Dword(b, 22);
    h.hatch = Word(b, 26);
    for (int i = 0; i < 4; ++i)
        h.r[i] = ExtendedToDouble(reinterpret_cast<const BYTE*>(b.constData()) + 36 + 10 * i);
    return h;
}

int ToUnits(int pixels) {
    return int(std::lround(pixels * QvLegacyReader::UnitsPerPixel));
}

// A 16-bit LOGFONT; the drawing height is the stored height in page units.
void ReadFont(Input& in, QvLogFont& font) {
    LOGFONT& lf = font.m_logFont;
    lf.lfHeight = in.Word();
    lf.lfWidth = in.Word();
    lf.lfEscapement = in.Word();
    lf.lfOrientation = in.Word();
    lf.lfWeight = in.Word();
    const QByteArray b = in.Bytes(8);
    lf.lfItalic = BYTE(b[0]);
    lf.lfUnderline = BYTE(b[1]);
    lf.lfStrikeOut = BYTE(b[2]);
    lf.lfCharSet = BYTE(b[3]);
    lf.lfOutPrecision = BYTE(b[4]);
    lf.lfClipPrecision = BYTE(b[5]);
    lf.lfQuality = BYTE(b[6]);
    lf.lfPitchAndFamily = BYTE(b[7]);
    // The face ends within its field, at its first NUL or its last byte.
    QByteArray face = in.Bytes(LF_FACESIZE);
    const qsizetype end = face.indexOf('\0');
    face.truncate(end < 0 ? LF_FACESIZE - 1 : end);
    std::memset(lf.lfFaceName, 0, LF_FACESIZE);
    std::memcpy(lf.lfFaceName, face.constData(), size_t(face.size()));
    font.m_drawHeight = ToUnits(std::abs(int(lf.lfHeight)));
}

template <class T = QvFigure> std::unique_ptr<T> Make(int toolId) {
    std::unique_ptr<T> f(static_cast<T*>(QvFigure::CreateForTool(toolId).release()));
    if (!f)
        throw std::bad_alloc();
    return f;
}

void ApplyPenAndBrush(QvFigure& f, const Header& h) {
    static constexpr int kPens[] = {ID_LINE_SOLID1, ID_LINE_DASH, ID_LINE_DOT, ID_LINE_DASHDOT,
                                    ID_LINE_DASHDOTDOT};
    static constexpr int kHatches[] = {ID_FILL_HORIZONTAL,       ID_FILL_VERTICAL, ID_FILL_DIAGONAL,
                                       ID_FILL_REVERSE_DIAGONAL, ID_FILL_SQUARES,  ID_FILL_DIAMOND};
    f.SetLineColour(h.penColour);
    if (h.penStyle >= 0 && h.penStyle < int(std::size(kPens)))
        f.SetLineStyle(kPens[h.penStyle]);
    f.SetFillColour(h.brushColour);
    if (h.brushKind == 0)
        f.SetFillStyle(ID_FILL_SOLID);
    else if (h.brushKind == 1)
        f.SetFillStyle(ID_FILL_NONE);
    else if (h.brushKind == 2 && h.hatch >= 0 && h.hatch < int(std::size(kHatches)))
        f.SetFillStyle(kHatches[h.hatch]);
}

void SetCorners(QvFigure& f, const Header& h) {
    QvPointArray& p = f.DefiningPoints();
    p[0] = QvPoint(h.x1, h.y1);
    p[1] = QvPoint(h.x2, h.y1);
    p[2] = QvPoint(h.x2, h.y2);
    p[3] = QvPoint(h.x1, h.y2);
}

// Smooth lines and polygons store their points in thousandths of the
// record's box, from the corner (x1, y2).
QvPoint InBox(const Header& h, int u, int v) {
    return QvPoint(h.x1 + (h.x2 - h.x1) * (u / 1000.0), h.y2 + (h.y1 - h.y2) * (v / 1000.0));
}

BYTE Flag(BYTE stored) {
    return stored != 0 ? 1 : 0;
}

// A function graph record: the functions as typed, the range and steps,
// the axis names, the display switches and one font for all three.
void ReadGraph(Input& in, QvGraphData& d) {
    const int functions = in.Count(kGraphFunctions, "functions in a graph");
    auto text = [&](const char* what) {
        QByteArray bytes = in.Bytes(in.Count(SHRT_MAX, what));
        const qsizetype end = bytes.indexOf('\0');
        if (end >= 0)
            bytes.truncate(end);
        return FromWindows1252(bytes);
    };
    for (int i = 0; i < functions; ++i) {
        QvGraphDataFunction& f = d.functions[i];
        in.Skip(76 + 4);
        f.caption = text("formula bytes");
        f.rangeText = text("text bytes");
        in.Skip(1);
        const QByteArray flags = in.Bytes(5);
        f.RangeArrows = Flag(BYTE(flags[0]));
        f.VAsym = Flag(BYTE(flags[1]));
        f.HAsym = Flag(BYTE(flags[2]));
        f.ShowHigh = Flag(BYTE(flags[3]));
        f.ShowLow = Flag(BYTE(flags[4]));
        QvFunctionStr formula;
        formula.SetText(f.caption);
        f.expression = formula.ToFunctionText();
        f.dirty = 1;
    }
    QString* const limits[] = {&d.xMaxShowS, &d.yMaxShowS, &d.xMinShowS, &d.yMinShowS,
                               &d.xMajorS,   &d.yMajorS,   &d.xMinorS,   &d.yMinorS};
    for (QString* limit : limits) {
        const QByteArray b = in.Bytes(10);
        QvFormatDouble(*limit, ExtendedToDouble(reinterpret_cast<const BYTE*>(b.constData())), 3,
                       '.');
    }
    d.xNotate = in.Text(21);
    d.yNotate = in.Text(21);
    const QByteArray flags = in.Bytes(8);
    d.ShowGrid = Flag(BYTE(flags[0]));
    BYTE* const shown[] = {&d.showXAxis,  &d.showYAxis,   &d.showXTicks,
                           &d.showYTicks, &d.showXLabels, &d.showYLabels};
    for (int i = 0; i < 6; ++i)
        *shown[i] = Flag(BYTE(flags[2 + i]));
    ReadFont(in, d.AxisFont);
    d.NotateFont.Assign(d.AxisFont);
    d.NotateFont.m_logFont.lfItalic = 1;
    d.ReportFont.Assign(d.AxisFont);
    in.Skip(2);
}

void ReadArc(Input& in, QvFigArc4P& arc, const Header& h, bool convert) {
    QvEditDataArc& d = *arc.ArcData();
    d.m_startArrow = in.Word() + 10;
    d.m_stopArrow = in.Word() + 10;
    d.m_midArrow = in.Word() + 10;
    d.m_startSize = d.m_stopSize = d.m_midSize = BYTE(in.Word() & 0xFF);

    const double a = h.r[0] * (-2.0 * kArcPi) + kArcPi;
    double b = (1.0 - h.r[1]) * 2.0 * kArcPi;
    if (std::fabs(b - kArcPi) < 1e-07)
        b = 3.1415926;
    d.m_major = b <= kArcPi ? 0 : 1;
    if (h.brushKind == 0 || h.brushKind == 2)
        d.m_closeType = QvArcClosing::Sector;

    SetCorners(arc, h);
    const QvPoint c((h.x2 - h.x1) / 2.0 + h.x1, (h.y2 - h.y1) / 2.0 + h.y1);
    // The stored angles turn clockwise on the screen, whose y runs down.
    const double turn = convert ? 1.0 : -1.0;
    QvVector start(1000.0, 0.0), end(1000.0, 0.0);
    start.Rotate(std::cos(a), turn * std::sin(a));
    end.Rotate(std::cos(b), turn * std::sin(b));
    QvPointArray& p = arc.DefiningPoints();
    p[4] = c + start;
    p[5] = c + end;
    arc.MapToFrame(NullFrame);
    arc.BuildFromPoints();
    // The ends go onto the ellipse, along their directions from its centre.
    p[4] = arc.Arc().ProjectToEllipse(p[4]);
    p[5] = arc.Arc().ProjectToEllipse(p[5]);
}

} // namespace

double ExtendedToDouble(const BYTE* b) {
    uint64_t mantissa = 0;
    for (int i = 0; i < 8; ++i)
        mantissa |= uint64_t(b[i]) << (8 * i);
    const int stored = ((b[9] & 0x7F) << 8) | b[8];
    // Zero and denormals, infinities and NaNs.
    if (stored == 0 || stored == 0x7FFF)
        return 0.0;
    const int exponent = stored - (16383 - 1023);
    if (exponent <= 0 || exponent >= 0x7FF)
        return 0.0;
    const uint64_t fraction = (mantissa & 0x7FFFFFFFFFFFFFFFull) >> 11;
    const uint64_t bits = (uint64_t(b[9] >> 7) << 63) | (uint64_t(exponent) << 52) | fraction;
    return std::bit_cast<double>(bits);
}

std::unique_ptr<QvFigure> QvLegacyReader::ReadFigure(QIODevice& file, bool convertCoordinates,
                                                     bool containersAsGallery) {
    Input in(file);
    Header h = ReadHeader(in);
    if (convertCoordinates) {
        h.x1 = ToUnits(h.x1);
        h.x2 = ToUnits(h.x2);
        h.y1 = PageHeight - ToUnits(h.y1);
        h.y2 = PageHeight - ToUnits(h.y2);
    }

    std::unique_ptr<QvFigure> figure;
    switch (h.type) {
    case kSmoothLine: {
        const int n = in.Count(SHRT_MAX, "points in a smooth line");
        const BYTE closed = in.Byte();
        auto line = Make<QvFigSmoothLine>(QvFigSmoothLine::ToolId);
        QvEditDataSmoothLine& d = *line->CurveData();
        d.m_startMark = in.Word() + 10;
        d.m_endMark = in.Word() + 10;
        d.m_midMark = QvEditDataSmoothLine::NoMark;
        d.m_startSize = d.m_endSize = d.m_midSize = BYTE(in.Word() & 0xFF);
        d.m_spacing = convertCoordinates ? 300 : 50;
        d.m_closed = Flag(closed);
        ApplyPenAndBrush(*line, h);
        // The points go in as a trace gives them: the press, then each move
        // first settles the point before it and then moves the end.
        for (int i = 0; i < n; ++i) {
            const int u = in.Word();
            const int v = in.Word();
            if (i >= MaxRecordPoints)
                continue;
            if (i > 0)
                line->CreateClick();
            line->TrackCreatePoint(InBox(h, u, v), QvKeys());
            if (i == 0)
                line->CreateClick();
        }
        figure = std::move(line);
        break;
    }
    case kLine:
    case kLine2:
    case kPlainLine: {
        auto line = Make<QvFigLine>(QvFigLine::ToolId);
        ApplyPenAndBrush(*line, h);
        if (h.type != kPlainLine) {
            QvEditDataLine& d = *line->LineData();
            d.m_startArrow = in.Word() + 10;
            d.m_endArrow = in.Word() + 10;
            d.m_midArrow = in.Word() + 10;
            d.m_startSize = d.m_endSize = d.m_midSize = BYTE(in.Word() & 0xFF);
            d.m_labelSide = in.Word();
            d.m_label = in.Text(20);
            ReadFont(in, d.m_font);
            if (!(std::fabs(h.r[0]) <= kFarPosition))
                Malformed(QStringLiteral("a line mark at %1 lengths").arg(h.r[0]));
            d.m_midPos = d.m_labelPos = h.r[0];
        }
        line->DefiningPoints()[0] = QvPoint(h.x1, h.y1);
        line->DefiningPoints()[1] = QvPoint(h.x2, h.y2);
        figure = std::move(line);
        break;
    }
    case kPoint: {
        auto point = Make<QvFigPoint>(QvFigPoint::ToolId);
        ApplyPenAndBrush(*point, h);
        point->PointData()->m_markType = in.Word();
        point->DefiningPoints()[0] = QvPoint(h.x1, h.y1);
        figure = std::move(point);
        break;
    }
    case kEllipse: {
        auto ellipse = Make<QvFigEllipse4C>(QvFigEllipse4C::ToolId);
        ApplyPenAndBrush(*ellipse, h);
        ellipse->CircleData()->m_markType = in.Word();
        SetCorners(*ellipse, h);
        figure = std::move(ellipse);
        break;
    }
    case kRectangle:
        figure = Make(QvFigRectangle::ToolId);
        ApplyPenAndBrush(*figure, h);
        SetCorners(*figure, h);
        break;
    case kRoundRect: {
        auto round = Make<QvFigRoundRect>(QvFigRoundRect::ToolId);
        ApplyPenAndBrush(*round, h);
        SetCorners(*round, h);
        const LONG radius = LONG(std::abs(h.x2 - h.x1));
        round->RoundRectData()->m_radius = radius;
        // The radius grip sits where the drawn rounding meets the first side.
        QvPointArray& p = round->DefiningPoints();
        QvVector side = p[1] - p[0];
        const double reach = std::min(side.Length() / 2.0, double(radius));
        side.SetLength(reach);
        p[4] = p[0] + side;
        figure = std::move(round);
        break;
    }
    case kText: {
        const int n = in.Count(SHRT_MAX, "text bytes");
        auto text = Make<QvFigText>(QvFigText::ToolId);
        ApplyPenAndBrush(*text, h);
        QByteArray bytes = in.Bytes(n);
        const qsizetype end = bytes.indexOf('\0');
        if (end >= 0)
            bytes.truncate(end);
        text->SetText(FromWindows1252(bytes));
        in.Skip(n);
        ReadFont(in, text->TextData()->m_font);
        // Converted boxes are 70 by 20 mm; members 100 by 50 thousandths.
        const int w = convertCoordinates ? 7000 : 100;
        const int dy = convertCoordinates ? -2000 : 50;
        QvPointArray& p = text->DefiningPoints();
        p[0] = QvPoint(h.x1, h.y1);
        p[1] = QvPoint(h.x1 + w, h.y1);
        p[2] = QvPoint(h.x1 + w, h.y1 + dy);
        p[3] = QvPoint(h.x1, h.y1 + dy);
        figure = std::move(text);
        break;
    }
    case kArc: {
        auto arc = Make<QvFigArc4P>(QvFigArc4P::ToolId);
        ApplyPenAndBrush(*arc, h);
        ReadArc(in, *arc, h, convertCoordinates);
        figure = std::move(arc);
        break;
    }
    case kPolygon: {
        const int n = in.Count(SHRT_MAX, "points in a polygon");
        auto polygon = Make<QvFigPolygon>(QvFigPolygon::ToolId);
        ApplyPenAndBrush(*polygon, h);
        // The point count of a figure is a byte: the rest cannot be kept.
        const int kept = std::min(n, int(QvFigure::MaxStoredPoints));
        for (int i = 0; i < n; ++i) {
            const int u = in.Word();
            const int v = in.Word();
            if (i < kept)
                polygon->DefiningPoints()[i] = polygon->DisplayPoints()[i] = InBox(h, u, v);
        }
        if (n > kept)
            ++m_losses.polygons;
        polygon->SetPointCount(kept);
        polygon->SetClickCount(std::max(0, kept - 1));
        figure = std::move(polygon);
        break;
    }
    case kSkip3:
        in.Skip(3);
        return nullptr;
    case kSkip5:
        in.Skip(5);
        return nullptr;
    case kGraph: {
        auto graph = Make<QvFigGraph>(QvFigGraph::ToolId);
        ReadGraph(in, graph->GraphData()->m_data);
        SetCorners(*graph, h);
        figure = std::move(graph);
        break;
    }
    case kNorm: {
        auto norm = Make<QvFigNorm>(QvFigNorm::ToolId);
        ApplyPenAndBrush(*norm, h);
        QvEditDataNorm& d = *norm->NormData();
        d.m_nArrow = in.Word() + 10;
        d.m_nArrowSize = 4;
        in.Skip(2);
        const QByteArray flags = in.Bytes(4);
        d.m_bInverse = Flag(BYTE(flags[0]));
        d.m_bBaseline = Flag(BYTE(flags[1]));
        d.m_byAxis = Flag(BYTE(flags[2]));
        d.m_bShade = Flag(BYTE(flags[3]));
        SetCorners(*norm, h);
        QvPointArray& p = norm->DefiningPoints();
        const double left = std::min(p[0].x, p[1].x);
        double width = std::max(p[0].x, p[1].x) - left;
        if (width == 0.0)
            width = 0.0001;
        p[4] = QvPoint(left + width * h.r[0], p[0].y);
        p[5] = QvPoint(left + width * h.r[2], p[0].y);
        figure = std::move(norm);
        break;
    }
    case kVenn2: {
        auto venn = Make<QvFigVenn2>(QvFigVenn2::ToolId);
        ApplyPenAndBrush(*venn, h);
        QvEditDataVenn2& d = *venn->VennData();
        in.Skip(234);
        const QByteArray shades = in.Bytes(QvEditDataVenn2::ShadeCount);
        for (int i = 0; i < QvEditDataVenn2::ShadeCount; ++i)
            d.m_shade[i] = BYTE(shades[i]);
        static constexpr int kTextAt[QvEditDataVenn2::TextCount] = {5, 6, 1, 2, 0, 3, 4};
        for (int at : kTextAt)
            d.m_text[at] = in.Text(11);
        ReadFont(in, d.m_font);
        SetCorners(*venn, h);
        figure = std::move(venn);
        break;
    }
    case kVenn3: {
        auto venn = Make<QvFigVenn3>(QvFigVenn3::ToolId);
        ApplyPenAndBrush(*venn, h);
        QvEditDataVenn3& d = *venn->VennData();
        in.Skip(312);
        const QByteArray shades = in.Bytes(QvEditDataVenn3::ShadeCount);
        for (int i = 0; i < QvEditDataVenn3::ShadeCount; ++i)
            d.m_shade[i] = BYTE(shades[i]);
        for (QString& text : d.m_text)
            text = in.Text(11);
        ReadFont(in, d.m_font);
        SetCorners(*venn, h);
        figure = std::move(venn);
        break;
    }
    case kGroup:
    case kContainer:
    case kContainer3:
    case kContainer4: {
        const bool gallery = containersAsGallery && h.type != kGroup;
        auto group = Make<QvFigGroup>(gallery ? kGalleryToolId : kGroupToolId);
        if (gallery)
            static_cast<QvFigGallery&>(*group).SetAspectRatio(1.0);
        SetCorners(*group, h);
        const int n = in.Count(SHRT_MAX, "members in a group");
        if (m_depth >= MaxNesting)
            Malformed(QStringLiteral("groups nested more than %1 deep").arg(MaxNesting));
        ++m_depth;
        try {
            for (int i = 0; i < n; ++i) {
                std::unique_ptr<QvFigure> member = ReadFigure(file, false, false);
                if (!member)
                    continue;
                member->SetGroupNesting(group->GetGroupNesting() + 1);
                group->MemberList().Add(std::move(member));
            }
        } catch (...) {
            --m_depth;
            throw;
        }
        --m_depth;
        if (h.type == kGroup)
            in.Skip(3);
        figure = std::move(group);
        break;
    }
    default: // 17 and every type no figure answers: the header alone
        return nullptr;
    }

    figure->MapToFrame(NullFrame);
    figure->BuildFromPoints();
    return figure;
}

namespace {
// Galleries read their older records through here; only containers are
// kept there, as gallery figures.
const bool kGalleryReaderInstalled = [] {
    QvGallery::SetOlderRecordReader([](QIODevice& file, QvLegacyLosses& losses) {
        QvLegacyReader reader;
        std::unique_ptr<QvFigure> figure = reader.ReadFigure(file, true, true);
        losses += reader.Losses();
        return figure.release();
    });
    return true;
}();
} // namespace
