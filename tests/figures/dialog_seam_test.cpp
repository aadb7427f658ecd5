#include "common/test_support.h"
#include "figure_test_support.h"
#include "figures/fig_point.h"

namespace {

using Seam = QvFigPoint::PropertiesDialog;

class DialogSeamTest : public FigureTest {
protected:
    void TearDown() override { Seam::Set({}); }
};

TEST_F(DialogSeamTest, EmptySeamBeepsAndTheFigureKeepsItsValues) {
    Seam::Set({});
    auto p = Make<QvFigPoint>(QvFigPoint::ToolId);
    ASSERT_TRUE(p);
    const LONG before = p->PointData()->m_markType;
    MessageRecorder recorder;
    p->EditProperties({}, {});
    EXPECT_EQ(recorder.beeps, 1);
    EXPECT_EQ(p->PointData()->m_markType, before);
    LONG mark = 4;
    EXPECT_FALSE(Seam::Run(mark)); // as Cancel
    EXPECT_EQ(recorder.beeps, 2);
    EXPECT_EQ(mark, 4);
}

TEST_F(DialogSeamTest, SetReturnsTheOldDialogAndAScopePutsItBack) {
    auto outer = [](LONG& mark) {
        mark = 1;
        return true;
    };
    EXPECT_FALSE(Seam::Set(outer));
    LONG mark = 0;
    {
        Seam::Scope scope([](LONG& m) {
            m = 2;
            return true;
        });
        EXPECT_TRUE(Seam::Run(mark));
        EXPECT_EQ(mark, 2);
    }
    EXPECT_TRUE(Seam::Run(mark));
    EXPECT_EQ(mark, 1); // the outer one again
    Seam::Dialog old = Seam::Set({});
    ASSERT_TRUE(old);
    EXPECT_TRUE(old(mark));
    EXPECT_FALSE(Seam::Installed());
}

TEST_F(DialogSeamTest, EachKindHasItsOwnSeam) {
    Seam::Scope scope([](LONG&) { return true; });
    EXPECT_TRUE(Seam::Installed());
    EXPECT_FALSE(QvFigCircleBase::PropertiesDialog::Installed());
}

} // namespace
