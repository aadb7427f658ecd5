// Compiling a function's tokens into a postfix program and running it.
#include "graphs/function.h"

#include "platform/archive.h"
#include "text/stacks.h"

#include <cmath>

IMPLEMENT_SERIAL(QvFunction, CObject, 0)

namespace {

constexpr double S = QvUndefinedValue;
constexpr double kE = 2.718281828;
// Slightly more than a degree, as the program always had it.
constexpr double kDegree = 0.017453292520882225;
constexpr double kGrad = 0.01570796326714907;
const double kRootTwoPi = std::sqrt(6.283185308);

bool IsOperand(int code) {
    return code == TokNumber || code == TokX || code == TokPi || code == TokE || code == TokT ||
           code == TokQ;
}

// Roots of a negative base that have a real value: the fraction and
// whether the result is negative (an odd numerator).
struct OddRoot {
    double fraction;
    bool negative;
};
constexpr OddRoot kRoots[] = {
    {0.3333333333333, true},
    {0.6666666666667, false},
    {0.2, true},
    {0.4, false},
    {0.6, true},
    {0.8, false},
    {0.14285714285714, true},
    {0.28571428571428, false},
    {0.42857142857142, true},
    {0.57142857142857, false},
    {0.71428571428571, true},
    {0.85714285714285, false},
    {0.11111111111111, true},
    {0.22222222222222, false},
    {0.44444444444444, false},
    {0.55555555555555, true},
    {0.77777777777777, true},
    {0.88888888888888, false},
    {0.0, true},
};

double Reciprocal(double r) {
    return std::fabs(r) <= 1e-9 ? S : 1.0 / r;
}

// a^b; anything above e^20 is undefined, except a square.
double Power(double a, double b) {
    const double A = std::fabs(a), B = std::fabs(b);
    double r;
    if (B == 2.0)
        r = A * A;
    else if (A == 0.0)
        r = 0.0;
    else if (B == S)
        r = S;
    else
        r = std::log(A) * B <= 20.0 ? std::exp(std::log(A) * B) : S;
    if (b < 0.0)
        r = Reciprocal(r);
    if (a < 0.0) {
        if (std::fmod(B, 1.0) == 0.0) {
            if (std::fmod(std::floor(B), 2.0) != 0.0)
                r = -r;
        } else {
            r = S;
            bool root = false;
            const double l = std::log(A) * B;
            for (const OddRoot& row : kRoots) {
                if (std::fabs(B - row.fraction) <= 1e-9 && l <= 20.0) {
                    r = row.negative ? -std::exp(l) : std::exp(l);
                    root = true;
                }
            }
            if (root && b < 0.0)
                r = Reciprocal(r);
        }
    }
    return r;
}

} // namespace

QvFunction::QvFunction() {
    Reset();
}

void QvFunction::Reset() {
    rangeLow = -1000.0;
    rangeHigh = 1000.0;
    lowEnd = highEnd = 1;
    data.dirty = 0;
    data.selectedPoint = -1;
    for (QvAnalysedPoint& point : analysedPoints)
        point = {};
    analysedCount = 0;
    for (QvFunctionToken& entry : program)
        entry = {};
    labelDigits = 6.0;
    step = 0.0001;
    relation = TokEquals;
}

void QvFunction::Serialize(CArchive& ar) {
    data.Serialize(ar);
}

void QvFunction::SetRange(double xmin, double xmax, double ymin, double ymax, int mode) {
    data.xMin = xmin;
    data.xMax = xmax;
    data.yMin = ymin;
    data.yMax = ymax;
    angleMode = mode;
}

int QvFunction::Compile() {
    for (QvFunctionToken& entry : program)
        entry = {};
    const bool fits = Tokenize(data.expression);
    data.kind = 1;
    relation = TokEquals;
    int i = ParseLeftSide(1);
    if (!fits)
        return kTooLong;
    // The first part of a two-part function stops short of the second's.
    const bool twoPart = data.kind == 4;
    bool ok = CompilePart(i, 1, twoPart ? kSecondPart - 1 : kProgram - 1);
    if (ok && Token(i).code == TokSeparator) {
        i = ParseLeftSide(i + 1);
        ok = CompilePart(i, kSecondPart, kProgram - 1);
    }
    if (ok)
        return kFits;
    // Never a cut function: all or nothing.
    for (QvFunctionToken& entry : program)
        entry = {};
    return kTooLong;
}

bool QvFunction::CompilePart(int& i, int j, int last) {
    bool ok = true;
    auto write = [&](int code, double value = 0.0) {
        if (j > last)
            ok = false;
        else
            program[j++] = {code, value};
    };
    QvIntStack ops;
    auto push = [&](int code) {
        if (!ops.Push(code))
            ok = false;
    };
    for (; ok && Token(i).code != TokEnd && Token(i).code != TokSeparator; ++i) {
        const QvFunctionToken& token = Token(i);
        const int code = token.code;
        if (IsOperand(code)) {
            write(code, token.value);
        } else if (code == TokY) {
            write(TokX);
        } else if (code == TokAdd || code == TokSubtract) {
            while (ops.Top() != 0 && ops.Top() != TokOpen)
                write(ops.Pop());
            push(code);
        } else if (code == TokMultiply || code == TokDivide) {
            // A minus sign's product waits for the operand that follows.
            if (!(code == TokMultiply && token.value == kSignProduct)) {
                while (ops.Top() == TokPower || ops.Top() == TokMultiply || ops.Top() == TokDivide)
                    write(ops.Pop());
            }
            push(code);
        } else if (code == TokClose) {
            while (ops.Top() != 0 && ops.Top() != TokOpen)
                write(ops.Pop());
            ops.Pop();
            // The function whose argument this closes.
            const int before = ops.Top();
            if (before != 0 && before != TokMultiply && before != TokDivide && before != TokPower &&
                before != TokAdd && before != TokSubtract && before != TokOpen &&
                before != TokNumber && before != TokX)
                write(ops.Pop());
        } else {
            push(code);
        }
    }
    // An unclosed "(" keeps the operators before it: 1+(2 is 1+2.
    while (ok && !ops.IsEmpty()) {
        const int code = ops.Pop();
        if (code != TokOpen)
            write(code);
    }
    return ok;
}

std::pair<double, double> QvFunction::Evaluate(double t) const {
    const double k = angleMode == 1 ? 1.0 : angleMode == 2 ? kGrad : kDegree;
    // Every entry pushes at most one value, so the program's size bounds
    // the stack.
    double stack[kProgram];
    int n = 0;
    auto push = [&](double v) {
        if (n < kProgram)
            stack[n++] = v;
    };
    auto pop = [&]() { return n > 0 ? stack[--n] : 0.0; };

    double first = t;
    const bool twoPart = data.kind == 4;
    int p = 1;
    int end = twoPart ? kSecondPart : kProgram;
    for (;;) {
        if (p >= end || program[p].code == TokEnd) {
            if (twoPart && end == kSecondPart) {
                first = pop(); // the stack carries on into the second part
                p = kSecondPart;
                end = kProgram;
                continue;
            }
            return {first, pop()};
        }
        const QvFunctionToken& entry = program[p++];
        switch (entry.code) {
        case TokX:
        case TokT:
        case TokQ:
            push(t);
            break;
        case TokNumber:
            push(entry.value);
            break;
        case TokPi:
            push(kPi);
            break;
        case TokE:
            push(kE);
            break;
        case TokMultiply: {
            const double b = pop(), a = pop();
            push(a * b);
            break;
        }
        case TokDivide: {
            const double b = pop(), a = pop();
            push(std::fabs(b) <= 1e-9 ? S : a / b);
            break;
        }
        case TokAdd: {
            const double b = pop(), a = pop();
            push(a + b);
            break;
        }
        case TokSubtract: {
            const double b = pop(), a = pop();
            push(a - b);
            break;
        }
        case TokPower: {
            const double b = pop(), a = pop();
            push(Power(a, b));
            break;
        }
        case TokSin:
            push(std::sin(pop() * k));
            break;
        case TokCos:
            push(std::cos(pop() * k));
            break;
        case TokTan: {
            const double v = pop() * k;
            push(std::sin(v) / std::cos(v));
            break;
        }
        case TokAsin: {
            const double v = pop();
            push(std::fabs(v) >= 1.0 ? S : std::atan(v / std::sqrt(1.0 - v * v)) / k);
            break;
        }
        case TokAcos: {
            const double v = pop();
            push(std::fabs(v) >= 1.0 ? S : std::acos(v) / k);
            break;
        }
        case TokAtan:
            push(std::atan(pop()) / k);
            break;
        case TokAbs:
            push(std::fabs(pop()));
            break;
        case TokGint:
            push(std::floor(pop())); // the greatest integer not above the value
            break;
        case TokLn: {
            const double v = pop();
            push(v <= 0.0 ? -S : std::log(v));
            break;
        }
        case TokLog: {
            const double v = pop();
            push(v <= 0.0 ? -S : std::log(v) / std::log(10.0));
            break;
        }
        case TokSqrt: {
            const double v = pop();
            push(v < 0.0 ? -S : std::sqrt(v));
            break;
        }
        case TokCosh: {
            const double v = pop();
            push(std::fabs(v) > 200.0 ? S : (std::exp(v) + std::exp(-v)) * 0.5);
            break;
        }
        case TokSinh: {
            const double v = pop();
            push(std::fabs(v) > 200.0 ? S : (std::exp(v) - std::exp(-v)) * 0.5);
            break;
        }
        case TokTanh: {
            // Bounded by 1: far out it is its limit, not undefined.
            const double v = pop();
            if (std::fabs(v) > 200.0)
                push(v > 0.0 ? 1.0 : -1.0);
            else
                push((std::exp(v) - std::exp(-v)) / (std::exp(-v) + std::exp(v)));
            break;
        }
        case TokSec: {
            const double c = std::cos(pop() * k);
            push(c == 0.0 ? S : 1.0 / c);
            break;
        }
        case TokCosec: {
            const double s = std::sin(pop() * k);
            push(s == 0.0 ? S : 1.0 / s);
            break;
        }
        case TokCot: {
            const double v = pop() * k;
            const double s = std::sin(v);
            push(s == 0.0 ? S : std::cos(v) / s);
            break;
        }
        case TokNormal: {
            const double v = pop();
            push(std::exp(-0.5 * v * v) / kRootTwoPi);
            break;
        }
        case TokExp:
            push(std::exp(pop()));
            break;
        default:
            break;
        }
    }
}
