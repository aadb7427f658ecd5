#include "common/test_support.h"
#include "figure_test_support.h"
#include "figures/fig_angle_mark.h"
#include "figures/fig_line.h"
#include "figures/fig_triangle.h"
#include "geometry/gr_line.h"
#include "geometry/gr_rect.h"
#include "platform/command_ids.h"

#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

class AngleMarkTest : public FigureTest {
protected:
    void SetUp() override {
        FigureTest::SetUp();
        QvAngleDefaults& g = TheSettings().m_AngleDefaults;
        g.MarkType.SetValue(QvEditDataAngle::AngleValue);
        g.PointType.SetValue(1);
        g.AngleType.SetValue(QvEditDataAngle::Degrees);
        g.TextType.SetValue(QvEditDataAngle::PlainText);
        g.Size.SetValue(6);
        g.Major.SetValue(0);
        g.AutoPerp.SetValue(1);
        g.Angled.SetValue(0);
        g.Text.SetValue(QString());
        g.DecimalPlaces.SetValue(0);
    }
    void TearDown() override { QvFigAngleMark::SetSnappedFigure(nullptr); }

    static std::unique_ptr<QvFigure> Line(QvPoint a, QvPoint b) {
        auto f = Make<QvFigLine>(QvFigLine::ToolId);
        Click(*f, a);
        Click(*f, b);
        return f;
    }
    // Made as the view makes it: the snap search names the figure under
    // each click.
    static std::unique_ptr<QvFigAngleMark>
    Mark(QvFigure* first, QvPoint c0, QvFigure* second, QvPoint c1,
         const std::function<void(QvEditDataAngle&)>& set = nullptr) {
        auto m = Make<QvFigAngleMark>(QvFigAngleMark::ToolId);
        if (set)
            set(*m->AngleData());
        QvFigAngleMark::SetSnappedFigure(first);
        EXPECT_FALSE(Click(*m, c0));
        QvFigAngleMark::SetSnappedFigure(second);
        EXPECT_TRUE(Click(*m, c1));
        QvFigAngleMark::SetSnappedFigure(nullptr);
        return m;
    }
    static void Rebuild(QvFigure& f) {
        f.MapToFrame(NullFrame);
        f.BuildFromPoints();
    }
    static double Degrees(QvVector v) { return v.GetAngle() / kDegree; }
};

// Two lines from (10000, 10000), along the x axis and at 45 degrees.
const QvPoint kV(10000, 10000);

TEST_F(AngleMarkTest, OnlyClicksOnFiguresCount) {
    auto l1 = Line(kV, kV + QvVector(6000, 0));
    auto l2 = Line(kV, kV + QvVector(6000, 6000));
    auto m = Make<QvFigAngleMark>(QvFigAngleMark::ToolId);
    EXPECT_EQ(m->GetPointCount(), 0);
    EXPECT_EQ(m->DefiningPoints().GetSize(), 3);

    QvFigAngleMark::SetSnappedFigure(nullptr);
    EXPECT_FALSE(Click(*m, QvPoint(5000, 5000)));
    EXPECT_EQ(m->GetClickCount(), 0);
    QvFigAngleMark::SetSnappedFigure(l1.get());
    EXPECT_FALSE(Click(*m, QvPoint(13000, 10000)));
    EXPECT_EQ(m->GetClickCount(), 1);
    // Nothing under the second click, then another mark: neither counts.
    QvFigAngleMark::SetSnappedFigure(nullptr);
    EXPECT_FALSE(Click(*m, QvPoint(5000, 5000)));
    auto other = Make<QvFigAngleMark>(QvFigAngleMark::ToolId);
    QvFigAngleMark::SetSnappedFigure(other.get());
    EXPECT_FALSE(Click(*m, QvPoint(5000, 5000)));
    EXPECT_EQ(m->GetClickCount(), 1);
    QvFigAngleMark::SetSnappedFigure(l2.get());
    EXPECT_TRUE(Click(*m, QvPoint(13000, 13000)));
    EXPECT_EQ(m->AngleData()->m_pFirst, l1.get());
    EXPECT_EQ(m->AngleData()->m_pSecond, l2.get());
    EXPECT_EQ(m->GetPointCount(), 3);
    EXPECT_TRUE(m->IsBuiltValid());
    ExpectPoint(m->Vertex(), kV.x, kV.y);
    EXPECT_NEAR(m->Angle() / kDegree, 45.0, 1e-9);
    EXPECT_EQ(m->GetDescription(), QString::fromUtf8("Angle = 45.00°"));
    // No grip, no hit, no point of its own.
    EXPECT_FALSE(m->HitTest(m->LabelPoint(), 1000.0));
    for (int i : {-1, 0, 1, 2, 5})
        EXPECT_TRUE(m->GetPoint(i).IsFar()) << i;
}

TEST_F(AngleMarkTest, BuildFindsTheVertexAndTheClickedAngle) {
    // Triangle A (10000, 10000), B (16000, 10000), C (10000, 16000).
    auto triangle = Make<QvFigTriangle>(QvFigTriangle::ToolId);
    Click(*triangle, QvPoint(10000, 10000));
    Click(*triangle, QvPoint(16000, 10000));
    Click(*triangle, QvPoint(10000, 16000));
    auto x = Line(QvPoint(8000, 10000), QvPoint(16000, 10000));
    auto diag = Line(QvPoint(8000, 8000), QvPoint(14000, 14000));
    auto up = Line(kV, kV + QvVector(0, 6000));
    auto side = Line(kV, kV + QvVector(6000, 0));
    auto above = Line(kV + QvVector(0, 1000), kV + QvVector(6000, 1000));
    struct Case {
        const char* name;
        QvFigure* first;
        QvPoint c0;
        QvFigure* second;
        QvPoint c1;
        bool major;
        bool valid;
        QvPoint vertex;
        double angle;    // degrees
        double bisector; // direction in degrees
        bool square;
    } cases[] = {
        {"two lines",
         x.get(),
         {13000, 10000},
         diag.get(),
         {13000, 13000},
         false,
         true,
         kV,
         45,
         22.5,
         false},
        {"two lines, the reflex angle",
         x.get(),
         {13000, 10000},
         diag.get(),
         {13000, 13000},
         true,
         true,
         kV,
         315,
         22.5 - 180,
         false},
        // Beyond the crossing the clicks choose the other halves.
        {"the far side of the crossing",
         x.get(),
         {9000, 10000},
         diag.get(),
         {9000, 9000},
         false,
         true,
         kV,
         45,
         22.5 - 180,
         false},
        {"two sides of one triangle",
         triangle.get(),
         {15000, 10000},
         triangle.get(),
         {15000, 11000},
         false,
         true,
         QvPoint(16000, 10000),
         45,
         180 - 22.5,
         false},
        {"perpendicular lines",
         side.get(),
         {13000, 10000},
         up.get(),
         {10000, 13000},
         false,
         true,
         kV,
         90,
         45,
         true},
        {"perpendicular, the reflex angle",
         side.get(),
         {13000, 10000},
         up.get(),
         {10000, 13000},
         true,
         true,
         kV,
         270,
         45 - 180,
         false},
        {"parallel lines never meet",
         side.get(),
         {13000, 10000},
         above.get(),
         {13000, 11000},
         false,
         false,
         {},
         0,
         0,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto m =
            Mark(c.first, c.c0, c.second, c.c1, [&](QvEditDataAngle& d) { d.m_major = c.major; });
        ASSERT_EQ(m->IsBuiltValid(), c.valid);
        if (!c.valid)
            continue;
        ExpectPoint(m->Vertex(), c.vertex.x, c.vertex.y, 1e-6);
        EXPECT_NEAR(m->Angle() / kDegree, c.angle, 1e-6);
        EXPECT_EQ(m->IsRightAngle(), c.square);
        const double r = m->Radius();
        EXPECT_NEAR(Degrees(m->Bisector()), c.bisector, 1e-6);
        EXPECT_NEAR(m->Bisector().Length(), r, 1e-6);
        ExpectPoint(m->LabelPoint(), c.vertex.x + m->Bisector().x, c.vertex.y + m->Bisector().y);
        // Arm ends at the mark radius (less for a square), on their figures,
        // and saved as the defining points.
        const double arm = c.square ? r * 0.7071 : r;
        for (int i = 0; i < 2; ++i) {
            EXPECT_NEAR((m->DisplayPoints()[i] - m->Vertex()).Length(), arm, 1e-6);
            EXPECT_EQ(m->DefiningPoints()[i], m->DisplayPoints()[i]);
        }
        EXPECT_EQ(m->DefiningPoints()[2], QvPoint(15000, 15000));
        EXPECT_TRUE(m->IsValid());
    }
}

TEST_F(AngleMarkTest, FollowsItsFiguresAndNothingElse) {
    auto l1 = Line(kV, kV + QvVector(6000, 0));
    auto l2 = Line(kV, kV + QvVector(6000, 6000));
    auto m = Mark(l1.get(), QvPoint(13000, 10000), l2.get(), QvPoint(13000, 13000));
    const QvPoint a0 = m->DefiningPoints()[0], a1 = m->DefiningPoints()[1];
    const auto expectUnchanged = [&](const char* what) {
        SCOPED_TRACE(what);
        Rebuild(*m);
        ExpectPoint(m->DefiningPoints()[0], a0.x, a0.y);
        ExpectPoint(m->DefiningPoints()[1], a1.x, a1.y);
        ExpectPoint(m->Vertex(), kV.x, kV.y);
    };
    m->Move(QvVector(1000, -2500));
    expectUnchanged("moved alone");
    m->Rotate(30.0, QvPoint(2000, 2000));
    expectUnchanged("rotated alone");
    m->Reflect(QvGRLine(QvPoint(0, 0), QvPoint(1, 3)));
    expectUnchanged("reflected alone");
    // Its grips slide along their figures and come back to the arm ends.
    m->MoveHandle(0, QvPoint(0, 0), QvPoint(15000, 9000), {});
    expectUnchanged("grip dragged");

    // Its figures move: it follows at the next build, on the same angle.
    l1->Move(QvVector(2000, 1000));
    l2->Move(QvVector(2000, 1000));
    Rebuild(*m);
    ExpectPoint(m->Vertex(), 12000, 11000);
    ExpectPoint(m->DefiningPoints()[0], a0.x + 2000, a0.y + 1000);
    // Turning one line changes the angle; the chosen halves stay.
    l2->MoveHandle(1, QvPoint(12000, 17000), QvPoint(12000, 17000), {});
    Rebuild(*m);
    EXPECT_NEAR(m->Angle() / kDegree, 90.0, 1e-9);
    EXPECT_TRUE(m->IsRightAngle());
}

TEST_F(AngleMarkTest, ValueLabelText) {
    auto l1 = Line(kV, kV + QvVector(6000, 0));
    auto l2 = Line(kV, kV + QvVector(6000, 6000));
    auto m = Mark(l1.get(), QvPoint(13000, 10000), l2.get(), QvPoint(13000, 13000));
    struct Case {
        LONG unit;
        short decimals;
        const char* text;
    } cases[] = {
        {QvEditDataAngle::Degrees, 0, "45°"},
        {QvEditDataAngle::Degrees, 2, "45.00°"},
        {QvEditDataAngle::Radians, 2, "0.79"},
        {QvEditDataAngle::Grads, 1, "50.0"},
        {QvEditDataAngle::Degrees, 7, "°"},
        {QvEditDataAngle::Radians, -1, ""},
        {9, 2, ""},
    };
    for (const Case& c : cases) {
        m->AngleData()->m_angleType = c.unit;
        m->AngleData()->m_decimalPlaces = c.decimals;
        EXPECT_EQ(m->ValueText(), QString::fromUtf8(c.text)) << c.unit << " " << c.decimals;
    }
    m->AngleData()->m_markType = QvEditDataAngle::SingleArc;
    EXPECT_EQ(m->ValueText(), QString());
}

// The record after the four common fields, as the file holds it.
TEST_F(AngleMarkTest, RecordFormatAndCopy) {
    QvEditDataAngle d;
    d.m_markType = 5;
    d.m_pointType = 6;
    d.m_angleType = 2;
    d.m_textType = 1;
    d.m_text = QStringLiteral("x^2");
    d.m_autoPerpendicular = 0;
    d.m_angled = 1;
    d.m_size = 12;
    d.m_firstPart = 2;
    d.m_secondPart = -1;
    d.m_major = 1;
    d.m_secondRay = 1;
    d.m_firstRay = 0;
    d.m_decimalPlaces = 3;
    d.m_font.m_logFont.lfHeight = -19;
    d.m_font.m_logFont.lfEscapement = 450;
    d.m_font.SetFaceName(QStringLiteral("Arial"));
    d.m_font.m_color = RGB(1, 2, 3);
    d.m_font.m_drawHeight = 423;

    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        CArchive ar(&buffer, CArchive::store);
        d.Serialize(ar);
    }
    // 16 common, version, four types, the text, two flags, size, two null
    // references, parts, major, rays, the font block and decimals.
    ASSERT_EQ(bytes.size(), 16 + 2 + 16 + 4 + 2 + 4 + 4 + 8 + 1 + 8 + 72 + 2);
    const int font = 16 + 2 + 16 + 4 + 2 + 4 + 4 + 8 + 1 + 8;
    EXPECT_EQ(bytes.mid(16, 2), Hex("01 00"));
    EXPECT_EQ(bytes.mid(font, 12), Hex("00 00 00 00 ED FF FF FF 00 00 00 00"));
    EXPECT_EQ(bytes.mid(font + 4 + 28, 5), QByteArray("Arial"));
    EXPECT_EQ(bytes.mid(font + 64, 8), Hex("01 02 03 00 A7 01 00 00"));
    EXPECT_EQ(bytes.right(2), Hex("03 00"));

    QvEditDataAngle back;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        CArchive ar(&buffer, CArchive::load);
        back.Serialize(ar);
    }
    QvEditDataAngle copy;
    copy.CopyFrom(back);
    for (const QvEditDataAngle* r : {&back, &copy}) {
        EXPECT_EQ(r->m_text, d.m_text);
        EXPECT_EQ(r->m_font, d.m_font);
        EXPECT_EQ(r->m_markType, 5);
        EXPECT_EQ(r->m_firstPart, 2);
        EXPECT_EQ(r->m_firstRay, 0);
        EXPECT_EQ(r->m_decimalPlaces, 3);
        EXPECT_EQ(r->m_angled, 1);
    }

    // A record before version 1 keeps the defaults and marks nothing.
    QByteArray old = bytes.left(16) + Hex("00 00");
    QvEditDataAngle early;
    QBuffer buffer(&old);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    early.Serialize(ar);
    EXPECT_EQ(early.m_markType, QvEditDataAngle::AngleValue);
    EXPECT_EQ(early.m_pFirst, nullptr);
}

// A record from a damaged file: rays, size and decimals out of range.
TEST_F(AngleMarkTest, DamagedRecordBuildsAndDrawsSafely) {
    auto l1 = Line(kV, kV + QvVector(6000, 0));
    auto l2 = Line(kV, kV + QvVector(6000, 6000));
    auto m = Mark(l1.get(), QvPoint(13000, 10000), l2.get(), QvPoint(13000, 13000));
    QvEditDataAngle& d = *m->AngleData();
    d.m_firstRay = 7;
    d.m_secondRay = -5;
    d.m_size = 2000000000;
    d.m_decimalPlaces = 99;
    d.m_markType = QvEditDataAngle::TripleArc;
    Rebuild(*m);
    EXPECT_TRUE(m->IsBuiltValid());
    // Chosen again by the clicks: both away from the vertex.
    EXPECT_EQ(d.m_firstRay, 1);
    EXPECT_EQ(d.m_secondRay, 1);
    EXPECT_EQ(m->Radius(), QvEditDataAngle::MaxSize * 80.0);
    HimetricPage page;
    page.Draw([&](CDC& dc) { DrawNormal(*m, dc); });
    EXPECT_TRUE(std::isfinite(double(m->GetBoundRect().Width())));
}

// Pixels of a mark drawn at vertex v (pixels) in either mapping mode, with
// the arms at 0 and 60 degrees on the page.
struct Sector {
    QPointF v;
    double from, to; // degrees, counter-clockwise as the page shows them
    double radius;   // pixels
    // How far a pixel lies outside the sector.
    double Outside(QPoint p) const {
        const QPointF d(p.x() - v.x(), v.y() - p.y());
        const double r = std::hypot(d.x(), d.y());
        const double a = std::atan2(d.y(), d.x()) / kDegree;
        if (r < 1.0 || (a >= from && a <= to))
            return std::max(0.0, r - radius);
        double best = 1e9;
        for (double edge : {from, to}) {
            const QPointF u(std::cos(edge * kDegree), std::sin(edge * kDegree));
            const double t = std::clamp(d.x() * u.x() + d.y() * u.y(), 0.0, radius);
            best = std::min(best, std::hypot(d.x() - t * u.x(), d.y() - t * u.y()));
        }
        return best;
    }
    QPoint At(double degrees, double r) const {
        return QPoint(int(std::lround(v.x() + r * std::cos(degrees * kDegree))),
                      int(std::lround(v.y() - r * std::sin(degrees * kDegree))));
    }
};

bool InkNear(const QImage& image, QPoint p, int reach) {
    for (int y = p.y() - reach; y <= p.y() + reach; ++y)
        for (int x = p.x() - reach; x <= p.x() + reach; ++x)
            if (image.valid(x, y) && image.pixel(x, y) != kPaper)
                return true;
    return false;
}

TEST_F(AngleMarkTest, ArcsAndPieLieInsideTheMarkedAngle) {
    for (int mode : {MM_TEXT, MM_HIMETRIC}) {
        SCOPED_TRACE(mode == MM_TEXT ? "MM_TEXT" : "MM_HIMETRIC");
        // Model units per pixel; the vertex is pixel (100, 350) either way.
        const double s = mode == MM_TEXT ? 1.0 : 2540.0 / 96.0;
        const bool up = mode == MM_HIMETRIC;
        const QvPoint v(100 * s, (up ? 50 : 350) * s);
        // 60 degrees up the page from the x axis.
        const QvVector dir(std::cos(60 * kDegree), (up ? 1 : -1) * std::sin(60 * kDegree));
        auto l1 = Line(v, v + QvVector(400 * s, 0));
        auto l2 = Line(v, v + dir * (300 * s));
        const Sector sector{QPointF(100, 350), 0, 60, 0};
        for (LONG type :
             {QvEditDataAngle::SingleArc, QvEditDataAngle::DoubleArc, QvEditDataAngle::TripleArc}) {
            SCOPED_TRACE(type);
            auto m = Mark(l1.get(), v + QvVector(200 * s, 0), l2.get(), v + dir * (100 * s),
                          [&](QvEditDataAngle& d) {
                              d.m_markType = type;
                              // About 160 pixels either way.
                              d.m_size = mode == MM_TEXT ? 2 : 53;
                              d.m_fillStyle = ID_FILL_SOLID; // solid
                              d.m_fillColor = RGB(255, 0, 0);
                          });
            const double r = m->Radius() / s;
            const double outer = r + (type == QvEditDataAngle::SingleArc ? 0 : 80 / s);
            QImage image = Page(96, 500, 400);
            {
                CDC dc(&image);
                Prepare(dc, mode);
                if (up)
                    dc.SetViewportOrg(0, image.height());
                DrawNormal(*m, dc);
            }
            Sector bound = sector;
            bound.radius = outer;
            // Smoothed edges reach a pixel or so past the exact outline.
            int outside = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixel(x, y) != kPaper && bound.Outside(QPoint(x, y)) > 2.5)
                        ++outside;
            EXPECT_EQ(outside, 0);
            // The arc runs across the angle at R (GDI's boxes leave out their
            // right and bottom edges: a pixel or two inside); the pie is
            // filled within.
            for (double a : {10.0, 30.0, 50.0})
                EXPECT_TRUE(InkNear(image, sector.At(a, r), 2)) << a;
            const QRgb red = qRgb(255, 0, 0);
            EXPECT_EQ(image.pixel(sector.At(30, r / 3)), red);
            // Three arcs fill only within the inner one.
            const QRgb between = image.pixel(sector.At(30, r - 40 / s));
            EXPECT_EQ(between == red, type != QvEditDataAngle::TripleArc);
        }
    }
}

// The bounds hold all the mark draws, whatever the mark type, and the
// vertex; a right angle draws its square and nothing else.
TEST_F(AngleMarkTest, BoundsHoldEverythingDrawn) {
    const QvPoint v(3000, 1500);
    auto l1 = Line(v, v + QvVector(6000, 0));
    auto l2 = Line(v, v + QvVector(-3000, 3000));
    auto l3 = Line(v, v + QvVector(0, 3000));
    struct Case {
        LONG type;
        LONG textType;
        bool angled;
        bool square;
    } cases[] = {
        {QvEditDataAngle::PointMarker, 0, false, false},
        {QvEditDataAngle::TripleArc, 0, false, false},
        {QvEditDataAngle::AngleValue, 0, true, false},
        {QvEditDataAngle::TextLabel, QvEditDataAngle::PlainText, true, false},
        {QvEditDataAngle::TextLabel, QvEditDataAngle::Equation, false, false},
        {QvEditDataAngle::TextLabel, QvEditDataAngle::ChemEquation, false, false},
        {QvEditDataAngle::AngleValue, 0, false, true},
        {QvEditDataAngle::TextLabel, QvEditDataAngle::PlainText, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " " << c.textType << " " << c.square);
        auto m = Mark(l1.get(), v + QvVector(4000, 0), c.square ? l3.get() : l2.get(),
                      v + QvVector(c.square ? 0 : -2000, 2000), [&](QvEditDataAngle& d) {
                          d.m_markType = c.type;
                          d.m_textType = c.textType;
                          d.m_angled = c.angled;
                          d.m_text = QStringLiteral("a label x/2");
                          d.m_size = 12;
                          d.m_font.m_drawHeight = 600;
                      });
        const QByteArray before = Store(m->GetEditData());
        HimetricPage page(400, 200);
        page.Draw([&](CDC& dc) { DrawNormal(*m, dc); });
        // Drawing a turned label changes nothing that is saved.
        EXPECT_EQ(Store(m->GetEditData()), before);
        const QRect ink = InkBounds(page.image);
        ASSERT_FALSE(ink.isEmpty());
        CRect b = m->GetBoundRect();
        b.NormalizeRect();
        EXPECT_TRUE(b.PtInRect(CPoint(int(v.x), int(v.y))));
        const QRect bound =
            QRect(page.Pixel(b.left, b.bottom), page.Pixel(b.right, b.top)).adjusted(-1, -1, 1, 1);
        EXPECT_TRUE(bound.contains(ink))
            << "ink " << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
        if (c.square) {
            // Only the square: sides of R x 0.7071 x 0.7 from the vertex.
            const int side = int(std::ceil(m->Radius() * 0.7071 * 0.7 * 96 / 2540)) + 2;
            const QPoint corner = page.Pixel(v.x, v.y);
            EXPECT_TRUE(QRect(corner.x() - 1, corner.y() - side, side + 2, side + 2).contains(ink));
        }
    }
}

// The label straddles the label point in either mapping mode: in MM_TEXT
// half the pixel height of the font, not of its drawing height, moves it.
TEST_F(AngleMarkTest, LabelsSitOnTheLabelPointInEitherMappingMode) {
    for (int mode : {MM_TEXT, MM_HIMETRIC}) {
        SCOPED_TRACE(mode == MM_TEXT ? "MM_TEXT" : "MM_HIMETRIC");
        const double s = mode == MM_TEXT ? 1.0 : 2540.0 / 96.0;
        const bool up = mode == MM_HIMETRIC;
        const QvPoint v(50 * s, (up ? 50 : 150) * s);
        auto l1 = Line(v, v + QvVector(200 * s, 0));
        auto l2 = Line(v, v + QvVector(0, (up ? 1 : -1) * 150 * s));
        for (bool angled : {false, true}) {
            auto m = Mark(l1.get(), v + QvVector(100 * s, 0), l2.get(),
                          v + QvVector(0, (up ? 1 : -1) * 100 * s), [&](QvEditDataAngle& d) {
                              d.m_autoPerpendicular = 0;
                              d.m_angled = angled;
                              d.m_size = mode == MM_TEXT ? 1 : 30; // 80 or 90 pixels
                              d.m_font.m_logFont.lfHeight = -16;
                              d.m_font.m_drawHeight = 423; // 16 pixels at 96 dpi
                          });
            QImage image = Page(96, 300, 200);
            {
                CDC dc(&image);
                Prepare(dc, mode);
                if (up)
                    dc.SetViewportOrg(0, image.height());
                DrawNormal(*m, dc);
            }
            const QPoint label(
                int(std::lround(m->LabelPoint().x / s)),
                int(std::lround(up ? image.height() - m->LabelPoint().y / s : m->LabelPoint().y)));
            const QRect ink = InkBounds(image);
            ASSERT_FALSE(ink.isEmpty());
            EXPECT_LE((ink.center() - label).manhattanLength(), 6)
                << angled << " ink centre " << ink.center().x() << "," << ink.center().y()
                << " label point " << label.x() << "," << label.y();
        }
    }
}

// A new mark's value stands inside its angle and touches neither arm,
// however narrow or wide the angle and whichever way the label turns.
TEST_F(AngleMarkTest, TheDefaultLabelStandsInsideTheAngleClearOfBothArms) {
    struct Case {
        double degrees; // the second arm, counter-clockwise from the first
        bool major;
        bool angled;
    } cases[] = {{20, false, false},  {38, false, false}, {38, false, true}, {60, false, false},
                 {135, false, false}, {160, false, true}, {60, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.degrees << (c.major ? " major" : "") << (c.angled ? " angled" : ""));
        const QvPoint v(3000, 4000);
        const QvVector along(std::cos(c.degrees * kDegree), std::sin(c.degrees * kDegree));
        auto l1 = Line(v + QvVector(-2000, 0), v + QvVector(8000, 0));
        auto l2 = Line(v, v + along * 8000);
        auto m = Mark(l1.get(), v + QvVector(4000, 0), l2.get(), v + along * 4000,
                      [&](QvEditDataAngle& d) {
                          d.m_major = c.major;
                          d.m_angled = c.angled;
                          d.m_font.m_color = RGB(255, 0, 0);
                      });
        HimetricPage bare(400, 300), marked(400, 300);
        bare.Draw([&](CDC& dc) {
            DrawNormal(*l1, dc);
            DrawNormal(*l2, dc);
        });
        marked.Draw([&](CDC& dc) {
            DrawNormal(*l1, dc);
            DrawNormal(*l2, dc);
            DrawNormal(*m, dc);
        });
        const QPoint vertex = bare.Pixel(v.x, v.y);
        int label = 0, onArm = 0, outside = 0;
        ForEachAdded(bare, marked, [&](int x, int y, bool ink) {
            ++label;
            // The arms' own pixels stay as they were.
            onArm += ink;
            const double a = std::atan2(vertex.y() - y, x - vertex.x()) / kDegree;
            const bool within = a >= 0 && a <= c.degrees;
            if (within == c.major)
                ++outside;
        });
        EXPECT_GT(label, 20);
        EXPECT_EQ(onArm, 0);
        EXPECT_EQ(outside, 0);
        // The bounds still hold it.
        CRect b = m->GetBoundRect();
        b.NormalizeRect();
        const QRect bound = QRect(marked.Pixel(b.left, b.bottom), marked.Pixel(b.right, b.top))
                                .adjusted(-1, -1, 1, 1);
        EXPECT_TRUE(bound.contains(DiffBounds(bare.image, marked.image)));
    }
}

TEST_F(AngleMarkTest, GripsOnTheArmEndsOnlyAndOnlyWhenBuilt) {
    auto l1 = Line(kV, kV + QvVector(6000, 0));
    auto l2 = Line(kV, kV + QvVector(6000, 6000));
    auto parallel = Line(kV + QvVector(0, 500), kV + QvVector(6000, 500));
    auto m = Mark(l1.get(), QvPoint(13000, 10000), l2.get(), QvPoint(13000, 13000));
    HimetricPage page(600, 500);
    const QvVector shift(-8000, -8000); // onto the page
    l1->Move(shift);
    l2->Move(shift);
    Rebuild(*m);
    page.Draw([&](CDC& dc) { m->DrawHandles(&dc); });
    const QvPoint* arms = &m->DefiningPoints()[0];
    const QRect ink = InkBounds(page.image);
    const QRect grips = QRect(page.Pixel(arms[0].x, arms[0].y), page.Pixel(arms[1].x, arms[1].y))
                            .normalized()
                            .adjusted(-8, -8, 8, 8);
    EXPECT_FALSE(ink.isEmpty());
    EXPECT_TRUE(grips.contains(ink));

    auto invalid = Mark(l1.get(), QvPoint(5000, 2000), parallel.get(), QvPoint(5000, 2500));
    ASSERT_FALSE(invalid->IsBuiltValid());
    HimetricPage blank(600, 500);
    blank.Draw([&](CDC& dc) {
        invalid->DrawHandles(&dc);
        DrawNormal(*invalid, dc);
    });
    EXPECT_TRUE(InkBounds(blank.image).isEmpty());
}

} // namespace
