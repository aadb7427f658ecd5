// Editing a text box in place: an editor laid over the box on the page.
// The box leaves its text to the editor meanwhile; the text goes into the
// box as it is typed, so that saving or closing the drawing keeps it, and
// ending the edit makes it one step of undo.
#include "document/lumbrel2_view.h"

#include "document/figure_state.h"
#include "document/lumbrel2_doc.h"
#include "document/undo_actions.h"
#include "figures/fig_text.h"
#include "platform/codepage.h"
#include "platform/font_map.h"
#include "platform/qt_convert.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
// Twenty dialog units of the dialog font, as edit controls set tab stops.
constexpr qreal kTabStopPixels = 30.0;

// The box keeps its lines ending in CR LF; the editor shows lines.
QString EditorText(const QPlainTextEdit* edit) {
    QString text = edit->toPlainText();
    text.replace(QChar('\n'), QStringLiteral("\r\n"));
    return text;
}

// A font record at a height in pixels: a positive height is the whole
// cell, as the drawing measures it, so the editor's text has the size of
// the drawn text.
QFont EditorFont(const LOGFONT& log) {
    const QString face =
        FromWindows1252(log.lfFaceName, qsizetype(strnlen(log.lfFaceName, LF_FACESIZE)));
    QFont font(SubstituteFace(face));
    if (IsSymbolFace(face))
        font.setFamilies(SymbolFamilies());
    if (log.lfWeight != FW_DONTCARE)
        font.setWeight(QFont::Weight(std::clamp(int(log.lfWeight), 1, 1000)));
    font.setItalic(log.lfItalic != 0);
    font.setUnderline(log.lfUnderline != 0);
    font.setStrikeOut(log.lfStrikeOut != 0);
    double em = std::abs(log.lfHeight);
    if (log.lfHeight > 0) {
        QFont probe(font);
        probe.setPixelSize(1000);
        QFontMetricsF metrics(probe);
        const double cell = metrics.ascent() + metrics.descent();
        if (cell > 0)
            em = em * 1000 / cell;
    }
    font.setPixelSize(std::max(1, int(em + 0.5)));
    return font;
}

Qt::Alignment EditorAlignment(LONG justify) {
    switch (justify) {
    case QvEditDataText::Centre:
        return Qt::AlignHCenter;
    case QvEditDataText::Right:
        return Qt::AlignRight;
    default:
        return Qt::AlignLeft;
    }
}
} // namespace

bool Lumbrel2View::IsEditingInPlace() const {
    return m_pInPlaceEdit && m_pEditedTextBox && m_pEditedTextBox->IsEditingInPlace();
}

void Lumbrel2View::BeginInPlaceEdit(QvFigText* box) {
    EndInPlaceEdit();
    Lumbrel2Doc* doc = GetDocument();
    if (!box || !doc || !doc->ContainsFigure(box))
        return;
    const QvEditDataText& record = *box->TextData();
    auto* edit = new QPlainTextEdit(m_pCanvas);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setFrameStyle(QFrame::Box | QFrame::Plain);
    edit->document()->setDocumentMargin(0);
    const int per10mm = LogicalToCanvas(CRect(0, 0, 1000, 1000)).height();
    edit->setFont(EditorFont(box->InPlaceEditFont(per10mm)));
    QTextOption option = edit->document()->defaultTextOption();
    option.setAlignment(EditorAlignment(record.m_nJustify));
    edit->document()->setDefaultTextOption(option);
    edit->setTabStopDistance(kTabStopPixels);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, ToQColor(record.m_font.m_color));
    edit->setPalette(palette);
    QString shown = record.m_strText;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    edit->setPlainText(shown);
    edit->moveCursor(QTextCursor::End);

    // The box where the page shows it; at least one line, so that what is
    // typed into a flat box can be seen.
    QRect area = LogicalToCanvas(box->GetPointsRect());
    const int line = QFontMetrics(edit->font()).height() + 2;
    area.setHeight(std::max(area.height(), line));
    area.setWidth(std::max(area.width(), line));
    edit->setGeometry(area);

    m_pEditBefore = std::make_unique<QvFigureState>(*box);
    m_pInPlaceEdit = edit;
    m_pEditedTextBox = box;
    box->BeginInPlaceEdit();
    edit->installEventFilter(this);
    connect(edit, &QPlainTextEdit::textChanged, this, [this, edit] {
        Lumbrel2Doc* d = GetDocument();
        if (edit != m_pInPlaceEdit || !m_pEditedTextBox || !d ||
            !d->ContainsFigure(m_pEditedTextBox))
            return;
        m_pEditedTextBox->SetText(EditorText(edit));
        d->SetModifiedFlag();
    });
    edit->show();
    edit->setFocus();
    InvalidateLogical(box->GetBoundRect());
}

void Lumbrel2View::EndInPlaceEdit() {
    if (!m_pInPlaceEdit)
        return;
    setFocus();
    QWidget* control = std::exchange(m_pInPlaceEdit, nullptr);
    QvFigText* box = std::exchange(m_pEditedTextBox, nullptr);
    std::unique_ptr<QvFigureState> before = std::move(m_pEditBefore);
    control->removeEventFilter(this);
    control->disconnect(this);
    const auto* edit = qobject_cast<QPlainTextEdit*>(control);
    const QString text = edit ? EditorText(edit) : QString();
    // The control may be ending inside one of its own events.
    control->hide();
    control->deleteLater();

    Lumbrel2Doc* doc = GetDocument();
    if (!box)
        return;
    // A box taken out of the drawing meanwhile keeps the text it had.
    if (!doc || !doc->ContainsFigure(box)) {
        box->EndInPlaceEdit();
        return;
    }
    box->EndInPlaceEdit(text);
    if (before) {
        std::vector<std::unique_ptr<QvUndoItem>> actions;
        actions.push_back(std::make_unique<QvFormatAction>(box, std::move(*before)));
        doc->RecordLevel(std::move(actions));
    }
    InvalidateLogical(box->GetBoundRect());
}

bool Lumbrel2View::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pInPlaceEdit && m_pInPlaceEdit) {
        const bool escape =
            (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
        if (escape && event->type() == QEvent::ShortcutOverride) {
            // The key is the editor's, not a command's.
            event->accept();
            return true;
        }
        if (escape) {
            EndInPlaceEdit();
            return true;
        }
    }
    return CView::eventFilter(watched, event);
}

void Lumbrel2View::OnEditUndo() {
    EndInPlaceEdit();
    if (Lumbrel2Doc* doc = GetDocument())
        doc->OnEditUndo();
}

void Lumbrel2View::OnEditRedo() {
    EndInPlaceEdit();
    if (Lumbrel2Doc* doc = GetDocument())
        doc->OnEditRedo();
}
