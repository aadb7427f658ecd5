#include "dialogs/stat_data_grid.h"

#include "dialogs/stat_column_dlgs.h"
#include "document/undo_manager.h"
#include "platform/message_box.h"
#include "settings/settings.h"
#include "statistics/stat_formula.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

namespace {

// 750 and 410 twips at 15 twips a pixel.
constexpr int kColumnWidth = 50;
constexpr int kRowNumberWidth = 27;

class QvGridUndoItem : public QvUndoItem {
public:
    QvGridUndoItem(int row, int col, QString text) : row(row), col(col), text(std::move(text)) {}
    int row; // grid row and column
    int col;
    QString text;
};

QString Letter(int col) {
    return QString(QChar(u'A' + col));
}

} // namespace

// --- Model ---------------------------------------------------------------------------

CStatGridModel::CStatGridModel(QvStatGridSheet* sheet, QObject* parent)
    : QAbstractTableModel(parent), m_sheet(sheet) {}

int CStatGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : QvStatGridSheet::Rows;
}

int CStatGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : QvStatGridSheet::Columns;
}

QVariant CStatGridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return m_sheet->Text(index.row(), index.column());
}

QVariant CStatGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return QString::number(section + 1);
    if (!m_sheet->Data())
        return Letter(section);
    return m_sheet->Heading(section) + u'\n' +
           QvStatGridSheet::TypeWord(m_sheet->Data()->columns[size_t(section)].type);
}

void CStatGridModel::Refresh() {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

// --- Header --------------------------------------------------------------------------

CStatGridHeader::CStatGridHeader(CStatDataGrid* grid)
    : QHeaderView(Qt::Horizontal, grid), m_grid(grid) {
    setSectionsClickable(true);
    setHighlightSections(true);
}

void CStatGridHeader::mousePressEvent(QMouseEvent* event) {
    const int col = logicalIndexAt(event->position().toPoint());
    const bool typeRow = event->position().y() >= height() / 2.0;
    if (col < 0) {
        QHeaderView::mousePressEvent(event);
        return;
    }
    if (event->button() == Qt::LeftButton && typeRow) {
        m_grid->StepColumnType(col);
        event->accept();
        return;
    }
    if (event->button() == Qt::RightButton) {
        if (!typeRow) {
            m_grid->EditColumnTitle(col);
        } else {
            QMenu* menu = m_grid->BuildContextMenu(col);
            const QAction* chosen = menu->exec(event->globalPosition().toPoint());
            if (chosen)
                m_grid->OnCommand(chosen->data().toInt());
            delete menu;
        }
        event->accept();
        return;
    }
    QHeaderView::mousePressEvent(event);
}

// --- Grid ----------------------------------------------------------------------------

CStatDataGrid::CStatDataGrid(QWidget* parent)
    : QTableView(parent), m_undo(std::make_unique<QvUndoManager>(60, 6)),
      m_sheet(std::make_unique<QvStatGridSheet>(nullptr)),
      m_model(new CStatGridModel(m_sheet.get(), this)), m_editor(new QLineEdit(viewport())) {
    m_undo->EnableRedo(FALSE);
    QFont font = QApplication::font();
    font.setPointSize(8);
    setFont(font);
    setHorizontalHeader(new CStatGridHeader(this));
    setModel(m_model);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    horizontalHeader()->setMinimumSectionSize(10);
    verticalHeader()->setMinimumSectionSize(10);
    verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setFixedWidth(kRowNumberWidth);
    m_editor->setFont(font);
    m_editor->setFrame(false);
    m_editor->hide();
    m_editor->installEventFilter(this);
}

CStatDataGrid::~CStatDataGrid() {
    m_editor->removeEventFilter(this);
}

void CStatDataGrid::SetData(QvStatData* data) {
    m_data = data;
    m_sheet = std::make_unique<QvStatGridSheet>(data);
    // Every shown text that changes while a record is open is undone with
    // it; changes outside a record (formula results, loading) are not.
    m_sheet->onTextChanged = [this](int row, int col, const QString& old) {
        if (!m_bRecording)
            return;
        m_undo->AddAction(std::make_unique<QvGridUndoItem>(row + FixedRows, col + FixedCols, old));
    };
    auto* old = m_model;
    m_model = new CStatGridModel(m_sheet.get(), this);
    setModel(m_model);
    delete old;
}

void CStatDataGrid::Init() {
    if (!m_data)
        return;
    for (int c = 0; c < QvStatGridSheet::Columns; ++c) {
        QvStatColumn& column = m_data->columns[size_t(c)];
        column.columnNumber = c + FixedCols;
        column.symbol = Letter(c);
    }
    // Showing what was loaded is no change the user could undo.
    m_sheet->ShowAll();
    m_editor->hide();
    m_bEditing = false;
    SetCurrentCell(0, 0);
    setFocus();
    m_sheet->StoreAll();
    m_model->Refresh();
}

QString CStatDataGrid::GridText(int gridRow, int gridCol) const {
    if (gridRow < 0 || gridCol < 0 || gridRow >= QvStatGridSheet::Rows + FixedRows ||
        gridCol >= QvStatGridSheet::Columns + FixedCols)
        return {};
    const int col = gridCol - FixedCols;
    if (gridRow == 0)
        return col < 0 ? QString() : m_sheet->Heading(col);
    if (gridRow == 1)
        return col < 0 || !m_data ? QString()
                                  : QvStatGridSheet::TypeWord(m_data->columns[size_t(col)].type);
    if (col < 0)
        return QString::number(gridRow - FixedRows + 1);
    return m_sheet->Text(gridRow - FixedRows, col);
}

int CStatDataGrid::CurrentRow() const {
    return std::max(currentIndex().row(), 0);
}

int CStatDataGrid::CurrentCol() const {
    return std::max(currentIndex().column(), 0);
}

void CStatDataGrid::SetCurrentCell(int row, int col) {
    row = std::clamp(row, 0, QvStatGridSheet::Rows - 1);
    col = std::clamp(col, 0, QvStatGridSheet::Columns - 1);
    setCurrentIndex(m_model->index(row, col));
}

QvGridRange CStatDataGrid::Selection() const {
    const QItemSelection selection = selectionModel()->selection();
    const int r = CurrentRow(), c = CurrentCol();
    for (const QItemSelectionRange& range : selection)
        if (range.contains(currentIndex()) || selection.size() == 1)
            return {range.top(), range.left(), range.bottom(), range.right()};
    return {r, c, r, c};
}

void CStatDataGrid::BeginRecord() {
    m_undo->BeginRecord();
    m_bRecording = true;
}

void CStatDataGrid::EndRecord() {
    m_bRecording = false;
    m_undo->EndRecord();
}

void CStatDataGrid::MoveCurrent(int dRow, int dCol) {
    SetCurrentCell(CurrentRow() + dRow, CurrentCol() + dCol);
}

// --- Editing -------------------------------------------------------------------------

void CStatDataGrid::StartEditing(const QString& text, bool replace) {
    if (!m_data || m_data->columns[size_t(CurrentCol())].type == QvStatColumn::Formula)
        return;
    const QRect cell = visualRect(currentIndex());
    m_editor->setGeometry(cell);
    m_editor->setText(text);
    if (replace)
        m_editor->end(false);
    else
        m_editor->home(false);
    m_editor->show();
    m_editor->setFocus();
    m_bEditing = true;
}

void CStatDataGrid::CommitCellEdit() {
    if (!m_data)
        return;
    if (m_bEditing) {
        m_bEditing = false;
        const QString text = m_editor->text();
        const int row = CurrentRow(), col = CurrentCol();
        if (text != m_sheet->Text(row, col)) {
            BeginRecord();
            m_sheet->SetText(row, col, text);
            EndRecord();
            m_sheet->StoreCell(row, col);
            m_sheet->RecomputeAfterEdit(row, col);
            m_bRecalcAll = false;
            m_bDirty = true;
        }
        m_editor->clear();
        m_editor->hide();
    }
    if (m_bRecalcAll) {
        m_bRecalcAll = false;
        m_sheet->RecomputeAll();
    }
    m_model->Refresh();
}

void CStatDataGrid::RecalcAll() {
    m_bRecalcAll = true;
    m_bDirty = true;
    CommitCellEdit();
}

void CStatDataGrid::keyPressEvent(QKeyEvent* event) {
    if (!m_data) {
        QTableView::keyPressEvent(event);
        return;
    }
    const int key = event->key();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    // "=" by the character it types, on whatever keyboard.
    if (event->text() == QStringLiteral("=")) {
        EditColumnFormula(CurrentRow() + FixedRows, CurrentCol() + FixedCols);
        return;
    }
    if (ctrl) {
        switch (key) {
        case Qt::Key_C:
            CopySelection();
            return;
        case Qt::Key_X:
            CutSelection();
            return;
        case Qt::Key_V:
            PasteFromDataObject();
            return;
        case Qt::Key_Z:
            UndoLast();
            return;
        default:
            break;
        }
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        StartEditing(m_sheet->Text(CurrentRow(), CurrentCol()), false);
        return;
    case Qt::Key_Delete:
        ClearSelection();
        return;
    case Qt::Key_Escape:
        // Kept from the host dialog, which would close.
        return;
    case Qt::Key_Tab:
        MoveCurrent(0, 1);
        return;
    case Qt::Key_Backtab:
        MoveCurrent(0, -1);
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (!ctrl && !text.isEmpty() && text.at(0).isPrint()) {
        StartEditing(text, true);
        return;
    }
    QTableView::keyPressEvent(event);
}

void CStatDataGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) {
        setCurrentIndex(index);
        StartEditing(m_sheet->Text(index.row(), index.column()), false);
    }
}

void CStatDataGrid::contextMenuEvent(QContextMenuEvent* event) {
    const QModelIndex index = indexAt(viewport()->mapFromGlobal(event->globalPos()));
    if (!index.isValid() || !m_data)
        return;
    m_nContextRow = index.row();
    m_nContextCol = index.column();
    QMenu* menu = BuildContextMenu(index.column());
    const QAction* chosen = menu->exec(event->globalPos());
    if (chosen)
        OnCommand(chosen->data().toInt());
    delete menu;
}

void CStatDataGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    CommitCellEdit();
}

bool CStatDataGrid::focusNextPrevChild(bool) {
    // Tab moves between cells, never out of the grid.
    return false;
}

bool CStatDataGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_editor)
        return QTableView::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            CommitCellEdit();
            MoveCurrent(1, 0);
            setFocus();
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            CommitCellEdit();
            MoveCurrent(0, key->key() == Qt::Key_Tab ? 1 : -1);
            setFocus();
            return true;
        case Qt::Key_Escape:
            return true;
        default:
            break;
        }
    } else if (event->type() == QEvent::FocusOut && m_bEditing) {
        CommitCellEdit();
    }
    return QTableView::eventFilter(watched, event);
}

// --- Column types --------------------------------------------------------------------

void CStatDataGrid::ShowFrequencyRefusal() {
    ShowMessageBox(QStringLiteral(
                       "Column can only be set to a freqency column if it is to the right of a "
                       "data column"),
                   QStringLiteral("Error"), MB_OK | MB_ICONEXCLAMATION);
}

void CStatDataGrid::StepColumnType(int col) {
    if (!m_data || col < 0 || col >= QvStatGridSheet::Columns)
        return;
    CommitCellEdit();
    m_sheet->StepType(col);
    RecalcAll();
}

QMenu* CStatDataGrid::BuildContextMenu(int col) {
    auto* menu = new QMenu(this);
    auto add = [menu](const char* text, int id) {
        menu->addAction(QString::fromLatin1(text))->setData(id);
    };
    add("Title", ID_TITLE);
    menu->addSeparator();
    add("Set to data", ID_SETDATA);
    add("Set to label", ID_SETLABEL);
    add("Set to group", ID_SETGROUP);
    if (m_sheet->CanBeFrequency(col))
        add("Set to freq", ID_SETFREQ);
    add("Set to formula", ID_SETFORMULA);
    menu->addSeparator();
    add("Formula", ID_FORMULA);
    m_nContextCol = col;
    return menu;
}

void CStatDataGrid::OnCommand(int id) {
    if (!m_data)
        return;
    const int col = m_nContextCol;
    switch (id) {
    case ID_TITLE:
        EditColumnTitle(col);
        return;
    case ID_FORMULA:
        EditColumnFormula(0, 0);
        return;
    case ID_SETFREQ:
        if (!m_sheet->SetToType(col, QvStatColumn::Frequency))
            ShowFrequencyRefusal();
        RecalcAll();
        return;
    case ID_SETDATA:
        m_sheet->SetToType(col, QvStatColumn::Data);
        break;
    case ID_SETLABEL:
        m_sheet->SetToType(col, QvStatColumn::Label);
        break;
    case ID_SETGROUP:
        m_sheet->SetToType(col, QvStatColumn::Group);
        break;
    case ID_SETFORMULA:
        m_sheet->SetToType(col, QvStatColumn::Formula);
        break;
    default:
        return;
    }
    RecalcAll();
}

void CStatDataGrid::EditColumnTitle(int col) {
    if (!m_data || col < 0 || col >= QvStatGridSheet::Columns)
        return;
    CColumnTitleDlg dlg(this);
    dlg.m_strTitle = m_data->columns[size_t(col)].name;
    if (dlg.DoModal() != IDOK)
        return;
    m_data->columns[size_t(col)].name = dlg.m_strTitle;
    m_model->Refresh();
}

// --- Formulas ------------------------------------------------------------------------

void CStatDataGrid::EditColumnFormula(int gridRow, int gridCol) {
    if (!m_data)
        return;
    CommitCellEdit();
    const int col = gridRow == 0 && gridCol == 0 ? m_nContextCol : gridCol - FixedCols;
    if (col < 0 || col >= QvStatGridSheet::Columns)
        return;
    QvStatColumn& column = m_data->columns[size_t(col)];
    CColumnFormulaDlg dlg(this);
    dlg.m_strCaption = Letter(col) + QStringLiteral(" =");
    dlg.m_nFormulaColumn = column.type == QvStatColumn::Formula;
    dlg.m_strFormula = column.formula;
    if (dlg.DoModal() != IDOK)
        return;
    const QString formula = dlg.m_strEvaluable;
    QvStatGridSheet::FillColumn(*m_data, col, formula);
    column.MarkDirty();
    BeginRecord();
    m_sheet->ShowAll();
    EndRecord();
    m_sheet->StoreColumn(col);
    if (dlg.m_nFormulaColumn) {
        m_sheet->SetColumnType(col, QvStatColumn::Formula, false);
        column.formula = formula;
    } else if (column.type == QvStatColumn::Formula) {
        // Its old formula would overwrite the values just filled.
        m_sheet->SetColumnType(col, QvStatColumn::Data, false);
    }
    RecalcAll();
}

void CStatDataGrid::FillColumnFromFormula(int col, const QString& formula) {
    if (!m_data || formula.isEmpty() || col < 0 || col >= QvStatGridSheet::Columns)
        return;
    CommitCellEdit();
    QvStatGridSheet::FillColumn(*m_data, col, formula);
    BeginRecord();
    m_sheet->ShowAll();
    EndRecord();
    m_sheet->StoreColumn(col);
    // Its old formula would overwrite the values just filled.
    if (m_data->columns[size_t(col)].type == QvStatColumn::Formula)
        m_sheet->SetColumnType(col, QvStatColumn::Data, false);
    RecalcAll();
}

// --- Clipboard and undo --------------------------------------------------------------

void CStatDataGrid::CopySelection() {
    QGuiApplication::clipboard()->setText(m_sheet->CopyText(Selection()));
}

void CStatDataGrid::CopySelectionAsRows() {
    QGuiApplication::clipboard()->setText(m_sheet->CopyText(Selection(), true));
}

void CStatDataGrid::CutSelection() {
    if (!m_data)
        return;
    CommitCellEdit();
    BeginRecord();
    const QString text = m_sheet->Cut(Selection());
    EndRecord();
    RecalcAll();
    QGuiApplication::clipboard()->setText(text);
}

void CStatDataGrid::PasteFromDataObject() {
    PasteText(QGuiApplication::clipboard()->text());
}

void CStatDataGrid::PasteText(const QString& text) {
    if (!m_data || text.isEmpty())
        return;
    CommitCellEdit();
    BeginRecord();
    m_sheet->Paste(CurrentRow(), CurrentCol(), text,
                   TheSettings().m_EquationDefaults.DecimalPoint.GetValue());
    EndRecord();
    RecalcAll();
}

void CStatDataGrid::ClearSelection() {
    if (!m_data)
        return;
    CommitCellEdit();
    BeginRecord();
    m_sheet->Clear(Selection());
    EndRecord();
    m_editor->clear();
    RecalcAll();
}

void CStatDataGrid::UndoLast() {
    if (!m_data)
        return;
    if (m_undo->BeginUndo() != QvUndoManager::Ok)
        return;
    while (QvUndoItem* item = m_undo->PopUndo()) {
        const auto* cell = static_cast<QvGridUndoItem*>(item);
        const int row = cell->row - FixedRows, col = cell->col - FixedCols;
        m_sheet->SetText(row, col, cell->text);
        m_sheet->StoreCell(row, col);
    }
    m_undo->EndUndo();
    m_bEditing = false;
    m_editor->clear();
    m_editor->hide();
    RecalcAll();
}
