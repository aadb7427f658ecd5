// The function language: any text compiles within the program's fixed
// sizes, into a program or into none, and evaluates without reading or
// writing outside it; and the function's display record read from any
// bytes stores and reads back the same.  The first byte chooses which.
#include "fuzz_support.h"

#include "graphs/function.h"
#include "platform/archive.h"
#include "platform/codepage.h"

#include <QBuffer>

#include <cmath>

namespace {

bool IsProgramCode(int code) {
    return (code >= TokX && code <= TokNormal && code != TokOpen && code != TokClose &&
            code != TokY) ||
           (code >= TokExp && code <= TokLessEqual) || code == TokNotEqual;
}

void CheckProgram(const QvFunction& f, int compiled) {
    FUZZ_CHECK(compiled == QvFunction::kFits || compiled == QvFunction::kTooLong);
    FUZZ_CHECK(f.data.kind >= 1 && f.data.kind <= 4);
    FUZZ_CHECK(f.relation == TokEquals || (f.relation >= TokGreater && f.relation <= TokLessEqual));
    FUZZ_CHECK(f.program[0].code == TokEnd);
    for (const QvFunctionToken& entry : f.program) {
        if (compiled == QvFunction::kTooLong)
            FUZZ_CHECK(entry.code == TokEnd); // nothing, never a part
        else
            FUZZ_CHECK(entry.code == TokEnd || IsProgramCode(entry.code));
    }
    // One-part programs start at entry 1 and end before any gap; a
    // two-part function's first part stays below entry 50.
    if (f.data.kind != 4) {
        int i = 1;
        while (i < QvFunction::kProgram && f.program[i].code != TokEnd)
            ++i;
        for (; i < QvFunction::kProgram; ++i)
            FUZZ_CHECK(f.program[i].code == TokEnd);
    }
}

void Function(FuzzInput& in) {
    QvFunction f;
    // The two usual separators, or any other byte a locale might give.
    const uint8_t point = in.Take<uint8_t>();
    f.data.decimalChar = point == 0 ? '.' : point == 1 ? ',' : char(point);
    f.angleMode = in.Take<signed char>();
    f.data.rangeText = FromWindows1252(in.TakeBytes());
    f.data.expression = FromWindows1252(in.Rest());

    const int compiled = f.Compile();
    CheckProgram(f, compiled);
    const double points[] = {0.0, 1.0, -2.5, 1e-10, 1e300, -1e300, 360.0};
    for (double t : points) {
        const auto [first, second] = f.Evaluate(t);
        if (f.data.kind != 4)
            FUZZ_CHECK(first == t);
        (void)second;
    }
    // Compiling again gives the same program.
    QvFunction again;
    again.data.Copy(f.data);
    again.data.decimalChar = f.data.decimalChar; // a copy keeps its own
    again.angleMode = f.angleMode;
    FUZZ_CHECK(again.Compile() == compiled);
    for (int i = 0; i < QvFunction::kProgram; ++i) {
        FUZZ_CHECK(again.program[i].code == f.program[i].code);
        FUZZ_CHECK(std::memcmp(&again.program[i].value, &f.program[i].value, sizeof(double)) == 0);
    }

    const int domain = f.ParseDomain();
    FUZZ_CHECK(domain == QvFunction::kFits || domain == QvFunction::kTooLong);
    for (int end : {f.lowEnd, f.highEnd})
        FUZZ_CHECK(end == 0 || end == 1 || end == 6 || end == 7);
}

QByteArray Stored(QvGraphDataFunction& r) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    r.Serialize(ar);
    return bytes;
}

bool Loaded(QvGraphDataFunction& r, QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    try {
        r.Serialize(ar);
    } catch (const CArchiveException&) {
        return false;
    }
    return true;
}

void Record(const QByteArray& bytes) {
    QvGraphDataFunction r;
    if (!Loaded(r, bytes))
        return;
    FUZZ_CHECK(r.dirty == 1 && r.version == 1);
    const QByteArray stored = Stored(r);
    QvGraphDataFunction back;
    FUZZ_CHECK(Loaded(back, stored));
    FUZZ_CHECK(Stored(back) == stored);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    FuzzInput in(data, size);
    if (in.Take<uint8_t>() % 2 == 0)
        Function(in);
    else
        Record(in.Rest());
    return 0;
}
