#include "dialogs/gallery_dialogs.h"

#include "diagrams/gallery_list.h"
#include "dialogs/data_combo_box.h"
#include "figures/fig_gallery.h"
#include "geometry/gr_rect.h"
#include "platform/dc.h"
#include "platform/gdi_objects.h"
#include "platform/message_box.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <memory>

namespace {

// The white area behind the thumbnails, and the part of it redrawn after
// a change.
const QRect kThumbnailArea(QPoint(10, 35), QPoint(307, 428));
const QRect kInvalidArea(QPoint(11, 36), QPoint(306, 427));
// The selection frame: red, 4 pixels wide.
constexpr int kFrameWidth = 4;

QDialogButtonBox* AddOkCancel(CDialog* dlg, QBoxLayout* layout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dlg);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dlg, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dlg, &QDialog::reject);
    layout->addWidget(buttons);
    return buttons;
}

// The Add Gallery step of the browser and of Save To Gallery: asks for a
// title, asks again before reusing one, and writes the new gallery.  Its
// index, or -1 when the user cancelled or it could not be written.
int AddGallery(CDialog* parent, QvGalleryList& list) {
    CNewGalleryDlg dlg(parent);
    if (dlg.DoModal() != IDOK)
        return -1;
    const QString& title = dlg.m_strTitle;
    if (list.GalleryExists(title) &&
        AfxMessageBox(
            QStringLiteral("A gallery named \"%1\" already exists. Create another one?").arg(title),
            MB_YESNO | MB_ICONQUESTION) != IDYES)
        return -1;
    const int g = list.CreateGallery(title);
    if (g < 0)
        AfxMessageBox(QStringLiteral("The gallery \"%1\" could not be created in %2.")
                          .arg(title, list.GetFolder()),
                      MB_ICONEXCLAMATION);
    return g;
}

// Draws a copy of a gallery figure into a box of dialog pixels.
void DrawInBox(CDC& dc, QvFigure& figure, const QRectF& box) {
    QvPointArray& p = figure.DefiningPoints();
    p[0] = QvPoint(box.left(), box.top());
    p[1] = QvPoint(box.right(), box.top());
    p[2] = QvPoint(box.right(), box.bottom());
    p[3] = QvPoint(box.left(), box.bottom());
    figure.DrawMapped(&dc, QvDrawMode::Normal, NullFrame, CRect(0, 0, 0, 0));
}

// Titles in the order a sorted list shows them, each carrying the
// gallery's index.
template <class AddAt> void AddTitlesSorted(QvGalleryList& list, QStringList& shown, AddAt add) {
    for (int g = 0; g < list.GetGalleryCount(); ++g) {
        const QString title = list.GetGalleryTitle(g);
        qsizetype at = 0;
        while (at < shown.size() && shown[at].compare(title, Qt::CaseInsensitive) <= 0)
            ++at;
        shown.insert(at, title);
        add(int(at), title, g);
    }
}

} // namespace

// --- Select Gallery Figure ---------------------------------------------------

CSelectGalleryFigureDlg::CSelectGalleryFigureDlg(QWidget* parent)
    : CDialog(parent), m_comboGallery(new CDataComboBox(this)),
      m_btnEditFigure(new QPushButton(QStringLiteral("Edit"), this)),
      m_btnMoveUp(new QPushButton(QStringLiteral("Move Up"), this)),
      m_btnMoveDown(new QPushButton(QStringLiteral("Move Down"), this)),
      m_btnAddGallery(new QPushButton(QStringLiteral("Add Gallery"), this)),
      m_btnChangeTitle(new QPushButton(QStringLiteral("Change Title"), this)),
      m_btnDeleteFigure(new QPushButton(QStringLiteral("Delete Figure"), this)),
      m_btnEditGallery(new QPushButton(QStringLiteral("Edit"), this)),
      m_scrollBar(new QScrollBar(Qt::Vertical, this)), m_editGalleryText(new QPlainTextEdit(this)),
      m_editFigureText(new QPlainTextEdit(this)) {
    setWindowTitle(QStringLiteral("Select Gallery Figure"));
    setFixedSize(560, 440);
    // The grid is drawn in dialog pixels, so the left side is placed by hand.
    m_comboGallery->setGeometry(10, 6, 298, 26);
    m_scrollBar->setGeometry(312, 35, 16, 394);
    m_scrollBar->setSingleStep(1);
    m_scrollBar->setPageStep(Rows);

    auto* side = new QWidget(this);
    side->setGeometry(340, 6, 212, 428);
    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QPlainTextEdit* text : {m_editGalleryText, m_editFigureText})
        text->setReadOnly(true);
    auto addText = [&](const QString& label, QPlainTextEdit* text, QPushButton* edit) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(label, side));
        row->addStretch();
        row->addWidget(edit);
        layout->addLayout(row);
        layout->addWidget(text);
    };
    addText(QStringLiteral("Gallery"), m_editGalleryText, m_btnEditGallery);
    addText(QStringLiteral("Figure"), m_editFigureText, m_btnEditFigure);
    auto* grid = new QGridLayout;
    grid->addWidget(m_btnAddGallery, 0, 0);
    grid->addWidget(m_btnMoveUp, 0, 1);
    grid->addWidget(m_btnChangeTitle, 1, 0);
    grid->addWidget(m_btnMoveDown, 1, 1);
    grid->addWidget(m_btnDeleteFigure, 2, 1);
    auto* ok = new QPushButton(QStringLiteral("OK"), side);
    ok->setDefault(true);
    grid->addWidget(ok, 3, 1);
    layout->addLayout(grid);
    for (QPushButton* b : {m_btnEditFigure, m_btnMoveUp, m_btnMoveDown, m_btnAddGallery,
                           m_btnChangeTitle, m_btnDeleteFigure, m_btnEditGallery})
        b->setAutoDefault(false);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int v) { OnScroll(v); });
    connect(m_comboGallery, &QComboBox::currentIndexChanged, this, [this] { OnGalleryChanged(); });
    connect(m_btnMoveUp, &QPushButton::clicked, this, [this] { OnMoveUp(); });
    connect(m_btnMoveDown, &QPushButton::clicked, this, [this] { OnMoveDown(); });
    connect(m_btnDeleteFigure, &QPushButton::clicked, this, [this] { OnDeleteFigure(); });
    connect(m_btnChangeTitle, &QPushButton::clicked, this, [this] { OnChangeTitle(); });
    connect(m_btnAddGallery, &QPushButton::clicked, this, [this] { OnAddGallery(); });
    connect(m_btnEditFigure, &QPushButton::clicked, this, [this] { OnEditFigureDescription(); });
    connect(m_btnEditGallery, &QPushButton::clicked, this, [this] { OnEditGalleryDescription(); });
}

int CSelectGalleryFigureDlg::ScrollRange(int count) {
    // Four rows show twelve figures, so the last row may start past nine.
    return std::max(0, count - (Rows - 1) * Columns) / Columns;
}

QRect CSelectGalleryFigureDlg::CellRect(int column, int row) {
    return QRect(GridLeft + CellSize * column, GridTop + CellSize * row, CellSize, CellSize);
}

QRectF CSelectGalleryFigureDlg::ThumbnailRect(QPoint corner, double ratio) {
    const double size = ThumbnailSize;
    double x0 = 0.0, y0 = 0.0;
    if (ratio <= 1.0)
        y0 = (size - size * ratio) / 2.0;
    else
        x0 = (size - size / ratio) / 2.0;
    return QRectF(corner.x() + x0, corner.y() + y0, size - 2.0 * x0, size - 2.0 * y0);
}

BOOL CSelectGalleryFigureDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    FillCombo();
    m_bRepaint = true;
    return TRUE;
}

void CSelectGalleryFigureDlg::DoDataExchange(CDataExchange* pDX) {
    if (pDX->m_bSaveAndValidate)
        return;
    m_editGalleryText->setPlainText(m_strGalleryText);
    m_editFigureText->setPlainText(m_strFigureText);
}

void CSelectGalleryFigureDlg::FillCombo() {
    m_comboGallery->blockSignals(true);
    m_comboGallery->clear();
    if (m_pGalleryList) {
        QStringList shown;
        const int selected = m_pGalleryList->GetSelectedGallery();
        AddTitlesSorted(*m_pGalleryList, shown, [&](int at, const QString& title, int g) {
            m_comboGallery->insertItem(at, title, QVariant::fromValue<uint>(uint(g)));
        });
        int item = m_comboGallery->findData(QVariant::fromValue<uint>(uint(selected)));
        m_comboGallery->setCurrentIndex(item >= 0 ? item : 0);
    }
    m_comboGallery->blockSignals(false);
    ResetScrollBar();
}

int CSelectGalleryFigureDlg::ShownGallery() const {
    return int(m_comboGallery->GetSelectedData());
}

void CSelectGalleryFigureDlg::ResetScrollBar() {
    // Counting loads the gallery, here rather than while painting, so a
    // damaged file is reported outside the paint.
    const int count = m_pGalleryList ? m_pGalleryList->GetFigureCount(ShownGallery()) : 0;
    m_scrollBar->blockSignals(true);
    m_scrollBar->setRange(0, ScrollRange(count));
    m_scrollBar->setValue(0);
    m_scrollBar->blockSignals(false);
    m_nFirstShown = 0;
    UpdateState();
    InvalidateThumbnails();
}

void CSelectGalleryFigureDlg::InvalidateThumbnails() {
    m_bRepaint = true;
    update(kInvalidArea);
}

void CSelectGalleryFigureDlg::UpdateState() {
    QvGalleryList* list = m_pGalleryList;
    if (!list)
        return;
    const int g = ShownGallery();
    const int selectedGallery = list->GetSelectedGallery();
    const int selectedFigure = list->GetSelectedFigure();
    const bool selectedShown = selectedGallery == g && g < list->GetGalleryCount();
    const bool writable = list->IsWritable(g);

    if (g < list->GetGalleryCount() && !list->IsReadable(g))
        m_strGalleryText = QStringLiteral("This gallery cannot be read.");
    else
        m_strGalleryText = list->GetGalleryDescription(g);
    m_strFigureText = selectedShown ? list->GetSelectedFigureDescription() : NoImageText();
    UpdateData(FALSE);

    // Delete and Move act on the gallery shown, so they need its figure.
    const bool figureHere = selectedShown && writable && selectedFigure >= 0;
    m_btnEditFigure->setEnabled(selectedShown);
    m_btnAddGallery->setEnabled(list->IsCreationAllowed());
    m_btnDeleteFigure->setEnabled(figureHere);
    m_btnChangeTitle->setEnabled(writable);
    m_btnMoveUp->setEnabled(figureHere && selectedFigure > 0);
    m_btnMoveDown->setEnabled(figureHere && selectedFigure < list->GetFigureCount(g) - 1);
    m_btnEditGallery->setEnabled(true);
}

void CSelectGalleryFigureDlg::paintEvent(QPaintEvent* event) {
    CDialog::paintEvent(event);
    if (!m_bRepaint || !m_pGalleryList)
        return;
    QvGalleryList& list = *m_pGalleryList;
    CDC dc(static_cast<QPaintDevice*>(this));
    dc.Painter()->setClipRect(kThumbnailArea.adjusted(0, 0, 1, 1));
    CDCSelect<CPen> black(&dc, BLACK_PEN);
    CDCSelect<CBrush> white(&dc, WHITE_BRUSH);
    dc.Rectangle(10, 35, 308, 429);

    const int g = ShownGallery();
    const int count = list.GetFigureCount(g);
    for (int r = 0; r < Rows; ++r) {
        for (int c = 0; c < Columns; ++c) {
            const int i = m_nFirstShown + c + Columns * r;
            if (i >= count)
                continue;
            std::unique_ptr<QvFigGallery> copy = list.CreateFigure(g, i);
            if (!copy)
                continue;
            const QPoint corner = CellRect(c, r).topLeft() + QPoint(12, 12);
            DrawInBox(dc, *copy, ThumbnailRect(corner, copy->GetAspectRatio()));
        }
    }

    CDCSelect<CBrush> noFill(&dc, NULL_BRUSH);
    CPen red(PS_SOLID, kFrameWidth, RGB(255, 0, 0));
    CDCSelect<CPen> redPen(&dc, &red);
    const int k = list.GetSelectedFigure() - m_nFirstShown;
    if (list.GetSelectedGallery() == g && k >= 0 && k < Columns * Rows) {
        QRect cell = CellRect(k % Columns, k / Columns);
        dc.Rectangle(cell.left(), cell.top(), cell.left() + CellSize, cell.top() + CellSize);
    }
}

void CSelectGalleryFigureDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        OnThumbnailClick(event->position().toPoint());
    CDialog::mouseReleaseEvent(event);
}

void CSelectGalleryFigureDlg::OnThumbnailClick(QPoint p) {
    if (!m_pGalleryList)
        return;
    const QRect grid(GridLeft, GridTop, CellSize * Columns, CellSize * Rows);
    if (!grid.contains(p))
        return;
    const int c = (p.x() - GridLeft) / CellSize;
    const int r = (p.y() - GridTop) / CellSize;
    m_pGalleryList->Select(ShownGallery(), m_nFirstShown + c + Columns * r);
    UpdateState();
    InvalidateThumbnails();
}

void CSelectGalleryFigureDlg::OnScroll(int position) {
    m_nFirstShown = position * Columns;
    InvalidateThumbnails();
}

void CSelectGalleryFigureDlg::OnGalleryChanged() {
    ResetScrollBar();
}

void CSelectGalleryFigureDlg::ReportWrite(bool written, int gallery) {
    if (written || !m_pGalleryList)
        return;
    QvGallery* g = m_pGalleryList->GetGallery(gallery);
    AfxMessageBox(QvGallery::WriteFailedMessage(g ? g->GetPath() : m_pGalleryList->GetFolder()),
                  MB_ICONEXCLAMATION);
}

void CSelectGalleryFigureDlg::MoveSelected(bool down) {
    QvGalleryList* list = m_pGalleryList;
    const int g = ShownGallery();
    if (!list || list->GetSelectedGallery() != g)
        return;
    const int f = list->GetSelectedFigure();
    ReportWrite(down ? list->MoveSelectedFigureDown(g, f) : list->MoveSelectedFigureUp(g, f), g);
    UpdateState();
    InvalidateThumbnails();
}

void CSelectGalleryFigureDlg::OnMoveUp() {
    MoveSelected(false);
}

void CSelectGalleryFigureDlg::OnMoveDown() {
    MoveSelected(true);
}

void CSelectGalleryFigureDlg::OnDeleteFigure() {
    QvGalleryList* list = m_pGalleryList;
    const int g = ShownGallery();
    if (!list || list->GetSelectedGallery() != g)
        return;
    std::unique_ptr<QvFigGallery> shown = list->CreateFigure(g, list->GetSelectedFigure());
    CDeleteGalleryFigureDlg dlg(this);
    dlg.m_pFigure = shown.get();
    if (dlg.DoModal() != IDOK)
        return;
    ReportWrite(list->DeleteSelectedFigure(), g);
    // Fewer figures may need fewer rows.
    const int first = m_nFirstShown;
    ResetScrollBar();
    m_scrollBar->setValue(first / Columns);
}

void CSelectGalleryFigureDlg::OnChangeTitle() {
    QvGalleryList* list = m_pGalleryList;
    if (!list)
        return;
    const int g = ShownGallery();
    CGalleryTitleDlg dlg(this);
    dlg.m_strCurrentTitle = dlg.m_strNewTitle = list->GetGalleryTitle(g);
    if (dlg.DoModal() != IDOK)
        return;
    ReportWrite(list->RetitleGallery(g, dlg.m_strNewTitle), g);
    FillCombo();
}

void CSelectGalleryFigureDlg::OnAddGallery() {
    if (m_pGalleryList && AddGallery(this, *m_pGalleryList) >= 0)
        FillCombo();
}

void CSelectGalleryFigureDlg::OnEditFigureDescription() {
    QvGalleryList* list = m_pGalleryList;
    if (!list)
        return;
    CGalleryDescriptionDlg dlg(this);
    dlg.m_strText = m_strFigureText;
    const int g = ShownGallery();
    if (dlg.DoModal() != IDOK || list->GetSelectedGallery() != g)
        return;
    ReportWrite(list->SetSelectedFigureDescription(dlg.m_strText), g);
    UpdateState();
}

void CSelectGalleryFigureDlg::OnEditGalleryDescription() {
    QvGalleryList* list = m_pGalleryList;
    if (!list)
        return;
    CGalleryDescriptionDlg dlg(this);
    dlg.m_strText = m_strGalleryText;
    if (dlg.DoModal() != IDOK)
        return;
    const int g = ShownGallery();
    ReportWrite(list->SetGalleryDescription(dlg.m_strText, g), g);
    UpdateState();
}

void RunGalleryBrowser(QvGalleryList& galleries) {
    CSelectGalleryFigureDlg dlg(QApplication::activeWindow());
    dlg.m_pGalleryList = &galleries;
    dlg.DoModal();
}

// --- Select Gallery to Add Figure ---------------------------------------------

int RunSelectGallery(QvGalleryList& galleries) {
    CSelectGalleryDlg dlg(QApplication::activeWindow());
    dlg.m_pGalleryList = &galleries;
    return dlg.DoModal() == IDOK ? dlg.m_nChosenGallery : -1;
}

CSelectGalleryDlg::CSelectGalleryDlg(QWidget* parent)
    : CDialog(parent), m_listGalleries(new QListWidget(this)),
      m_btnAddGallery(new QPushButton(QStringLiteral("Add Gallery"), this)) {
    setWindowTitle(QStringLiteral("Select Gallery to Add Figure"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_listGalleries);
    // With no gallery yet, the first one is made here.
    auto* row = new QHBoxLayout;
    row->addWidget(m_btnAddGallery);
    row->addStretch();
    layout->addLayout(row);
    m_btnOk = AddOkCancel(this, layout)->button(QDialogButtonBox::Ok);
    connect(m_btnAddGallery, &QPushButton::clicked, this, [this] { OnAddGallery(); });
    // A double click chooses as OK does.
    connect(m_listGalleries, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        m_listGalleries->setCurrentItem(item);
        OnOK();
    });
}

BOOL CSelectGalleryDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    FillList(m_pGalleryList ? m_pGalleryList->GetSelectedGallery() : -1);
    return TRUE;
}

void CSelectGalleryDlg::FillList(int current) {
    m_listGalleries->clear();
    if (m_pGalleryList) {
        QStringList shown;
        AddTitlesSorted(*m_pGalleryList, shown, [&](int at, const QString& title, int g) {
            auto* item = new QListWidgetItem(title);
            item->setData(Qt::UserRole, g);
            m_listGalleries->insertItem(at, item);
        });
    }
    int row = 0;
    for (int i = 0; i < m_listGalleries->count(); ++i)
        if (m_listGalleries->item(i)->data(Qt::UserRole).toInt() == current)
            row = i;
    m_listGalleries->setCurrentRow(m_listGalleries->count() > 0 ? row : -1);
    // No gallery, nothing to choose.
    m_btnOk->setEnabled(m_listGalleries->count() > 0);
    m_btnAddGallery->setEnabled(m_pGalleryList && m_pGalleryList->IsCreationAllowed());
}

void CSelectGalleryDlg::OnAddGallery() {
    if (!m_pGalleryList)
        return;
    const int g = AddGallery(this, *m_pGalleryList);
    if (g >= 0)
        FillList(g);
}

void CSelectGalleryDlg::OnOK() {
    QListWidgetItem* item = m_listGalleries->currentItem();
    if (!item)
        return;
    m_nChosenGallery = item->data(Qt::UserRole).toInt();
    EndDialog(IDOK);
}

// --- Change Gallery Title ------------------------------------------------------

CGalleryTitleDlg::CGalleryTitleDlg(QWidget* parent)
    : CDialog(parent), m_labelCurrentTitle(new QLabel(this)), m_editNewTitle(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Change Gallery Title"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Current Title"), m_labelCurrentTitle);
    form->addRow(QStringLiteral("New Title"), m_editNewTitle);
    layout->addLayout(form);
    AddOkCancel(this, layout);
}

void CGalleryTitleDlg::DoDataExchange(CDataExchange* pDX) {
    if (!pDX->m_bSaveAndValidate)
        m_labelCurrentTitle->setText(m_strCurrentTitle);
    DDX_Text(pDX, m_editNewTitle, m_strNewTitle);
}

// --- Create New Gallery --------------------------------------------------------

CNewGalleryDlg::CNewGalleryDlg(QWidget* parent)
    : CDialog(parent), m_editTitle(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Create New Gallery"));
    m_editTitle->setMaxLength(MaxTitle);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Gallery Title"), m_editTitle);
    layout->addLayout(form);
    AddOkCancel(this, layout);
}

void CNewGalleryDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, m_editTitle, m_strTitle);
}

// --- Delete Gallery Figure -----------------------------------------------------

CDeleteGalleryFigureDlg::CDeleteGalleryFigureDlg(QWidget* parent) : CDialog(parent) {
    setWindowTitle(QStringLiteral("Delete Gallery Figure"));
    setFixedSize(225, 160);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(QStringLiteral("Really Delete?"), this);
    text->setAlignment(Qt::AlignRight | Qt::AlignTop);
    layout->addWidget(text);
    layout->addStretch();
    AddOkCancel(this, layout);
}

void CDeleteGalleryFigureDlg::paintEvent(QPaintEvent* event) {
    CDialog::paintEvent(event);
    if (!m_pFigure)
        return;
    CDC dc(static_cast<QPaintDevice*>(this));
    DrawInBox(dc, *m_pFigure, QRectF(20, 40, 100, 100));
}

// --- Change Description --------------------------------------------------------

CGalleryDescriptionDlg::CGalleryDescriptionDlg(QWidget* parent)
    : CDialog(parent), m_editText(new QPlainTextEdit(this)) {
    setWindowTitle(QStringLiteral("Change Description"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_editText);
    AddOkCancel(this, layout);
}

void CGalleryDescriptionDlg::DoDataExchange(CDataExchange* pDX) {
    if (pDX->m_bSaveAndValidate)
        m_strText = m_editText->toPlainText();
    else
        m_editText->setPlainText(m_strText);
}
