#include "document/lumbrel2_view.h"

#include "document/figure_state.h"
#include "document/lumbrel2_doc.h"
#include "figures/fig_angle_mark.h"
#include "figures/figure.h"
#include "framework/child_frame.h"
#include "framework/doc_template.h"
#include "framework/print_info.h"
#include "geometry/gr_rect.h"
#include "platform/command_ids.h"
#include "platform/dc.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

IMPLEMENT_DYNAMIC(Lumbrel2View, CView)

BEGIN_COMMAND_MAP(Lumbrel2View, CCmdTarget)
ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
ON_COMMAND(ID_EDIT_DELETE, OnEditDelete)
ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
ON_COMMAND(ID_EDIT_CUT, OnEditCut)
ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCut)
ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
ON_COMMAND(ID_VIEW_RECALC_LAYOUT, OnRecalcLayout)
END_COMMAND_MAP()

namespace {
constexpr int kHimetricInch = 2540;

// The page widget inside the scroll area; it paints what the view says.
class PageCanvas : public QWidget {
public:
    explicit PageCanvas(Lumbrel2View* view) : m_view(view) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        // Moves without a button fill the status text too.
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        m_view->PaintCanvas(painter, event->rect());
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            m_view->OnLButtonDown(event->modifiers(), PointOf(event));
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        m_view->OnMouseMove(event->modifiers(), PointOf(event));
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            m_view->OnLButtonUp(event->modifiers(), PointOf(event));
        else if (event->button() == Qt::RightButton)
            m_view->OnRButtonUp(event->modifiers(), PointOf(event));
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            m_view->OnLButtonDblClk(event->modifiers(), PointOf(event));
    }

private:
    CPoint PointOf(QMouseEvent* event) const {
        return m_view->CanvasToPagePoint(event->position().toPoint());
    }

    Lumbrel2View* m_view;
};

// Fusion, Qt's own style, draws a scroll bar's thumb lighter than its
// groove.  Beside the white page the thumb all but vanishes and the grey
// groove reads as the thumb, so the bars seemed to work backwards.  The
// page's bars draw their thumb darker than the groove, as desktops do.
class PageScrollBarStyle : public QProxyStyle {
public:
    explicit PageScrollBarStyle(const QString& base) : QProxyStyle(base) {}

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
        if (control != CC_ScrollBar || !bar || !(bar->subControls & SC_ScrollBarSlider) ||
            bar->minimum == bar->maximum || !(bar->state & State_Enabled))
            return;
        const QRect thumb = subControlRect(CC_ScrollBar, bar, SC_ScrollBarSlider, widget);
        const bool active = (bar->activeSubControls & SC_ScrollBarSlider) &&
                            (bar->state & (State_MouseOver | State_Sunken));
        QColor colour = bar->palette.color(QPalette::Dark);
        if (active)
            colour = colour.darker(125);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(colour);
        painter->drawRoundedRect(QRectF(thumb).adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
        painter->restore();
    }
};

// One style for the bars of every view, alive as long as the application.
QStyle* PageScrollBars() {
    static QPointer<QStyle> style;
    if (!style) {
        style = new PageScrollBarStyle(QApplication::style()->name());
        style->setParent(qApp);
    }
    return style;
}

// The screen's own pixel density, so that the page shows at its real size;
// a screen that reports no believable size gets the desktop's setting.
int ScreenPixelsPerInch(const QWidget* widget) {
    QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return 96;
    double ppi = screen->physicalDotsPerInchX();
    if (!(ppi >= 48.0 && ppi <= 600.0))
        ppi = screen->logicalDotsPerInchX();
    return std::max(1, int(std::lround(ppi)));
}
} // namespace

Lumbrel2View::Lumbrel2View(QWidget* parent) : CView(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The view itself holds the keyboard, wherever in it the user clicks:
    // the scroll area would take arrow keys for scrolling.
    setFocusPolicy(Qt::StrongFocus);
    m_pScrollArea = new QScrollArea(this);
    m_pScrollArea->setFocusPolicy(Qt::NoFocus);
    m_pScrollArea->setFrameShape(QFrame::NoFrame);
    m_pScrollArea->setWidgetResizable(false);
    // Paper is white whatever the desktop's colours, also beside the page.
    QWidget* viewport = m_pScrollArea->viewport();
    QPalette palette = viewport->palette();
    palette.setColor(QPalette::Window, Qt::white);
    viewport->setPalette(palette);
    viewport->setBackgroundRole(QPalette::Window);
    viewport->setAutoFillBackground(true);
    m_pCanvas = new PageCanvas(this);
    m_pCanvas->setCursor(Qt::ArrowCursor);
    m_pScrollArea->setWidget(m_pCanvas);
    m_pScrollArea->horizontalScrollBar()->setStyle(PageScrollBars());
    m_pScrollArea->verticalScrollBar()->setStyle(PageScrollBars());
    layout->addWidget(m_pScrollArea);
    SetPixelsPerInch(ScreenPixelsPerInch(this));
}

Lumbrel2View::~Lumbrel2View() = default;

Lumbrel2Doc* Lumbrel2View::GetDocument() const {
    return static_cast<Lumbrel2Doc*>(CView::GetDocument());
}

void Lumbrel2View::OnInitialUpdate() {
    CView::OnInitialUpdate();
    // A line step is a hundredth of the page.
    int step = std::max(1, PagePixels() / 100);
    m_pScrollArea->horizontalScrollBar()->setSingleStep(step);
    m_pScrollArea->verticalScrollBar()->setSingleStep(step);
    InvalidatePage();
}

// --------------------------------------------------------------- mapping

void Lumbrel2View::SetPixelsPerInch(int ppi) {
    m_nPixelsPerInch = std::max(1, ppi);
    m_pCanvas->setFixedSize(PagePixels() + 1, PagePixels() + 1); // + the page edge
    m_page = QImage();
    InvalidatePage();
}

int Lumbrel2View::PagePixels() const {
    return int(std::lround(double(PageSize) * m_nPixelsPerInch / kHimetricInch));
}

QRect Lumbrel2View::LogicalToCanvas(const CRect& r) const {
    double k = double(m_nPixelsPerInch) / kHimetricInch;
    double x0 = std::min(r.left, r.right) * k, x1 = std::max(r.left, r.right) * k;
    double y0 = (PageSize - std::max(r.top, r.bottom)) * k;
    double y1 = (PageSize - std::min(r.top, r.bottom)) * k;
    return QRect(QPoint(int(std::floor(x0)), int(std::floor(y0))),
                 QPoint(int(std::ceil(x1)), int(std::ceil(y1))));
}

QvPoint Lumbrel2View::CanvasToLogical(const QPoint& p) const {
    double k = double(kHimetricInch) / m_nPixelsPerInch;
    return QvPoint(p.x() * k, PageSize - p.y() * k);
}

void Lumbrel2View::OnPrepareDC(CDC* dc, CPrintInfo* info) {
    dc->SetMapMode(MM_HIMETRIC);
    dc->SetWindowOrg(0, PageSize);
    if (info) {
        // Pages run across, then down; each shows the next tile of the
        // drawing, in the same 0.01 mm the tiles were counted in.
        int across = std::max(1, m_nPagesAcross);
        int index = int(info->m_nCurPage) - 1;
        int column = index % across;
        int row = index / across;
        dc->SetWindowOrg(column * m_nPageWidth, PageSize - row * m_nPageHeight);
        // Only this page's tile: what lies beyond it belongs to the next
        // page, and the paper's margins (or the preview's grey) to none.
        CRgn tile;
        tile.CreateRectRgn(0, 0, dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES));
        dc->SelectClipRgn(&tile);
    }
}

void Lumbrel2View::PrepareScreenDC(CDC* dc) const {
    dc->SetDeviceResolution(m_nPixelsPerInch, m_nPixelsPerInch);
    const_cast<Lumbrel2View*>(this)->OnPrepareDC(dc);
}

// --------------------------------------------------------------- drawing

void Lumbrel2View::OnDraw(CDC* dc) {
    Lumbrel2Doc* doc = GetDocument();
    if (dc->GetDeviceCaps(TECHNOLOGY) == DT_RASDISPLAY) {
        dc->MoveTo(PageSize, 0);
        dc->LineTo(PageSize, PageSize);
        dc->LineTo(0, PageSize);
    }
    if (!doc)
        return;
    CRect clip;
    dc->GetClipBox(&clip);
    // The figures are drawn smoothly; grid dots and grips by whole pixels.
    BOOL smooth = dc->SetSmoothing(FALSE);
    doc->DrawGrid(dc, clip.left, clip.top, clip.right, clip.bottom);
    dc->SetSmoothing(smooth);
    for (QvFigure* f : doc->Figures())
        f->DrawMapped(dc, QvDrawMode::Normal, NullFrame, CRect());
    dc->SetSmoothing(FALSE);
    for (QvFigure* f : doc->Selection())
        f->DrawHandles(dc);
    dc->SetSmoothing(smooth);
    doc->ClearSnapReferences();
}

void Lumbrel2View::OnUpdate(CView*, LPARAM, CObject* hintObject) {
    EndInPlaceEdit();
    // Every change to the drawing ends here: an angle mark being made
    // starts again when a figure it took has left the drawing's list, so it
    // is never built from a figure the history may free.
    if (auto* mark = dynamic_cast<QvFigAngleMark*>(m_pNewFigure.get())) {
        const std::vector<QvFigure*>& figures = GetDocument()->Figures();
        const auto gone = [&](const QvFigure* f) {
            return f && std::find(figures.begin(), figures.end(), f) == figures.end();
        };
        if (gone(mark->AngleData()->m_pFirst) || gone(mark->AngleData()->m_pSecond))
            mark->RestartCreation();
    }
    if (auto* figure = dynamic_cast<QvFigure*>(hintObject))
        InvalidateLogical(figure->GetBoundRect());
    else
        InvalidatePage();
}

void Lumbrel2View::InvalidateLogical(const CRect& r) {
    // Grips and thick pens reach a little past a figure's bounds.
    QRect area = LogicalToCanvas(r).adjusted(-8, -8, 8, 8);
    m_staleArea += area;
    m_pCanvas->update(area);
}

void Lumbrel2View::InvalidatePage() {
    m_staleArea = m_pCanvas->rect();
    m_pCanvas->update();
}

const QImage& Lumbrel2View::PageImage() {
    return PageImage(m_pCanvas->rect());
}

const QImage& Lumbrel2View::PageImage(const QRect& area) {
    qreal dpr = std::max<qreal>(1.0, m_pCanvas->devicePixelRatioF());
    QSize size(int(std::ceil(m_pCanvas->width() * dpr)), int(std::ceil(m_pCanvas->height() * dpr)));
    if (m_page.size() != size || dpr != m_dpr) {
        m_dpr = dpr;
        m_page = QImage(size, QImage::Format_RGB32);
        m_staleArea = m_pCanvas->rect();
    }
    // A page to be drawn all over (new, zoomed, changed throughout) is drawn
    // first where the window shows it, and the rest once the window has
    // been painted, in one go, so that scrolling finds it drawn.  Smaller
    // changes are drawn whole at once: a figure dragged across the window's
    // edge is drawn once a move, not twice.
    const bool allOver = m_staleArea == QRegion(m_pCanvas->rect());
    const QRect due =
        allOver ? m_staleArea.intersected(area).boundingRect() : m_staleArea.boundingRect();
    if (!due.isEmpty()) {
        RenderPage(due);
        m_staleArea -= due;
    }
    if (!m_staleArea.isEmpty() && !m_bRestQueued) {
        m_bRestQueued = true;
        QTimer::singleShot(0, m_pCanvas, [this] {
            m_bRestQueued = false;
            PageImage();
        });
    }
    return m_page;
}

void Lumbrel2View::RenderPage(const QRect& area) {
    QRect device =
        QRectF(area.x() * m_dpr, area.y() * m_dpr, area.width() * m_dpr, area.height() * m_dpr)
            .toAlignedRect()
            .intersected(m_page.rect());
    if (device.isEmpty())
        return;
    QPainter painter(&m_page);
    painter.fillRect(device, Qt::white);
    CDC dc(&painter);
    int ppi = int(std::lround(m_nPixelsPerInch * m_dpr));
    dc.SetDeviceResolution(ppi, ppi);
    OnPrepareDC(&dc);
    CRgn clip;
    clip.CreateRectRgn(device.left(), device.top(), device.right() + 1, device.bottom() + 1);
    dc.SelectClipRgn(&clip);
    OnDraw(&dc);
}

void Lumbrel2View::PaintCanvas(QPainter& painter, const QRect& area) {
    const QImage& page = PageImage(area);
    QRectF source(area.x() * m_dpr, area.y() * m_dpr, area.width() * m_dpr, area.height() * m_dpr);
    painter.drawImage(QRectF(area), page, source);
    CDC dc(&painter);
    PrepareScreenDC(&dc);
    DrawOverlay(&dc);
}

// --------------------------------------------------------------- overlay

void Lumbrel2View::DrawOverlay(CDC* dc) {
    // The figure being made (or the select tool's rectangle), dotted; the
    // figures the pointer snaps to, in the highlight colour.
    if (m_pNewFigure)
        m_pNewFigure->DrawMapped(dc, QvDrawMode::Dotted, NullFrame, CRect());
    if (Lumbrel2Doc* doc = GetDocument()) {
        QvFigure* selected = doc->GetFirstSelected();
        if (QvFigure* f = doc->SnapFigure1(); f && f != selected)
            f->DrawMapped(dc, QvDrawMode::Highlight, doc->SnapFrame1(), CRect());
        if (QvFigure* f = doc->SnapFigure2(); f && f != selected)
            f->DrawMapped(dc, QvDrawMode::Highlight, doc->SnapFrame2(), CRect());
    }
}

// -------------------------------------------------------------- commands

void Lumbrel2View::OnEditDelete() {
    // In a text box's editor it deletes the selected text, or the
    // character after the caret.
    if (IsEditingInPlace()) {
        if (auto* edit = qobject_cast<QPlainTextEdit*>(m_pInPlaceEdit)) {
            QTextCursor cursor = edit->textCursor();
            if (cursor.hasSelection())
                cursor.removeSelectedText();
            else
                cursor.deleteChar();
            edit->setTextCursor(cursor);
        }
        return;
    }
    Lumbrel2Doc* doc = GetDocument();
    if (!doc)
        return;
    if (QvFigure* last = doc->TakeLastCreated()) {
        doc->ClearSelection();
        doc->AddToSelection(last);
    }
    doc->DeleteSelection();
}

namespace {
// The text box's control may be any of Qt's text editors.
bool HasTextSelection(QWidget* edit) {
    if (auto* line = qobject_cast<QLineEdit*>(edit))
        return line->hasSelectedText();
    if (auto* text = qobject_cast<QTextEdit*>(edit))
        return text->textCursor().hasSelection();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(edit))
        return plain->textCursor().hasSelection();
    return false;
}
} // namespace

void Lumbrel2View::OnEditCopy() {
    if (IsEditingInPlace()) {
        QMetaObject::invokeMethod(m_pInPlaceEdit, "copy");
        return;
    }
    if (Lumbrel2Doc* doc = GetDocument())
        doc->OnEditCopy();
}

void Lumbrel2View::OnEditCut() {
    if (IsEditingInPlace()) {
        QMetaObject::invokeMethod(m_pInPlaceEdit, "cut");
        return;
    }
    if (Lumbrel2Doc* doc = GetDocument())
        doc->OnEditCut();
}

void Lumbrel2View::OnEditPaste() {
    if (IsEditingInPlace()) {
        QMetaObject::invokeMethod(m_pInPlaceEdit, "paste");
        return;
    }
    if (Lumbrel2Doc* doc = GetDocument())
        doc->OnEditPaste();
}

void Lumbrel2View::OnUpdateEditCopy(CCmdUI* ui) {
    if (IsEditingInPlace())
        ui->Enable(HasTextSelection(m_pInPlaceEdit));
    else if (Lumbrel2Doc* doc = GetDocument())
        doc->OnUpdateEditCopy(ui);
}

void Lumbrel2View::OnUpdateEditCut(CCmdUI* ui) {
    if (IsEditingInPlace())
        ui->Enable(HasTextSelection(m_pInPlaceEdit));
    else if (Lumbrel2Doc* doc = GetDocument())
        doc->OnUpdateEditCut(ui);
}

void Lumbrel2View::OnUpdateEditPaste(CCmdUI* ui) {
    if (IsEditingInPlace()) {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        ui->Enable(data && data->hasText());
    } else if (Lumbrel2Doc* doc = GetDocument()) {
        doc->OnUpdateEditPaste(ui);
    }
}

void Lumbrel2View::OnRecalcLayout() {
    if (CChildFrame* frame = GetParentFrame())
        if (QLayout* layout = frame->layout())
            layout->activate();
    if (layout())
        layout()->activate();
}

DocumentClasses LumbrelDocumentClasses() {
    return {[] { return std::make_unique<Lumbrel2Doc>(); }, [] { return new Lumbrel2View; }};
}
