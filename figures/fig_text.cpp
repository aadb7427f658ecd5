#include "figures/fig_text.h"

#include "figures/figure_factory.h"
#include "platform/archive.h"
#include "platform/command_ids.h"
#include "platform/dc.h"
#include "platform/message_box.h"
#include "settings/settings.h"
#include "text/equation.h"
#include "text/equation_options.h"
#include "text/font_select.h"
#include "text/text_lines.h"

#include <algorithm>
#include <utility>

IMPLEMENT_SERIAL(QvEditDataText, QvEditData, 1)
IMPLEMENT_SERIAL(QvFigText, QvFigNoRotateRectBase, 1)

[[maybe_unused]] static const bool kToolsRegistered = QvRegisterFigureTools({
    {QvFigText::ToolId, "QvFigText", &QvMakeFigure<QvFigText>},
    {QvFigText::EquationToolId, "QvFigText", &QvMakeFigure<QvFigText>,
     [](QvFigure* f, int& toolId) {
         static_cast<QvFigText*>(f)->SetEquation(true);
         toolId = QvFigText::ToolId; // an equation box is a text box
     }},
});

namespace {
constexpr LONG kNoFill = ID_FILL_NONE;
constexpr COLORREF kFillGrey = 0x646464;
} // namespace

// ------------------------------------------------------------------ record

void QvEditDataText::Serialize(CArchive& ar) {
    QvEditData::Serialize(ar);
    m_version = 1;
    if (ar.IsStoring()) {
        ar << WORD(m_version) << LONG(m_nEquation) << m_strText;
        m_font.Serialize(ar);
        ar << LONG(m_nJustify) << BYTE(m_bRotatable);
        return;
    }
    WORD version = 0;
    ar >> version;
    if (short(version) < 1) {
        m_nEquation = 0;
        m_nJustify = Left;
        m_bRotatable = 1;
        return;
    }
    ar >> m_nEquation >> m_strText;
    m_font.Serialize(ar);
    ar >> m_nJustify >> m_bRotatable;
    if (m_nJustify < Left || m_nJustify > Right)
        m_nJustify = Left;
}

QvEditData& QvEditDataText::CopyFrom(const QvEditData& src) {
    CopyCommon(src);
    if (const auto* text = dynamic_cast<const QvEditDataText*>(&src)) {
        m_nEquation = text->m_nEquation;
        m_strText = text->m_strText;
        m_font.Assign(text->m_font);
        m_nJustify = text->m_nJustify;
        m_bRotatable = text->m_bRotatable;
    }
    return *this;
}

// ------------------------------------------------------------------ figure

QvFigText::QvFigText() {
    m_nToolId = ToolId;
    auto* record = new QvEditDataText;
    record->SetFromCurrentStyle();
    record->m_fillStyle = kNoFill;
    record->m_fillColor = kFillGrey;
    const QvTextDefaults& defaults = TheSettings().m_TextDefaults;
    record->m_nJustify = defaults.Justify.GetValue();
    record->m_bRotatable = defaults.Rotatable.GetValue() ? 1 : 0;
    record->m_font = defaults.Font.GetValue();
    SetEditData(record);
    m_pTextData = record;
}

void QvFigText::Serialize(CArchive& ar) {
    QvFigure::Serialize(ar);
}

void QvFigText::DrawFill(CDC* dc, int) {
    CPoint c[4];
    IntegerCorners(c);
    CDCSelect<CPen> noPen(dc, NULL_PEN);
    dc->Polygon(c, 4);
}

void QvFigText::Draw(CDC* dc, int mode) {
    const bool outline =
        mode == QvDrawMode::Dotted || mode == QvDrawMode::Highlight || mode == QvDrawMode::White2;
    const bool text = mode == QvDrawMode::Normal || mode == QvDrawMode::LineColour ||
                      mode == QvDrawMode::Highlight || mode == QvDrawMode::White2;
    if (outline) {
        CPoint c[4];
        IntegerCorners(c);
        dc->Polygon(c, 4);
    }
    // While the box is edited in place, the editor shows the text.
    if (text && !m_bEditing)
        DrawText(dc);
}

void QvFigText::DrawText(CDC* dc) {
    const QvEditDataText& record = *m_pTextData;
    const UINT oldAlign = dc->SetTextAlign(TA_LEFT);
    const int oldBkMode = dc->SetBkMode(TRANSPARENT);
    QvLogFont font = record.m_font;
    if (dc->GetMapMode() == MM_TEXT)
        font.m_drawHeight = font.m_logFont.lfHeight;
    QvFontSelect guard;
    guard.SetFont(font);
    guard.Select(dc);

    // The top corners of the box as the page shows it.  Equations do not
    // turn: in a turned box they stand in an upright box of its size about
    // its middle, rather than at the page's origin.
    const bool yUp = dc->GetMapMode() == MM_HIMETRIC;
    const QvVector across = m_display[1] - m_display[0];
    const QvVector down = m_display[3] - m_display[0];
    double left, right, top;
    if (across.x != 0.0 && down.x != 0.0) {
        const QvPoint middle = m_display[0] + (m_display[2] - m_display[0]) * 0.5;
        const double halfWidth = across.Length() / 2, halfHeight = down.Length() / 2;
        left = middle.x - halfWidth;
        right = middle.x + halfWidth;
        top = yUp ? middle.y + halfHeight : middle.y - halfHeight;
    } else {
        left = right = m_display[0].x;
        double low = m_display[0].y, high = low;
        for (int i = 1; i < 4; ++i) {
            left = std::min(left, m_display[i].x);
            right = std::max(right, m_display[i].x);
            low = std::min(low, m_display[i].y);
            high = std::max(high, m_display[i].y);
        }
        top = yUp ? high : low;
    }
    CPoint anchor{int(left), int(top)};
    int alignment = int(TA_LEFT);
    if (record.m_nJustify == QvEditDataText::Centre) {
        alignment = int(TA_CENTER);
        anchor.x = int(left + (right - left) * 0.5);
    } else if (record.m_nJustify == QvEditDataText::Right) {
        alignment = int(TA_RIGHT);
        anchor.x = int(right);
    }
    dc->SetTextAlign(UINT(alignment));

    if (record.m_nEquation != 0) {
        DrawEquations(dc, font, anchor);
    } else {
        QvDrawTextLines(dc, record.m_strText,
                        QvGRRect(m_display[0], m_display[1], m_display[2], m_display[3]), alignment,
                        font);
    }
    guard.Restore(dc);
    dc->SetBkMode(oldBkMode);
    dc->SetTextAlign(oldAlign);
}

void QvFigText::DrawEquations(CDC* dc, const QvLogFont& font, CPoint anchor) {
    const QvEquationOptions* options = &TheEquationOptions();
    // Heights come back negative where y grows up the page; the spacing
    // takes the same sign, so each line starts further down the page.
    const int spacing =
        dc->GetMapMode() == MM_HIMETRIC ? -options->m_verticalSpacing : options->m_verticalSpacing;
    QvEquation equation;
    equation.SetText(FirstEquationLine(), options);
    int h = equation.Draw(dc, anchor.x, anchor.y, options, &font).height;
    double offset = -h - spacing;
    while (m_nLinePos != -1) {
        equation.SetText(NextEquationLine(), options);
        h = equation.Draw(dc, anchor.x, int(anchor.y - offset), options, &font).height;
        offset = offset - h - spacing;
    }
}

QString QvFigText::LineFrom(int start) {
    const QString& text = m_pTextData->m_strText;
    const qsizetype end = text.indexOf(QChar('\r'), start);
    QString line = end < 0 ? text.mid(start) : text.mid(start, end - start);
    m_nLinePos = end < 0 ? -1 : int(end) + 2;
    return line.isEmpty() ? QStringLiteral(" ") : line;
}

QString QvFigText::FirstEquationLine() {
    return LineFrom(0);
}

QString QvFigText::NextEquationLine() {
    return LineFrom(std::max(m_nLinePos, 0));
}

void QvFigText::CopyEditData(QvEditData* dst, const QvEditData* src) const {
    dst->CopyFrom(*src);
}

QvEditData* QvFigText::NewEditData() const {
    auto* record = new QvEditDataText;
    record->CopyFrom(*m_pTextData);
    return record;
}

void QvFigText::EditProperties(CPoint, CPoint) {
    if (!PropertiesDialog::Available())
        return;
    QvEditDataText edited;
    edited.CopyFrom(*m_pTextData);
    if (PropertiesDialog::Run(edited))
        m_pTextData->CopyFrom(edited);
    BuildFromPoints();
}

void QvFigText::AddShapes(QvShapeList& list, int part) {
    QvFigure::AddShapes(list, part);
}

void QvFigText::Rotate(double degrees, QvPoint centre) {
    if (!m_pTextData->m_bRotatable || m_pTextData->m_nEquation != 0)
        QvFigNoRotateRectBase::Rotate(degrees, centre);
    else
        QvFigure::Rotate(degrees, centre);
}

void QvFigText::DrawHandles(CDC* dc) {
    {
        CPen pen(PS_SOLID, 1, HandleOutlineColour);
        CDCSelect<CPen> usePen(dc, &pen);
        CPoint c[5];
        for (int i = 0; i < 4; ++i)
            m_points[i].ToCPoint(c[i]);
        c[4] = c[0];
        dc->Polyline(c, 5);
    }
    QvFigure::DrawHandles(dc);
}

void QvFigText::MoveHandle(int n, QvPoint to, QvPoint, QvKeys) {
    QvGRRect rect(m_points[0], m_points[1], m_points[2], m_points[3]);
    rect.MoveCorner(n, to);
    for (int i = 0; i < 4; ++i)
        m_points[i] = rect.corner[i];
    BuildFromPoints();
}

QString QvFigText::GetDescription() const {
    return QStringLiteral("Text Box");
}

// ------------------------------------------------------- in-place editing

void QvFigText::BeginInPlaceEdit() {
    m_bEditing = true;
    BuildFromPoints();
}

void QvFigText::EndInPlaceEdit(const QString& text) {
    if (m_bEditing)
        m_pTextData->m_strText = text;
    EndInPlaceEdit();
}

void QvFigText::EndInPlaceEdit() {
    m_bEditing = false;
    BuildFromPoints();
}

LOGFONT QvFigText::InPlaceEditFont(int pixelsPer10mm) const {
    LOGFONT log = m_pTextData->m_font.m_logFont;
    log.lfHeight = LONG(qint64(m_pTextData->m_font.m_drawHeight) * pixelsPer10mm / 1000);
    return log;
}
