// The column formula language: any text compiles within the formula's
// fixed sizes, into a program or into none, the same each time; and the
// program fills a column of any data set, rows 0 to 499 as the grid does,
// without reading or writing outside it, each result a cell with a finite
// value.  The input gives the decimal point, the angle unit, the target
// column, the statistics methods, the stored fit choices and cells, then
// the formula text.
#include "fuzz_support.h"

#include "platform/codepage.h"
#include "platform/crt_random.h"
#include "settings/stat_options.h"
#include "statistics/stat_data.h"
#include "statistics/stat_formula.h"

#include <cmath>
#include <memory>

namespace {

bool IsProgramCode(int code) {
    if (QvStatFormula::ColumnOf(code) >= 0 || QvStatFormula::ArgumentCount(code) > 0)
        return true;
    switch (code) {
    case TokMultiply:
    case TokDivide:
    case TokAdd:
    case TokSubtract:
    case TokPower:
    case TokNumber:
    case TokPi:
    case TokEquals:
    case TokGreaterEqual:
    case TokLess:
    case TokLessEqual:
    case StatTokGreater:
    case StatTokMissing:
    case TokExp:
        return true;
    default:
        return (code >= TokSin && code <= TokGint) || (code >= TokLn && code <= TokCot);
    }
}

void CheckProgram(const QvStatFormula& f, int compiled) {
    FUZZ_CHECK(compiled == QvStatFormula::kRead || compiled == QvStatFormula::kUnread ||
               compiled == QvStatFormula::kTooLong);
    FUZZ_CHECK((compiled == QvStatFormula::kUnread) == !f.unreadWord.isEmpty());
    FUZZ_CHECK(f.program[0].code == TokEnd);
    int i = 1;
    while (i < QvStatFormula::kProgram && f.program[i].code != TokEnd) {
        FUZZ_CHECK(compiled != QvStatFormula::kTooLong); // nothing, never a part
        FUZZ_CHECK(IsProgramCode(f.program[i].code));
        ++i;
    }
    for (; i < QvStatFormula::kProgram; ++i)
        FUZZ_CHECK(f.program[i].code == TokEnd);
}

std::unique_ptr<QvStatFormula> Compiled(const QString& text, char point, int angle, int& status) {
    auto f = std::make_unique<QvStatFormula>();
    f->decimalPoint = point;
    f->listSeparator = point == '.' ? ',' : ';';
    f->angleUnit = angle;
    f->SetText(text);
    status = f->Compile();
    return f;
}

// Groups of four bytes: column (high bit: set its type too), row, value
// (-128 empty, 127 undefined, else a quarter of it), count and text.
void FillCells(QvStatData& data, const QByteArray& bytes) {
    for (qsizetype i = 0; i + 4 <= bytes.size(); i += 4) {
        const auto column = uint8_t(bytes[i]);
        const auto row = uint8_t(bytes[i + 1]);
        const auto v = int8_t(bytes[i + 2]);
        const auto extra = uint8_t(bytes[i + 3]);
        QvStatColumn& c = data.columns[size_t(column % 26)];
        QvStatCell& cell = c.cells[size_t(row)];
        cell.value = v == -128 ? QvStatEmpty : v == 127 ? QvUndefinedValue : v / 4.0;
        cell.count = extra % 5 - 1;
        if (extra & 0x40)
            cell.text = extra & 0x20 ? QStringLiteral("x") : QString::number(v / 4.0 + 1.5);
        if (column & 0x80)
            c.type = 1 + (extra >> 3) % 5;
        c.MarkDirty();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    // The random functions draw the same numbers for the same input.
    CrtSrand(1);
    FuzzInput in(data, size);
    const uint8_t pointByte = in.Take<uint8_t>();
    const char point = pointByte == 0 ? '.' : pointByte == 1 ? ',' : char(pointByte);
    const int angle = in.Take<signed char>();
    const int target = int(in.Take<uint8_t>() % 28) - 1; // also none and the row numbers
    const uint8_t methods = in.Take<uint8_t>();
    g_nPercentileMethod = methods % 2;
    g_nQuartileMethod = methods / 2 % 3;
    auto sheet = std::make_unique<QvStatData>();
    sheet->properties.col1 = in.Take<int8_t>();
    sheet->properties.col2 = in.Take<int8_t>();
    sheet->properties.RegType = in.Take<int8_t>();
    FillCells(*sheet, in.TakeBytes());
    const QString text = FromWindows1252(in.Rest());

    int status = 0;
    auto f = Compiled(text, point, angle, status);
    CheckProgram(*f, status);
    int again = 0;
    auto g = Compiled(text, point, angle, again);
    FUZZ_CHECK(again == status && g->unreadWord == f->unreadWord);
    for (int i = 0; i < QvStatFormula::kProgram; ++i) {
        FUZZ_CHECK(g->program[i].code == f->program[i].code);
        FUZZ_CHECK(std::memcmp(&g->program[i].value, &f->program[i].value, sizeof(double)) == 0);
    }

    FUZZ_CHECK(f->Evaluate(nullptr, 0, target).count == 0);
    FUZZ_CHECK(f->Evaluate(sheet.get(), QvStatColumn::Rows, target).count == 0);
    for (int row = 0; row < QvStatColumn::Rows; ++row) {
        const QvStatCell cell = f->Evaluate(sheet.get(), row, target);
        FUZZ_CHECK(std::isfinite(cell.value));
        FUZZ_CHECK(cell.count == (cell.value == QvStatEmpty ? 0 : 1));
        // Stored as the grid stores a formula column's cells.
        if (target >= 0 && target < QvStatData::Lettered) {
            sheet->columns[size_t(target)].cells[size_t(row)] = cell;
            sheet->columns[size_t(target)].MarkDirty();
        }
    }
    // The row numbers are never written.
    for (int row = 0; row < QvStatColumn::Rows; ++row)
        FUZZ_CHECK(sheet->columns[QvStatData::RowNumberColumn].cells[size_t(row)].value == row + 1);
    return 0;
}
