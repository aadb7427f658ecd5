#pragma once
// One function slot of a function graph: the text of a function, relation
// or inequality turned into tokens, read for its left side and its domain,
// compiled into a postfix program and evaluated over doubles.
//
// Everything here has a fixed size and stays within it: the token list
// holds 99 tokens, the program 99 entries (a two-part function 49 for its
// first part and 50 for its second).  A text that does not fit gets no
// program at all, never a shortened one, and Compile says so.
#include "graphs/analysed_point.h"
#include "graphs/function_token.h"
#include "graphs/graph_data_function.h"
#include "platform/gdi_types.h"
#include "platform/object.h"
#include "text/equation_options.h"
#include "text/log_font.h"
#include "platform/win_types.h"

#include <QString>

#include <cstdint>
#include <utility>

class CDC;

// One point of a plotted curve.  Until polar and x-of-y curves are turned
// into plane points, x is the free variable and y the value.
struct QvCurveSample {
    double x = 0.0;
    double y = 0.0;
    float slope = 0.0f;  // f' at the sample, for the derivative dots
    int32_t visible = 0; // 1: drawn
    int32_t outside = 0; // 1: the curve is off the window here
};

class QvFunction : public CObject {
    DECLARE_SERIAL(QvFunction)
public:
    static constexpr int kTokens = 100;    // entry 0 is not used
    static constexpr int kProgram = 100;   // entry 0 is not used
    static constexpr int kSecondPart = 50; // where a two-part function's second program starts
    // What Compile and ParseDomain answer.
    static constexpr int kFits = 0;
    static constexpr int kTooLong = 1; // the text does not fit: no program, or the default domain
    // The value of the "*" token that follows the -1 of a minus sign: that
    // product binds to the operand after it, so 2^-X is 2^(-X).
    static constexpr double kSignProduct = 1.0;
    // The program's pi, to ten digits, wherever a function meets it.
    static constexpr double kPi = 3.141592654;
    // What ValueAt answers where the curve has no value.
    static constexpr double kNoValue = 1000000000001.1;
    static constexpr int kAnalysedPoints = 99;
    // Samples 0 to 500 span the sampled interval; three more lie past it.
    static constexpr int kSamples = 504;
    static constexpr int kSampleSteps = 500;
    static constexpr int kDevicePoints = 510;

    QvFunction();

    // The initial state: no program, the reset range and end marks.
    void Reset();
    // Stores or loads the display record and nothing else.
    void Serialize(CArchive& ar) override;
    // The shown window and the angle mode (0 degrees, 1 radians, 2 grads).
    virtual void SetRange(double xmin, double xmax, double ymin, double ymax, int mode);
    // Tokenises the expression, reads its left side and writes the program.
    // kTooLong, with no program, when the text does not fit.
    virtual int Compile();
    // Appends the analysed points within 100 device units of (x, y) to the
    // list, while it has room, each with its index here; the caller fills
    // in the function.  Clears the picked point.
    virtual void AddPointsNear(int x, int y, QvPickedPointList* list);
    // The picked analysed point: its index, -1 none, -2 the curve itself.
    virtual void SetCurrentPoint(int index);
    // World to device on the display record's window and plot rectangle.
    // An x off the window, on either side, maps to the left edge; a y below
    // it to the bottom edge and above it to 15 units past the top (15 short
    // of it while y grows upwards).  An empty window maps everything to the
    // left (or bottom) edge.
    virtual double XToDevice(double x) const;
    virtual double YToDevice(double y) const;
    // Device to world, held to the window and 15 world units past its far
    // end.  An empty plot rectangle gives the left (or bottom) edge.
    double DeviceToX(double px) const;
    double DeviceToY(double py) const;

    // Fills the token list; FALSE when the text holds more tokens than fit
    // (the list then holds the first 99).  A space ends the word being
    // gathered and is otherwise skipped.
    BOOL Tokenize(QString text);
    static QvTokenCode ClassifyToken(QString word);
    // Reads a left side ("Y=", "X>", "F(X)=", "R=") from token s; sets the
    // kind and the relation and returns the index of the right side.
    int ParseLeftSide(int s);
    // Sets the domain from the range text.  kTooLong, with the kind's
    // defaults, when the text does not fit.  The token list afterwards
    // holds the range text's tokens.
    int ParseDomain();
    // (t, f(t)), or (x(t), y(t)) for a two-part function.  Allocates nothing.
    std::pair<double, double> Evaluate(double t) const;

    // The token at index i; the end beyond the list.
    const QvFunctionToken& Token(int i) const;
    bool HasProgram() const { return program[1].code != TokEnd; }

    // f'(t) as a backward difference over 1e-10.
    double Derivative(double t) const;
    // f''(t) as a forward second difference over a thousandth of the
    // sample spacing.
    double SecondDerivative(double t) const;
    // Each rewrites analysed point r in place: refined towards f = c,
    // f' = c or f'' = c, with its final kind, or kind 6 when the refined
    // point misses its tolerance.
    void RefineIntercept(int r, double c);
    void RefineTurningPoint(int r, double c);
    void RefineInflection(int r, double c);
    // The text that names an analysed point's kind ("  : Local Maximum "),
    // empty for kinds that have none.
    static QString KindLabel(int kind);
    // "(x, y)   " of an analysed point, with the digits its kind shows.
    QString PointCoordinates(const QvAnalysedPoint& point) const;
    // Whether the curve passes within 200 device units of the point: FALSE
    // without a program and for a two-part function.
    BOOL HitTest(int x, int y) const;
    // Where this function meets the other, searched from the picked world
    // point: two y of x or two x of y functions, or this y of x and the
    // other x of y.  (S, S) when none is found.
    std::pair<double, double> Intersect(const QvFunction* other, double x, double y) const;
    // The t near t0 where f(t) = c, or S.
    double SolveForValue(double t0, double c) const;
    // The y of the curve at x, for y of x and x of y functions; kNoValue
    // where there is none.
    double ValueAt(double x) const;
    // Widens box (xmin, ymin, xmax, ymax) to hold the curve's y intercept,
    // roots and turning points, and keeps the result.  A function that is
    // not dirty replaces box with the one it kept.
    void ExtendBounds(double* box);
    void SetDisplayData(QvGraphDataFunction record);

    // While dirty: compiles, samples the domain clipped to the window and
    // turns polar and x-of-y samples into plane points.  Then, every time,
    // the shading.  A clean function evaluates nothing here.  A dirty
    // function whose texts, angle mode, window and equation options are
    // those its samples were made from keeps them (a graph's record stays
    // dirty between draws); a clean one whose inputs changed samples again.
    void Plot(CDC* dc);
    // The curve from the stored samples, with its derivative dots, arrows,
    // asymptotes, domain end marks and the picked point's label.
    virtual void DrawCurve(CDC* dc, QvLogFont font);
    // An arrowhead at the curve point (t, v), its base toward larger t
    // when ahead is 1.  Only y of x and x of y curves have them.
    void DrawRangeArrow(CDC* dc, double t, double v, int ahead);

    double step = 0.0001;
    double labelDigits = 6.0;
    QvGraphDataFunction data;
    int angleMode = 0;
    QvFunctionToken program[kProgram];
    QvFunctionToken tokens[kTokens];
    int relation = TokEquals;
    double rangeLow = -1000.0, rangeHigh = 1000.0;
    int lowEnd = 1, highEnd = 1; // 0 none, 1 unbounded, 6 closed, 7 open
    double boundsCache[4] = {};  // the last box of ExtendBounds
    QvAnalysedPoint analysedPoints[kAnalysedPoints];
    int16_t analysedCount = 0;
    BYTE yUp = 0; // 1 when device y grows upwards
    CPoint devicePoints[kDevicePoints];
    double plotStart = 0.0, plotEnd = 0.0;
    QvCurveSample samples[kSamples];
    int ySign = 1; // -1 when device y grows upwards
    int compileCount = 0; // how often Compile ran, for tests and benchmarks

    static constexpr int kMostAnalysedPoints = 98;

protected:
    // What plotting and curve drawing evaluate through.
    virtual std::pair<double, double> PlotValue(double t) const { return Evaluate(t); }

private:
    double Value(double t) const { return Evaluate(t).second; }
    double PlotAt(double t) const { return PlotValue(t).second; }
    // Whether v lies off the window along the value axis (x for x of y).
    bool OffWindow(double v) const;
    void Sample();
    CPoint DevicePoint(double x, double y) const;
    void DrawDot(CDC* dc, const CPoint& at, int radius, COLORREF fill);
    void DrawEndMark(CDC* dc, double t, int endKind, int ahead, int u);

    // Curve analysis, while sampling: record 0 and the starting state,
    // then the candidates of each sample, then their refinement.
    void StartAnalysis();
    void AnalyseSample(int i);
    void RefineAnalysedPoints();
    // Stores an analysed point; once 98 are counted, later ones only
    // overwrite the last record and are never counted.
    void AddAnalysedPoint(double x, double y, int kind);
    // The shaded side of an inequality, under the curves.
    void DrawShading(CDC* dc);
    void ShadeSide(CDC* dc, bool high);
    void ShadePolar(CDC* dc, bool outside);
    // The function's text and the picked point's kind and coordinates
    // below the plot, and a dot on the picked point.
    void DrawPointLabel(CDC* dc, const QvLogFont& font);

    // Everything the program and the samples were made from.
    struct SampledFrom {
        bool valid = false;
        QString expression, rangeText;
        char decimalChar = 0;
        int angleMode = 0;
        double xMin = 0.0, xMax = 0.0, yMin = 0.0, yMax = 0.0;
        QvEquationOptions options; // the range text is read with them
        int kind = 0;
    };
    SampledFrom m_sampledFrom;
    bool SampledFromThis() const;
    void RememberSampling();
    bool MadeFromThis(const SampledFrom& s) const;
    void RememberInputs(SampledFrom& s) const;
    // What boundsCache was made from: the inputs and the box it was merged
    // into.
    SampledFrom m_boundsFrom;
    double m_boundsIn[4] = {};

    // The sign and slope state of the analysis along the samples.
    bool m_aboveZero = false;
    bool m_slopeRising = true;
    float m_lastSlope = 1.0f;

    // One part of the program from token i into entries j to last; false
    // when it does not fit.  i is left at the token that ended the part.
    bool CompilePart(int& i, int j, int last);
};
