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
#include "platform/object.h"
#include "platform/win_types.h"

#include <QString>

#include <utility>

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

private:
    double Value(double t) const { return Evaluate(t).second; }

    // One part of the program from token i into entries j to last; false
    // when it does not fit.  i is left at the token that ended the part.
    bool CompilePart(int& i, int j, int last);
};
