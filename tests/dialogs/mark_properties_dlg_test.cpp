// The Point and Circle Properties dialogs on figures of a drawing: the mark
// they show, what OK, Cancel and Set as Default write.
#include "dialogs/mark_properties_dlg.h"
#include "figures/fig_circle.h"
#include "figures/fig_ellipse.h"
#include "figures/fig_point.h"
#include "property_dialog_test_support.h"

#include <QPushButton>

namespace {

enum Kind { Point, Circle, Ellipse };

class MarkDialogTest : public PropertyDialogTest {
protected:
    // The figure's record and where a right-click finds it.
    QvEditDataCircle* Add(Kind kind, QvPoint& at) {
        switch (kind) {
        case Point:
            at = QvPoint(10000, 10000);
            return AddByClicks<QvFigPoint>(QvFigPoint::ToolId, {at})->PointData();
        case Circle:
            at = QvPoint(12000, 10000);
            return AddByClicks<QvFigCircleCR>(QvFigCircleCR::ToolId, {QvPoint(10000, 10000), at})
                ->CircleData();
        case Ellipse:
            at = QvPoint(10000, 8000);
            return AddByClicks<QvFigEllipse4C>(QvFigEllipse4C::ToolId,
                                               {QvPoint(6000, 8000), QvPoint(14000, 12000)})
                ->CircleData();
        }
        return nullptr;
    }
};

TEST_F(MarkDialogTest, ShowTheMarkAndWriteOkAsOneLevel) {
    struct Case {
        const char* what;
        Kind kind;
        LONG mark;
        const char* caption;
        const char* shown; // the selected item, empty for none
        std::function<void(CMarkPropertiesDlg&)> drive;
        LONG written;
        int levels;
    };
    auto choose = [](const char* text) {
        return [text](CMarkPropertiesDlg& dlg) {
            dlg.m_comboMark->setCurrentText(QString::fromLatin1(text));
            dlg.accept();
        };
    };
    auto ok = [](CMarkPropertiesDlg& dlg) { dlg.accept(); };
    auto cancel = [](CMarkPropertiesDlg& dlg) {
        dlg.m_comboMark->setCurrentIndex(0);
        dlg.reject();
    };
    const Case cases[] = {
        {"point: X shown, Dot chosen", Point, 6, "Point Properties", "'X' mark", choose("Dot"), 2,
         1},
        {"point: OK unchanged", Point, 8, "Point Properties", "Asterisk", ok, 8, 0},
        {"point: Cancel", Point, 6, "Point Properties", "'X' mark", cancel, 6, 0},
        {"circle: Diamond shown, none chosen", Circle, 4, "Circle Properties", "Diamond Mark",
         choose("No point"), 0, 1},
        {"circle: Cancel", Circle, 4, "Circle Properties", "Diamond Mark", cancel, 4, 0},
        {"circle: a mark of no item shows none and OK writes 0", Circle, 7, "Circle Properties", "",
         ok, 0, 1},
        {"ellipse: its own caption", Ellipse, 3, "Ellipse Properties", "Circle mark",
         choose("Square mark"), 5, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        doc->DeleteContents();
        QvPoint at;
        QvEditDataCircle* record = Add(c.kind, at);
        record->m_markType = c.mark;
        const int levels = Levels();
        ASSERT_TRUE(RightClick<CMarkPropertiesDlg>(at, [&](CMarkPropertiesDlg& dlg) {
            EXPECT_EQ(dlg.windowTitle(), QString::fromLatin1(c.caption));
            EXPECT_EQ(dlg.m_comboMark->currentText(), QString::fromLatin1(c.shown));
            c.drive(dlg);
        }));
        EXPECT_EQ(record->m_markType, c.written);
        EXPECT_EQ(Levels(), levels + c.levels);
        if (c.levels == 0)
            continue;
        doc->OnEditUndo();
        EXPECT_EQ(record->m_markType, c.mark);
        doc->OnEditRedo();
        EXPECT_EQ(record->m_markType, c.written);
    }
}

TEST_F(MarkDialogTest, ListTheMarksInTheirOwnOrders) {
    const QStringList point = {"No point", "Circle mark", "'+' mark",     "Dot",
                               "'X' mark", "Asterisk",    "Diamond Mark", "Square mark"};
    const QStringList centre = {"No point", "Circle mark",  "'+' mark", "Dot",
                                "'X' mark", "Diamond Mark", "Asterisk", "Square mark"};
    for (Kind kind : {Point, Circle}) {
        doc->DeleteContents();
        QvPoint at;
        Add(kind, at);
        ASSERT_TRUE(RightClick<CMarkPropertiesDlg>(at, [&](CMarkPropertiesDlg& dlg) {
            EXPECT_EQ(ItemTexts(dlg.m_comboMark), kind == Point ? point : centre);
            dlg.reject();
        }));
    }
}

// Set as Default changes the default of the figure's own kind alone; the
// figure changes only if OK follows.
TEST_F(MarkDialogTest, SetAsDefaultWritesTheKindsDefaultOnly) {
    struct Case {
        Kind kind;
        const char* entry;
        bool thenOk;
    };
    const Case cases[] = {{Point, "Point/Mark", false},
                          {Point, "Point/Mark", true},
                          {Circle, "Circle/Centre", false},
                          {Ellipse, "Circle/EllipseCentre", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        doc->DeleteContents();
        QvPoint at;
        QvEditDataCircle* record = Add(c.kind, at);
        record->m_markType = 0;
        const auto before = ProfileEntries();
        ASSERT_TRUE(RightClick<CMarkPropertiesDlg>(at, [&](CMarkPropertiesDlg& dlg) {
            dlg.m_comboMark->setCurrentText(QStringLiteral("Diamond Mark"));
            dlg.m_buttonSetAsDefault->click();
            EXPECT_EQ(dlg.ModalResult(), -1);
            c.thenOk ? dlg.accept() : dlg.reject();
        }));
        EXPECT_EQ(ChangedEntries(before, ProfileEntries()), QStringList{c.entry});
        EXPECT_EQ(record->m_markType, c.thenOk ? 4 : 0);
        const QvSettings& s = TheSettings();
        const int defaults[] = {s.m_PointDefaults.Mark.GetValue(),
                                s.m_CircleDefaults.Centre.GetValue(),
                                s.m_EllipseDefaults.Centre.GetValue()};
        EXPECT_EQ(defaults[c.kind], 4);
        // Put back for the next row.
        TheSettings().ReadFromRegistry();
        QSettings& profile = ProfileSettings();
        for (const auto& [key, value] : before)
            profile.setValue(key, value);
        TheSettings().ReadFromRegistry();
    }
    // New figures start with their kind's default.
    TheSettings().m_CircleDefaults.Centre.SetValue(6);
    TheSettings().m_EllipseDefaults.Centre.SetValue(1);
    QvPoint at;
    EXPECT_EQ(Add(Circle, at)->m_markType, 6);
    EXPECT_EQ(Add(Ellipse, at)->m_markType, 1);
}

} // namespace
