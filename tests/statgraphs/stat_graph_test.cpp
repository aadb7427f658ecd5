// The graph dispatcher: which drawer each stored type gets, the rectangle
// a drawer is handed for every corner order and mapping mode, and the text
// a type without a drawer writes.
#include "common/recording_device.h"
#include "platform/dc.h"
#include "statgraphs/drawers/stat_graph_pictogram.h"
#include "statgraphs/drawers/stat_graph_stem_leaf.h"
#include "statgraphs/stat_graph.h"
#include "statistics/stat_data.h"

#include <gtest/gtest.h>

#include <memory>
#include <typeinfo>
#include <vector>

namespace {

struct Handed {
    int type = 0;
    QvStatData* data = nullptr;
    CRect rect;
    int draws = 0;
};

class SpyDrawer : public QvStatGraph {
public:
    explicit SpyDrawer(Handed& handed) : m_handed(handed) {}
    void SetData(QvStatData* data) override { m_handed.data = data; }
    void Draw(CDC*, CRect rect) override {
        m_handed.rect = rect;
        ++m_handed.draws;
    }

private:
    Handed& m_handed;
};

// Every type gets the spy; what it was given is kept.
class SpyDispatcher : public QvStatGraphDispatcher {
public:
    std::unique_ptr<QvStatGraph> NewDrawer(int graphType) const override {
        handed.type = graphType;
        return std::make_unique<SpyDrawer>(handed);
    }
    mutable Handed handed;
};

TEST(StatGraphDispatcher, EachStoredTypeGetsItsDrawer) {
    const QvStatGraphDispatcher dispatcher;
    struct Case {
        int type;
        const std::type_info* drawer; // null: none
    };
    const Case cases[] = {
        {1, &typeid(QvStatGraphBar)},
        {2, &typeid(QvStatGraphBox)},
        {3, &typeid(QvStatGraphPie)},
        {4, &typeid(QvStatGraphLine)},
        {5, &typeid(QvStatGraphScatter)},
        {6, &typeid(QvStatGraphDot)},
        {7, &typeid(QvStatGraphStemLeaf)},
        {8, &typeid(QvStatGraphHisto)},
        {9, &typeid(QvStatGraphCum)},
        {10, &typeid(QvStatGraphColumn)},
        {11, &typeid(QvStatGraphFreq)},
        {12, &typeid(QvStatGraphResidual)},
        {13, nullptr},
        {14, &typeid(QvStatGraphPictogram)},
        {0, nullptr},
        {-1, nullptr},
        {15, nullptr},
        {1000, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        std::unique_ptr<QvStatGraph> drawer = dispatcher.NewDrawer(c.type);
        if (!c.drawer) {
            EXPECT_EQ(drawer, nullptr);
            continue;
        }
        ASSERT_NE(drawer, nullptr);
        EXPECT_EQ(typeid(*drawer), *c.drawer);
    }
}

// The drawer gets the rectangle normalised; in MM_HIMETRIC its top is the
// larger y, since y grows up the page there.
TEST(StatGraphDispatcher, DrawerGetsTheFrameInTheMappingModesOrder) {
    const CRect given[] = {
        CRect(100, 200, 900, 700),
        CRect(900, 200, 100, 700),
        CRect(100, 700, 900, 200),
        CRect(900, 700, 100, 200),
    };
    struct Mode {
        int mapMode;
        CRect expected;
    };
    const Mode modes[] = {
        {MM_TEXT, CRect(100, 200, 900, 700)},
        {MM_HIMETRIC, CRect(100, 700, 900, 200)},
    };
    auto data = std::make_unique<QvStatData>();
    data->properties.GraphType = 9;
    for (const Mode& m : modes) {
        for (const CRect& r : given) {
            SCOPED_TRACE(testing::Message() << "mode " << m.mapMode << " rect " << r.left << ","
                                            << r.top << "," << r.right << "," << r.bottom);
            RecordingDevice device;
            CDC dc(&device);
            dc.SetMapMode(m.mapMode);
            SpyDispatcher spy;
            spy.DrawGraph(&dc, r, data.get());
            EXPECT_EQ(spy.handed.type, 9);
            EXPECT_EQ(spy.handed.data, data.get());
            EXPECT_EQ(spy.handed.draws, 1);
            EXPECT_EQ(spy.handed.rect.left, m.expected.left);
            EXPECT_EQ(spy.handed.rect.top, m.expected.top);
            EXPECT_EQ(spy.handed.rect.right, m.expected.right);
            EXPECT_EQ(spy.handed.rect.bottom, m.expected.bottom);
        }
    }
}

// MM_TEXT: the text starts 10 right of and 50 below the frame's top-left
// corner, whichever corner order the frame came in.
TEST(StatGraphDispatcher, TypeWithoutDrawerWritesItsTextInsideTheFrame) {
    auto data = std::make_unique<QvStatData>();
    for (int type : {13, 0, -1, 15}) {
        for (const CRect& r : {CRect(300, 400, 1500, 1200), CRect(1500, 1200, 300, 400)}) {
            SCOPED_TRACE(type);
            data->properties.GraphType = type;
            RecordingDevice device;
            {
                CDC dc(&device);
                QvStatGraphDispatcher().DrawGraph(&dc, r, data.get());
            }
            // The text, and its cell in the background colour: nothing else.
            const std::vector<DrawnItem>& items = device.Items();
            ASSERT_FALSE(items.empty());
            const DrawnItem& text = items.back();
            ASSERT_EQ(text.kind, DrawnItem::Text);
            for (const DrawnItem& item : items) {
                EXPECT_TRUE(&item == &text || item.kind == DrawnItem::Rect);
                EXPECT_TRUE(QRectF(300, 400, 1200, 800).contains(item.rect));
            }
            EXPECT_EQ(text.text, QStringLiteral("Graph Type Not Implemented"));
            EXPECT_NEAR(text.rect.left(), 310, 1);
            EXPECT_NEAR(text.rect.top(), 450, 1);
        }
    }
}

} // namespace
