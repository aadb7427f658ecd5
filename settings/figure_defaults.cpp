#include "settings/figure_defaults.h"

#include "platform/command_ids.h"
#include "settings/group_io.h"

#include <QLocale>

namespace {
const QString kLine = QStringLiteral("Line");
const QString kArc = QStringLiteral("Arc");
const QString kAngle = QStringLiteral("Angle");
const QString kText = QStringLiteral("Text");
const QString kEquation = QStringLiteral("Equation");
const QString kGridPoints = QStringLiteral("GridPoints");
const QString kNormDist = QStringLiteral("NormDist");
const QString kGridDot = QStringLiteral("GridDot");

std::function<char()>& DecimalPointSource() {
    static std::function<char()> source;
    return source;
}
} // namespace

// --- Line ----------------------------------------------------------------------

QvLineDefaults::QvLineDefaults() {
    Start.Init(kLine, QStringLiteral("Start"), 10);
    StartSize.Init(kLine, QStringLiteral("Start Size"), 12);
    Stop.Init(kLine, QStringLiteral("Stop"), 12);
    StopSize.Init(kLine, QStringLiteral("Stop Size"), 12);
    Mid.Init(kLine, QStringLiteral("Mid"), 10);
    MidSize.Init(kLine, QStringLiteral("Mid Size"), 12);
    MidPos.Init(kLine, QStringLiteral("Mid Pos"), 0.5);
    Info.Init(kLine, QStringLiteral("Info"), QString());
    Font.Init(kLine, QStringLiteral("Font"), QvLogFont());
    InfoPos.Init(kLine, QStringLiteral("Info Pos"), 0.5);
    VPos.Init(kLine, QStringLiteral("VPos"), 8);
    InfoType.Init(kLine, QStringLiteral("Info Type"), 0);
}

template <class F> static void Visit(QvLineDefaults& g, F f) {
    f(g.Start), f(g.StartSize), f(g.Stop), f(g.StopSize), f(g.Mid), f(g.MidSize), f(g.MidPos);
    f(g.Info), f(g.Font), f(g.InfoPos), f(g.VPos), f(g.InfoType);
}
LUMBREL_GROUP_IO(QvLineDefaults)

// --- Smoothline / Bezier ---------------------------------------------------------

void QvLineEndDefaults::Init(const QString& section) {
    VLen.Init(section, QStringLiteral("VLen"), 750);
    Start.Init(section, QStringLiteral("Start"), 10);
    StartSize.Init(section, QStringLiteral("Start Size"), 12);
    Stop.Init(section, QStringLiteral("Stop"), 10);
    StopSize.Init(section, QStringLiteral("Stop Size"), 12);
    Mid.Init(section, QStringLiteral("Mid"), 10);
    MidSize.Init(section, QStringLiteral("Mid Size"), 12);
    MidPos.Init(section, QStringLiteral("Mid Pos"), 0.5);
    Closed.Init(section, QStringLiteral("Closed"), 0);
    LineType.Init(section, QStringLiteral("Line Type"), 0);
    Width.Init(section, QStringLiteral("Width"), 250);
}

template <class F> static void Visit(QvLineEndDefaults& g, F f) {
    f(g.Start), f(g.StartSize), f(g.Stop), f(g.StopSize), f(g.Mid), f(g.MidSize), f(g.MidPos);
    f(g.Closed), f(g.LineType), f(g.Width);
}
LUMBREL_GROUP_IO(QvLineEndDefaults)

// --- Circle, Point ---------------------------------------------------------------

QvCircleDefaults::QvCircleDefaults(const QString& key) {
    Centre.Init(QStringLiteral("Circle"), key, 0);
}

template <class F> static void Visit(QvCircleDefaults& g, F f) {
    f(g.Centre);
}
LUMBREL_GROUP_IO(QvCircleDefaults)

QvPointDefaults::QvPointDefaults() {
    Mark.Init(QStringLiteral("Point"), QStringLiteral("Mark"), 3);
}

template <class F> static void Visit(QvPointDefaults& g, F f) {
    f(g.Mark);
}
LUMBREL_GROUP_IO(QvPointDefaults)

// --- Arc -------------------------------------------------------------------------

QvArcDefaults::QvArcDefaults() {
    Centre.Init(kArc, QStringLiteral("Centre"), 0);
    Start.Init(kArc, QStringLiteral("Start"), 10);
    StartSize.Init(kArc, QStringLiteral("Start Size"), 12);
    Stop.Init(kArc, QStringLiteral("Stop"), 10);
    StopSize.Init(kArc, QStringLiteral("Stop Size"), 12);
    Mid.Init(kArc, QStringLiteral("Mid"), 10);
    MidSize.Init(kArc, QStringLiteral("Mid Size"), 12);
    MidPos.Init(kArc, QStringLiteral("MidPos"), 0.5);
    CloseType.Init(kArc, QStringLiteral("Close Type"), 0);
    Major.Init(kArc, QStringLiteral("Major"), 0);
}

template <class F> static void Visit(QvArcDefaults& g, F f) {
    f(g.Start), f(g.StartSize), f(g.Stop), f(g.StopSize), f(g.Mid), f(g.MidSize), f(g.MidPos);
    f(g.Centre), f(g.CloseType), f(g.Major);
}
LUMBREL_GROUP_IO(QvArcDefaults)

// --- Angle -----------------------------------------------------------------------

QvAngleDefaults::QvAngleDefaults() {
    MarkType.Init(kAngle, QStringLiteral("MarkType"), 4);
    PointType.Init(kAngle, QStringLiteral("PointType"), 1);
    AngleType.Init(kAngle, QStringLiteral("AngleType"), 0);
    TextType.Init(kAngle, QStringLiteral("TextType"), 0);
    Size.Init(kAngle, QStringLiteral("Size"), 6);
    Major.Init(kAngle, QStringLiteral("Major"), 0);
    AutoPerp.Init(kAngle, QStringLiteral("AutoPerp"), 1);
    Angled.Init(kAngle, QStringLiteral("Angled"), 0);
    Text.Init(kAngle, QStringLiteral("Text"), QString());
    Font.Init(kAngle, QStringLiteral("Font"), QvLogFont());
    DecimalPlaces.Init(kAngle, QStringLiteral("Decimal Places"), 0);
}

template <class F> static void Visit(QvAngleDefaults& g, F f) {
    f(g.MarkType), f(g.PointType), f(g.AngleType), f(g.TextType), f(g.Size), f(g.Major);
    f(g.AutoPerp), f(g.Angled), f(g.Text), f(g.Font), f(g.DecimalPlaces);
}
LUMBREL_GROUP_IO(QvAngleDefaults)

// --- Text ------------------------------------------------------------------------

QvTextDefaults::QvTextDefaults() {
    Justify.Init(kText, QStringLiteral("Justify"), 0);
    Rotatable.Init(kText, QStringLiteral("Rotatable"), 1);
    Font.Init(kText, QStringLiteral("Font"), QvLogFont());
}

template <class F> static void Visit(QvTextDefaults& g, F f) {
    f(g.Rotatable), f(g.Justify), f(g.Font);
}
LUMBREL_GROUP_IO(QvTextDefaults)

// --- Equation --------------------------------------------------------------------

char SystemDecimalPoint() {
    if (DecimalPointSource())
        return DecimalPointSource()();
    QString point = QLocale::system().decimalPoint();
    // The options hold one byte; a mark outside Latin-1 cannot be typed as one.
    if (point.size() != 1 || point[0].unicode() > 0xFF)
        return '.';
    return char(point[0].unicode());
}

std::function<char()> SetDecimalPointSource(std::function<char()> source) {
    std::function<char()> old = std::move(DecimalPointSource());
    DecimalPointSource() = std::move(source);
    return old;
}

QvEquationDefaults::QvEquationDefaults() {
    DecimalPoint.Init(kEquation, QStringLiteral("DecimalPoint"), '.');
    Separator.Init(kEquation, QStringLiteral("Separator"), ',');
    LowerCase.Init(kEquation, QStringLiteral("LowerCase"), 1);
    DisplayVect.Init(kEquation, QStringLiteral("DisplayVect"), 0);
    DoubleCaps.Init(kEquation, QStringLiteral("DoubleCaps"), 1);
    TabWidth.Init(kEquation, QStringLiteral("TabWidth"), 1000);
    VerticalSpacing.Init(kEquation, QStringLiteral("VerticalSpacing"), 200);
    RaiseDecimal.Init(kEquation, QStringLiteral("RaiseDecimal"), 0);
    IgnoreSeparator.Init(kEquation, QStringLiteral("IgnoreSeparator"), 0);
    FunctionsItalic.Init(kEquation, QStringLiteral("FunctionsItalic"), 0);
    FunctionsBold.Init(kEquation, QStringLiteral("FunctionsBold"), 0);
    VariablesItalic.Init(kEquation, QStringLiteral("VariablesItalic"), 1);
    VariablesBold.Init(kEquation, QStringLiteral("VariablesBold"), 0);
    GreekItalic.Init(kEquation, QStringLiteral("GreekItalic"), 0);
    GreekBold.Init(kEquation, QStringLiteral("GreekBold"), 0);
    for (int i = 0; i < 26; ++i) {
        char letter = char('a' + i);
        bool vector = letter == 'i' || letter == 'j' || letter == 'k' || letter == 'r';
        Letter[i].Init(kEquation, QString(QChar(letter)), vector ? 1 : 0);
    }
    DotMultiply.Init(kEquation, QStringLiteral("DotMultiply"), 0);
}

template <class F> static void Visit(QvEquationDefaults& g, F f) {
    f(g.LowerCase), f(g.DisplayVect), f(g.DoubleCaps), f(g.TabWidth), f(g.VerticalSpacing);
    f(g.RaiseDecimal), f(g.IgnoreSeparator), f(g.FunctionsItalic), f(g.FunctionsBold);
    f(g.VariablesItalic), f(g.VariablesBold), f(g.GreekItalic), f(g.GreekBold), f(g.DotMultiply);
    for (QvSettingBool& letter : g.Letter)
        f(letter);
}

BOOL QvEquationDefaults::Read(CWinApp* app, CFile* file) {
    char point = SystemDecimalPoint();
    DecimalPoint.SetValue(point);
    Separator.SetValue(point == '.' ? ',' : ';');
    Visit(*this, [&](auto& s) { s.Read(app, file); });
    return TRUE;
}

BOOL QvEquationDefaults::Write(CWinApp* app, CFile* file, BOOL defaults) {
    Visit(*this, [&](auto& s) { s.Write(app, file, defaults); });
    return TRUE;
}

// --- GridPoints, NormDist, GridDot --------------------------------------------------

QvGridPointsDefaults::QvGridPointsDefaults() {
    Size.Init(kGridPoints, QStringLiteral("Size"), 500);
    Isometric.Init(kGridPoints, QStringLiteral("Isometric"), 0);
    ShowGrid.Init(kGridPoints, QStringLiteral("ShowGrid"), 1);
}

template <class F> static void Visit(QvGridPointsDefaults& g, F f) {
    f(g.Size), f(g.Isometric), f(g.ShowGrid);
}
LUMBREL_GROUP_IO(QvGridPointsDefaults)

QvNormDistDefaults::QvNormDistDefaults() {
    Arrow.Init(kNormDist, QStringLiteral("Arrow"), 12);
    Arrow_Size.Init(kNormDist, QStringLiteral("Arrow_Size"), 12);
    yAxis.Init(kNormDist, QStringLiteral("yAxis"), 0);
    Baseline.Init(kNormDist, QStringLiteral("Baseline"), 1);
    Shade.Init(kNormDist, QStringLiteral("Shade"), 1);
    Inverse.Init(kNormDist, QStringLiteral("Inverse"), 0);
}

template <class F> static void Visit(QvNormDistDefaults& g, F f) {
    f(g.Arrow), f(g.Arrow_Size), f(g.Shade), f(g.Inverse), f(g.yAxis), f(g.Baseline);
}
LUMBREL_GROUP_IO(QvNormDistDefaults)

QvGridDotDefaults::QvGridDotDefaults() {
    Style.Init(kGridDot, QStringLiteral("Style"), 1);
    Coord.Init(kGridDot, QStringLiteral("Coord"), 0);
    xLog.Init(kGridDot, QStringLiteral("xLog"), 0);
    yLog.Init(kGridDot, QStringLiteral("yLog"), 0);
    MajorSize.Init(kGridDot, QStringLiteral("MajorSize"), 20.0);
    MinorSize.Init(kGridDot, QStringLiteral("MinorSize"), 2.0);
    MajorAngle.Init(kGridDot, QStringLiteral("MajorAngle"), 45.0);
    MinorAngle.Init(kGridDot, QStringLiteral("MinorAngle"), 15.0);
    PointType.Init(kGridDot, QStringLiteral("PointType"), 2);
    xGridMajorColor.Init(kGridDot, QStringLiteral("xGridMajorColor"), 0x808080);
    xGridMinorColor.Init(kGridDot, QStringLiteral("xGridMinorColor"), 0x808080);
    yGridMajorColor.Init(kGridDot, QStringLiteral("yGridMajorColor"), 0xC0C0C0);
    yGridMinorColor.Init(kGridDot, QStringLiteral("yGridMinorColor"), 0xC0C0C0);
    xGridMajorPen.Init(kGridDot, QStringLiteral("xGridMajorPen"), ID_LINE_SOLID1);
    xGridMinorPen.Init(kGridDot, QStringLiteral("xGridMinorPen"), ID_LINE_DOT);
    yGridMajorPen.Init(kGridDot, QStringLiteral("yGridMajorPen"), ID_LINE_SOLID1);
    yGridMinorPen.Init(kGridDot, QStringLiteral("yGridMinorPen"), ID_LINE_DOT);
}

template <class F> static void Visit(QvGridDotDefaults& g, F f) {
    f(g.Style), f(g.Coord), f(g.xLog), f(g.yLog), f(g.MajorSize), f(g.MinorSize);
    f(g.MajorAngle), f(g.MinorAngle), f(g.PointType), f(g.xGridMajorColor);
    f(g.xGridMinorColor), f(g.yGridMajorColor), f(g.yGridMinorColor), f(g.xGridMajorPen);
    f(g.xGridMinorPen), f(g.yGridMajorPen), f(g.yGridMinorPen);
}
LUMBREL_GROUP_IO(QvGridDotDefaults)
