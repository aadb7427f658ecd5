#pragma once
// A group kept in, or placed from, a gallery.  Besides the members (in the
// group's 1000 by 1000 frame) it remembers the proportions of the box it
// was saved from, so that Shift can place it undistorted.
#include "figures/fig_group.h"
#include "platform/command_ids.h"

class QvFigGallery : public QvFigGroup {
    DECLARE_SERIAL(QvFigGallery)
public:
    static constexpr int ToolId = ID_DRAW_GALLERY_FIGURE;

    QvFigGallery();

    // The group's record, then the aspect ratio as a double.
    void Serialize(CArchive& ar) override;
    // Copies the aspect ratio as well when src is a gallery figure.
    QvFigure* CopyFrom(const QvFigure* src) override;
    // Press, drag and release place the box; with Shift held the box keeps
    // the aspect ratio and fits inside the dragged rectangle.
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
    bool CreateClick() override;
    QString GetDescription() const override;

    // Makes this fresh figure a deep copy of src, tool id and ratio included;
    // false, with no member copied, when a member cannot be made.
    bool CopyGalleryFigure(const QvFigGallery* src) { return CopyFrom(src) != nullptr; }

    // Height divided by width of the box the figure was saved from.
    double GetAspectRatio() const { return m_dAspectRatio; }
    // Refuses (false) anything but a finite ratio above 0: the Shift
    // placement divides by it.
    bool SetAspectRatio(double ratio);
    static bool IsUsableRatio(double ratio);

private:
    double m_dAspectRatio = 1.0;
};
