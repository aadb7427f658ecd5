// Compiling a function's tokens into a postfix program and running it.
#include "graphs/function.h"

#include "graphs/function_rules.h"
#include "platform/archive.h"
#include "text/stacks.h"

#include <cmath>

IMPLEMENT_SERIAL(QvFunction, CObject, 0)

namespace {

constexpr double kE = 2.718281828;
const double kRootTwoPi = std::sqrt(6.283185308);

bool IsOperand(int code) {
    return code == TokNumber || code == TokX || code == TokPi || code == TokE || code == TokT ||
           code == TokQ;
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
    ++compileCount;
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
    const double k = QvAngleFactor(angleMode);
    // Every entry pushes at most one value, so the program's size bounds
    // the stack.
    double stack[kProgram];
    int n = 0;
    auto push = [&](double v) {
        if (n < kProgram)
            stack[n++] = v;
    };
    auto pop = [&]() { return n > 0 ? stack[--n] : 0.0; };
    // Each case names its code, so that the shared rule folds to that code.
    auto binary = [&](int code) {
        const double b = pop(), a = pop();
        push(QvApplyOperator(code, a, b));
    };
    auto unary = [&](int code) { push(QvApplyFunction(code, pop(), k)); };

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
        case TokNormal: {
            const double v = pop();
            push(std::exp(-0.5 * v * v) / kRootTwoPi);
            break;
        }
        case TokMultiply:
            binary(TokMultiply);
            break;
        case TokDivide:
            binary(TokDivide);
            break;
        case TokAdd:
            binary(TokAdd);
            break;
        case TokSubtract:
            binary(TokSubtract);
            break;
        case TokPower:
            binary(TokPower);
            break;
        case TokSin:
            unary(TokSin);
            break;
        case TokCos:
            unary(TokCos);
            break;
        case TokTan:
            unary(TokTan);
            break;
        case TokAsin:
            unary(TokAsin);
            break;
        case TokAcos:
            unary(TokAcos);
            break;
        case TokAtan:
            unary(TokAtan);
            break;
        case TokAbs:
            unary(TokAbs);
            break;
        case TokGint:
            unary(TokGint);
            break;
        case TokLn:
            unary(TokLn);
            break;
        case TokLog:
            unary(TokLog);
            break;
        case TokSqrt:
            unary(TokSqrt);
            break;
        case TokCosh:
            unary(TokCosh);
            break;
        case TokSinh:
            unary(TokSinh);
            break;
        case TokTanh:
            unary(TokTanh);
            break;
        case TokSec:
            unary(TokSec);
            break;
        case TokCosec:
            unary(TokCosec);
            break;
        case TokCot:
            unary(TokCot);
            break;
        case TokExp:
            unary(TokExp);
            break;
        default:
            break;
        }
    }
}
