#pragma once
// Helpers for the document and view tests: a known drawing style and
// finished line and circle figures.
#include "document/lumbrel2_doc.h"
#include "figures/fig_circle.h"
#include "figures/fig_line.h"
#include "platform/command_ids.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <initializer_list>

// A figure of one point whose bounds have no width or height.
class DotFigure : public QvFigure {
public:
    explicit DotFigure(QvPoint p) {
        InitPoints(1);
        m_points[0] = m_display[0] = p;
        m_nToolId = ID_DRAW_POINT;
    }
    CRect GetBoundRect() override {
        CPoint c;
        m_display[0].ToCPoint(c);
        return CRect(c, c);
    }
    bool HitTest(QvPoint pt, double tolerance) override {
        return (pt - m_display[0]).Length() <= tolerance;
    }
};

// Selects exactly `figures`, as a selecting operation ends.
inline void SelectFigures(Lumbrel2Doc& doc, std::initializer_list<QvFigure*> figures) {
    doc.ClearSelection();
    for (QvFigure* f : figures)
        doc.AddToSelection(f);
    doc.EndSelectionChange(nullptr);
}

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        QvSettings& s = TheSettings();
        s.m_CurLineColor.SetValue(RGB(0, 0, 0));
        s.m_CurFillColor.SetValue(RGB(255, 255, 255));
        s.m_CurLineType.SetValue(ID_LINE_HAIRLINE); // hairline
        s.m_CurFillType.SetValue(ID_FILL_NONE);     // no fill
    }

    static QvFigure* MakeLine(QvPoint a, QvPoint b) {
        std::unique_ptr<QvFigure> f = QvFigure::CreateForTool(QvFigLine::ToolId);
        f->TrackCreatePoint(a, {});
        f->CreateClick();
        f->TrackCreatePoint(b, {});
        f->CreateClick();
        return f.release();
    }
    static QvFigure* MakeCircle(QvPoint centre, double radius) {
        std::unique_ptr<QvFigure> f = QvFigure::CreateForTool(QvFigCircleCR::ToolId);
        f->TrackCreatePoint(centre, {});
        f->CreateClick();
        f->TrackCreatePoint(QvPoint(centre.x + radius, centre.y), {});
        f->CreateClick();
        return f.release();
    }
};
