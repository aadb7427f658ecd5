// Angle marks in gallery figures: saved and read back marking members of
// their own figure, never anything outside it.
#include "figures/fig_angle_mark.h"
#include "gallery_test_support.h"

#include <QTemporaryDir>

namespace {

TEST(GalleryAngleMark, MarksKeepToTheirGalleryFigure) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto figure = MakeGalleryFigure(1.0);
    QvFigure* line = figure->Members()[0];
    // A second line from the first one's start, and a line of no figure.
    std::unique_ptr<QvFigure> other = QvFigure::CreateForTool(QvFigLine::ToolId);
    for (QvPoint p : {QvPoint(100, 100), QvPoint(900, 100)}) {
        other->TrackCreatePoint(p, {});
        other->CreateClick();
    }
    other->SetGroupNesting(1);
    std::unique_ptr<QvFigure> outsider = QvFigure::CreateForTool(QvFigLine::ToolId);
    const auto mark = [&](QvFigure* first, QvFigure* second) {
        std::unique_ptr<QvFigure> made = QvFigure::CreateForTool(QvFigAngleMark::ToolId);
        auto* m = static_cast<QvFigAngleMark*>(made.get());
        m->AngleData()->m_pFirst = first;
        m->AngleData()->m_pSecond = second;
        m->SetGroupNesting(1);
        return static_cast<QvFigAngleMark*>(made.release());
    };
    QvFigAngleMark* kept = mark(line, other.get());
    figure->MemberList().Add(std::move(other));
    figure->MemberList().Add(std::unique_ptr<QvFigure>(kept));
    figure->MemberList().Add(std::unique_ptr<QvFigure>(mark(line, outsider.get())));

    QvGallery gallery;
    gallery.SetPath(dir.filePath(QStringLiteral("marks.gal")));
    gallery.MarkLoaded();
    gallery.AddFigure(figure.release());
    ASSERT_TRUE(gallery.WriteWithTitle(QStringLiteral("Marks")));

    QvGallery back;
    back.SetPath(dir.filePath(QStringLiteral("marks.gal")));
    ASSERT_EQ(back.GetFigureCount(), 1);
    const std::vector<QvFigure*>& members = back.GetFigureAt(0)->Members();
    ASSERT_EQ(members.size(), 4u);
    auto* m = dynamic_cast<QvFigAngleMark*>(members[3]);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->AngleData()->m_pFirst, members[0]);
    EXPECT_EQ(m->AngleData()->m_pSecond, members[2]);
}

} // namespace
