#pragma once
// The two ready-made Venn diagrams: groups whose members (region fills,
// circles, the universe rectangle, the arcs that cut off the lunes holding
// names, and the labels) are laid out once in the group's frame.  The
// diagram's record says which regions are shaded and what each label
// reads; a member shows only when the record asks for it.
//
// Regions draw without an outline and never empty; every other member
// draws without a fill; labels draw in the record's font.  These styles
// are the drawing's: the members keep their own.
#include "diagrams/venn_records.h"
#include "figures/fig_group.h"
#include "platform/command_ids.h"

#include <functional>
#include <memory>
#include <span>
#include <vector>

// One member of a diagram's layout, in frame units.
struct QvVennMember {
    int toolId;
    int region;         // regions: the outline; else -1
    int x0, y0, x1, y1; // corners 0 (x0, y0), 1 (x1, y0), 2 (x1, y1), 3 (x0, y1)
    int x4, y4, x5, y5; // arcs: the directions of their ends
    int justify;        // labels: left 0, centre 1, right 2
    int shade;          // regions: drawn when this shade byte is set
    int text;           // arcs, boxes and labels: drawn when this text is not empty
};

class QvFigVenn : public QvFigGroup {
public:
    // Reading or copying replaces the built members with the stored or
    // copied ones, position by position; a position stored with a member
    // of another kind, or not stored, keeps the built one, and stored
    // members beyond the layout are dropped.  The member count stays that
    // of the layout however often a diagram is saved, opened or copied.
    void Serialize(CArchive& ar) override;
    QvFigure* CopyFrom(const QvFigure* src) override;
    void CopyEditData(QvEditData* dst, const QvEditData* src) const override;
    void DrawFill(CDC*, int) override {}
    // The shown members through the frame; nothing in modes 2 and 4.
    void Draw(CDC* dc, int mode) override;
    // Dragged out like a rectangle: press, drag, release (Shift: a square).
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;

    int LayoutSize() const { return int(m_layout.size()); }
    // Whether member `index` is drawn with the record as it now is.
    bool IsMemberShown(int index) const;
    // What a label member reads; empty for other members.
    QString MemberText(int index) const;

protected:
    QvFigVenn(int toolId, std::span<const QvVennMember> layout);
    // Takes the record (owned) and where its shades, texts and font are,
    // then builds the members.
    void Build(QvEditData* record, const BYTE* shades, const QString* texts, const QvLogFont* font,
               int (*outline)(int, CPoint*));

private:
    std::unique_ptr<QvFigure> MakeMember(const QvVennMember& m, int (*outline)(int, CPoint*)) const;
    void DrawMember(CDC* dc, int mode, const QvGRRect& frame, int index);
    // Members now in the list where they fit the layout, built ones
    // elsewhere.
    void KeepLayout(std::vector<std::unique_ptr<QvFigure>>& built, CArchive* ar = nullptr);
    std::vector<std::unique_ptr<QvFigure>> TakeMembers();

    std::span<const QvVennMember> m_layout;
    const BYTE* m_shades = nullptr;
    const QString* m_texts = nullptr;
    const QvLogFont* m_font = nullptr;
};

class QvFigVenn2 : public QvFigVenn {
    DECLARE_SERIAL(QvFigVenn2)
public:
    static constexpr int ToolId = ID_DRAW_VENN2;
    static constexpr int MemberCount = 18;

    // The dialog that edits the record it is given and answers true on OK;
    // it lives above the figures.  Returns the previous one; with none the
    // diagram only beeps.
    using PropertiesDialog = std::function<bool(QvEditDataVenn2& record)>;
    static PropertiesDialog SetPropertiesDialog(PropertiesDialog dialog);

    // Two circles in a universe with the current drawing style and the
    // default Venn font; nothing shaded, no text.
    QvFigVenn2();

    QvEditData* NewEditData() const override;
    void EditProperties(CPoint, CPoint) override;
    QString GetDescription() const override;

    QvEditDataVenn2* VennData() const { return m_pVennData; }

private:
    QvEditDataVenn2* m_pVennData; // the record the figure owns, typed
};

class QvFigVenn3 : public QvFigVenn {
    DECLARE_SERIAL(QvFigVenn3)
public:
    static constexpr int ToolId = ID_DRAW_VENN3;
    static constexpr int MemberCount = 35;

    using PropertiesDialog = std::function<bool(QvEditDataVenn3& record)>;
    static PropertiesDialog SetPropertiesDialog(PropertiesDialog dialog);

    QvFigVenn3();

    QvEditData* NewEditData() const override;
    void EditProperties(CPoint, CPoint) override;
    QString GetDescription() const override;

    QvEditDataVenn3* VennData() const { return m_pVennData; }

private:
    QvEditDataVenn3* m_pVennData;
};
