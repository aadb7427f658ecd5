#include "statistics/stat_grid_sheet.h"

#include "settings/settings.h"
#include "statistics/stat_formula.h"
#include "text/number_text.h"

#include <QStringList>

#include <algorithm>
#include <charconv>
#include <memory>

namespace {

constexpr double E = QvStatEmpty;
const QString kNoText;

QString Letter(int col) {
    return QString(QChar(u'A' + col));
}

// The functions that read no more than their own row's arguments.
bool IsRowLocal(int code) {
    switch (code) {
    case StatFisher:
    case StatNormP:
    case StatNormQ:
    case StatNormPdf:
    case StatRound:
        return true;
    default:
        return code < StatFisher;
    }
}

// The number a cell's text holds.  A plain decimal, as every shown number
// is, is read straight away; the same value the general reader gives, at a
// fraction of its cost when a whole grid is stored.
double ReadNumber(const QString& text) {
    const qsizetype n = text.size();
    if (n == 0 || n > 40)
        return QvTextToNumber(text);
    char bytes[40];
    int digits = 0, points = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9')
            ++digits;
        else if (c == u'.')
            ++points;
        else if (!(c == u'-' && i == 0))
            return QvTextToNumber(text);
        bytes[i] = char(c);
    }
    double value = 0.0;
    const int first = bytes[0] == '-' ? 1 : 0;
    if (digits == 0 || points > 1 || bytes[n - 1] == '.' || bytes[first] == '.')
        return QvTextToNumber(text);
    const auto [end, error] = std::from_chars(bytes, bytes + n, value);
    if (error != std::errc() || end != bytes + n)
        return QvTextToNumber(text);
    return value;
}

} // namespace

QvStatGridSheet::QvStatGridSheet(QvStatData* data)
    : m_data(data), m_texts(size_t(Rows) * Columns) {}

const QString& QvStatGridSheet::Text(int row, int col) const {
    if (row < 0 || row >= Rows || col < 0 || col >= Columns)
        return kNoText;
    return m_texts[size_t(row) * Columns + size_t(col)];
}

void QvStatGridSheet::SetText(int row, int col, const QString& text) {
    if (row < 0 || row >= Rows || col < 0 || col >= Columns)
        return;
    QString& cell = m_texts[size_t(row) * Columns + size_t(col)];
    if (cell == text)
        return;
    const QString old = cell;
    cell = text;
    if (onTextChanged)
        onTextChanged(row, col, old);
}

int QvStatGridSheet::TypeOf(int col) const {
    return col >= 0 && col < Columns ? Column(col).type : 0;
}

int QvStatGridSheet::FrequencyOf(int row, int col) const {
    const double v = ReadNumber(Text(row, col).trimmed());
    // A negative frequency would take observations away.
    if (v == E || !(v > 0.0))
        return 0;
    return v >= 2147483647.0 ? 2147483647 : int(v);
}

void QvStatGridSheet::StoreCell(int row, int col) {
    if (!m_data || row < 0 || row >= Rows || col < 0 || col >= Columns)
        return;
    const QString t = Text(row, col).trimmed();
    QvStatCell& cell = Column(col).cells[size_t(row)];
    const int type = TypeOf(col);
    const bool freqRight = col + 1 < Columns && TypeOf(col + 1) == QvStatColumn::Frequency;

    if (type == QvStatColumn::Frequency) {
        cell.value = ReadNumber(t);
        cell.text.clear();
        cell.count = 1;
        if (cell.value == E) {
            cell.count = 0;
            cell.text = t;
        }
        if (col > 0) {
            QvStatCell& left = Column(col - 1).cells[size_t(row)];
            left.count = left.value == E ? 0 : FrequencyOf(row, col);
            Column(col - 1).MarkDirty();
        }
    } else if (type == QvStatColumn::Group) {
        // A lower bound may be negative: the bounds part at the first "-"
        // after the first character.
        const qsizetype dash = t.indexOf(u'-', 1);
        const QString lower = dash < 0 ? t : t.left(dash);
        cell.value = ReadNumber(lower);
        cell.text = dash < 0 ? QString() : t.mid(dash + 1).trimmed();
        cell.count = freqRight ? FrequencyOf(row, col + 1) : 0;
        if (cell.value == E) {
            cell.count = 0;
            cell.text = lower;
        }
    } else {
        cell.value = ReadNumber(t);
        cell.text = t;
        cell.count = freqRight ? FrequencyOf(row, col + 1) : 1;
        if (cell.value == E)
            cell.count = 0;
    }
    Column(col).MarkDirty();
}

void QvStatGridSheet::StoreColumn(int col) {
    if (!m_data || col < 0 || col >= Columns)
        return;
    for (int row = 0; row < Rows; ++row)
        StoreCell(row, col);
    if (TypeOf(col) == QvStatColumn::Frequency && col > 0)
        Column(col - 1).MarkDirty();
}

void QvStatGridSheet::StoreAll() {
    for (int col = 0; col < Columns; ++col)
        StoreColumn(col);
}

QString QvStatGridSheet::CellText(int row, int col) const {
    if (!m_data || row < 0 || row >= Rows || col < 0 || col >= Columns)
        return {};
    const QvStatCell& cell = Column(col).cells[size_t(row)];
    if (cell.value == E)
        return cell.text;
    QString text = QvFormatNumberPlain(cell.value);
    if (TypeOf(col) == QvStatColumn::Group && !cell.text.isEmpty())
        text += u'-' + cell.text;
    return text;
}

void QvStatGridSheet::ShowCell(int row, int col) {
    SetText(row, col, CellText(row, col));
}

void QvStatGridSheet::ShowAll() {
    for (int col = 0; col < Columns; ++col)
        for (int row = 0; row < Rows; ++row)
            ShowCell(row, col);
}

QString QvStatGridSheet::Heading(int col) const {
    if (!m_data || col < 0 || col >= Columns)
        return {};
    const QString& name = Column(col).name;
    return name.isEmpty() ? Letter(col) : name + QStringLiteral(" - ") + Letter(col);
}

QString QvStatGridSheet::TypeWord(int type) {
    switch (type) {
    case QvStatColumn::Data:
        return QStringLiteral("data");
    case QvStatColumn::Label:
        return QStringLiteral("label");
    case QvStatColumn::Group:
        return QStringLiteral("group");
    case QvStatColumn::Formula:
        return QStringLiteral("formula");
    case QvStatColumn::Frequency:
        return QStringLiteral("freq");
    default:
        return {};
    }
}

// ---- Column types --------------------------------------------------------------

bool QvStatGridSheet::CanBeFrequency(int col) const {
    if (col <= 0 || col >= Columns)
        return false;
    const int left = TypeOf(col - 1);
    return left == QvStatColumn::Data || left == QvStatColumn::Group;
}

int QvStatGridSheet::NextType(int col) const {
    int next = TypeOf(col) + 1;
    if (next > QvStatColumn::Frequency)
        next = QvStatColumn::Data;
    if (next == QvStatColumn::Frequency && !CanBeFrequency(col))
        next = QvStatColumn::Data;
    return next;
}

void QvStatGridSheet::StepType(int col) {
    if (!m_data || col < 0 || col >= Columns)
        return;
    const int old = TypeOf(col);
    const int next = NextType(col);
    const bool involvesCounts = old == QvStatColumn::Group || old == QvStatColumn::Frequency ||
                                next == QvStatColumn::Group || next == QvStatColumn::Frequency;
    SetColumnType(col, next, involvesCounts);
}

void QvStatGridSheet::SetColumnType(int col, int type, bool restore) {
    if (!m_data || col < 0 || col >= Columns)
        return;
    QvStatColumn& column = Column(col);
    QvStatProperties& props = m_data->properties;
    const QString letter = Letter(col);
    if (column.type == QvStatColumn::Label && type != QvStatColumn::Label &&
        props.LabelCol1 == col) {
        props.LabelCol1 = -1;
        props.LabelColActive1 = 0;
        props.Label1 = QStringLiteral("None");
    }
    column.type = type;
    if (type == QvStatColumn::Label && props.LabelCol1 < 0) {
        props.LabelCol1 = col;
        props.LabelColActive1 = 1;
        props.Label1 = letter;
    }
    // The column to the right counted this one's rows; without data to
    // weight it becomes data itself.
    if (col + 1 < Columns && type != QvStatColumn::Data && type != QvStatColumn::Group &&
        TypeOf(col + 1) == QvStatColumn::Frequency) {
        Column(col + 1).type = QvStatColumn::Data;
        StoreColumn(col + 1);
        restore = true;
    }
    column.MarkDirty();
    if (restore) {
        StoreColumn(col);
        if (col > 0)
            StoreColumn(col - 1);
    }
}

bool QvStatGridSheet::SetToType(int col, int type) {
    if (!m_data || col < 0 || col >= Columns)
        return false;
    if (type == QvStatColumn::Frequency) {
        if (!CanBeFrequency(col)) {
            const bool restore = TypeOf(col) == QvStatColumn::Group;
            SetColumnType(col, QvStatColumn::Data, restore || TypeOf(col) == QvStatColumn::Frequency);
            return false;
        }
        SetColumnType(col, type, true);
        return true;
    }
    const int old = TypeOf(col);
    const bool restore = old == QvStatColumn::Frequency || old == QvStatColumn::Group ||
                         type == QvStatColumn::Group;
    SetColumnType(col, type, restore);
    return true;
}

// ---- Clipboard --------------------------------------------------------------

QString QvStatGridSheet::CopyText(const QvGridRange& range, bool asRows) const {
    QString out;
    const int top = std::max(range.Top(), 0), bottom = std::min(range.Bottom(), Rows - 1);
    const int left = std::max(range.Left(), 0), right = std::min(range.Right(), Columns - 1);
    if (!asRows) {
        for (int row = top; row <= bottom; ++row) {
            if (row > top)
                out += u'\n';
            for (int col = left; col <= right; ++col) {
                if (col > left)
                    out += u'\t';
                out += Text(row, col);
            }
        }
    } else {
        for (int col = left; col <= right; ++col) {
            if (col > left)
                out += u'\n';
            for (int row = top; row <= bottom; ++row) {
                if (row > top)
                    out += u'\t';
                out += Text(row, col);
            }
        }
    }
    return out;
}

QString QvStatGridSheet::Cut(const QvGridRange& range) {
    const QString text = CopyText(range);
    const int top = std::max(range.Top(), 0), bottom = std::min(range.Bottom(), Rows - 1);
    const int left = std::max(range.Left(), 0), right = std::min(range.Right(), Columns - 1);
    for (int row = top; row <= bottom; ++row)
        for (int col = left; col <= right; ++col) {
            SetText(row, col, QString());
            StoreCell(row, col);
        }
    return text;
}

bool QvStatGridSheet::Clear(const QvGridRange& range) {
    bool changed = false;
    const int top = std::max(range.Top(), 0), bottom = std::min(range.Bottom(), Rows - 1);
    const int left = std::max(range.Left(), 0), right = std::min(range.Right(), Columns - 1);
    for (int col = left; col <= right; ++col) {
        if (IsFormulaColumn(col))
            continue;
        for (int row = top; row <= bottom; ++row) {
            if (Text(row, col).isEmpty())
                continue;
            SetText(row, col, QString());
            StoreCell(row, col);
            changed = true;
        }
    }
    return changed;
}

QStringList QvStatGridSheet::SplitPasteLine(const QString& line, char decimalPoint) {
    // With a decimal comma, "1,5" is one number.
    const QChar second = decimalPoint == ',' ? u';' : u',';
    QStringList cells;
    QString cell;
    for (QChar c : line) {
        if (c == u'\t' || c == second) {
            cells.append(cell.trimmed());
            cell.clear();
        } else {
            cell += c;
        }
    }
    cells.append(cell.trimmed());
    return cells;
}

void QvStatGridSheet::Paste(int row, int col, const QString& text, char decimalPoint) {
    if (row < 0 || col < 0)
        return;
    QStringList lines = text.split(u'\n');
    // The line feed after the last line starts no line of its own.
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    for (const QString& line : lines) {
        if (row >= Rows)
            break;
        int c = col;
        for (const QString& cell : SplitPasteLine(line, decimalPoint)) {
            if (c >= Columns)
                break;
            SetText(row, c, cell);
            StoreCell(row, c);
            ++c;
        }
        ++row;
    }
}

// ---- Formulas --------------------------------------------------------------

bool QvStatGridSheet::IsFormulaColumn(int col) const {
    return TypeOf(col) == QvStatColumn::Formula;
}

QvStatGridSheet::Reach QvStatGridSheet::FormulaReach(const QvStatFormula& formula) {
    bool readsColumn = false, rowLocal = true;
    for (int i = 1; i < QvStatFormula::kProgram && formula.program[i].code != TokEnd; ++i) {
        const int code = formula.program[i].code;
        const int column = QvStatFormula::ColumnOf(code);
        if (column >= 0) {
            readsColumn = readsColumn || column < Columns;
            continue;
        }
        if (!IsRowLocal(code))
            rowLocal = false;
    }
    if (!readsColumn)
        return ReadsNoColumn;
    return rowLocal ? RowLocal : WholeColumn;
}

bool QvStatGridSheet::FillColumn(QvStatData& data, int col, const QString& text) {
    if (col < 0 || col >= Columns || text.trimmed().isEmpty())
        return false;
    auto formula = std::make_unique<QvStatFormula>();
    formula->SetText(text);
    if (formula->Compile() != QvStatFormula::kRead)
        return false;
    QvStatColumn& column = data.columns[size_t(col)];
    int restarts = 0;
    for (int row = 0; row < Rows; ++row) {
        const QvStatCell cell = formula->Evaluate(&data, row, col);
        if (cell.value == QvStatRestartValue) {
            if (++restarts > MostRestarts) {
                for (QvStatCell& c : column.cells)
                    c = QvStatCell();
                break;
            }
            // Row 0 starts the whole-column work and the sequences afresh.
            row = -1;
            continue;
        }
        column.cells[size_t(row)] = cell;
    }
    column.MarkDirty();
    return true;
}

QvStatGridSheet::Reach QvStatGridSheet::FillAndShow(int col, int from, int to) {
    QvStatColumn& column = Column(col);
    auto formula = std::make_unique<QvStatFormula>();
    formula->SetText(column.formula);
    if (formula->Compile() != QvStatFormula::kRead)
        return ReadsNoColumn;
    const Reach reach = FormulaReach(*formula);
    if (reach == ReadsNoColumn)
        return reach;
    if (reach == WholeColumn || from < 0) {
        FillColumn(*m_data, col, column.formula);
        from = 0;
        to = Rows - 1;
    } else {
        for (int row = from; row <= to; ++row) {
            const QvStatCell cell = formula->Evaluate(m_data, row, col);
            if (cell.value != QvStatRestartValue)
                column.cells[size_t(row)] = cell;
        }
        column.MarkDirty();
    }
    for (int row = from; row <= to; ++row)
        ShowCell(row, col);
    return reach;
}

void QvStatGridSheet::RecomputeAfterEdit(int row, int col) {
    (void)col;
    if (!m_data)
        return;
    const int from = std::max(row - 3, 0), to = std::min(row + 3, Rows - 1);
    bool whole = false;
    for (int c = 0; c < Columns; ++c)
        if (IsFormulaColumn(c) && !Column(c).formula.isEmpty())
            whole = FillAndShow(c, from, to) == WholeColumn || whole;
    // SORT and SORTD reorder the rows of every column.
    if (whole)
        ShowAll();
}

bool QvStatGridSheet::RecomputeAll() {
    if (!m_data)
        return false;
    bool any = false;
    for (int c = 0; c < Columns; ++c)
        if (IsFormulaColumn(c) && !Column(c).formula.isEmpty()) {
            FillAndShow(c, -1, -1);
            any = true;
        }
    if (any)
        ShowAll();
    return any;
}
