// The Rounded Rectangle Properties dialog on a radius: whole millimetres
// shown, the range it refuses, and its default.
#include "dialogs/round_rect_properties_dlg.h"
#include "figures/fig_round_rect.h"
#include "property_dialog_test_support.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using RoundRectDialogTest = PropertyDialogTest;

TEST_F(RoundRectDialogTest, ShowsWholeMillimetresAndRefusesBeyond500) {
    struct Case {
        const char* what;
        LONG radius;
        std::function<void(CRoundRectPropertiesDlg&)> drive;
        bool ok;
        LONG written;
        int messages;
    };
    auto type = [](const char* text) {
        return [text](CRoundRectPropertiesDlg& dlg) {
            dlg.m_editRadius->clear();
            QTest::keyClicks(dlg.m_editRadius, QString::fromLatin1(text));
            dlg.accept();
        };
    };
    const Case cases[] = {
        {"12.5 mm shows 12; OK keeps 12", 1250,
         [](CRoundRectPropertiesDlg& dlg) {
             EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Rounded Rectangle Properties"));
             EXPECT_EQ(dlg.m_editRadius->text(), QStringLiteral("12"));
             dlg.accept();
         },
         true, 1200, 0},
        {"500 is the most", 1250, type("500"), true, 50000, 0},
        {"digits only", 1250, type("-2.5"), true, 2500, 0},
        {"501 is refused and the dialog stays", 1250,
         [](CRoundRectPropertiesDlg& dlg) {
             dlg.m_editRadius->setText(QStringLiteral("501"));
             dlg.accept();
             EXPECT_EQ(dlg.ModalResult(), -1);
             dlg.reject();
         },
         false, 1250, 1},
        {"Cancel", 1250,
         [](CRoundRectPropertiesDlg& dlg) {
             dlg.m_editRadius->setText(QStringLiteral("40"));
             dlg.reject();
         },
         false, 1250, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MessageRecorder recorder;
        SetModalDialogHandler(
            [&](CDialog& dialog) { c.drive(dynamic_cast<CRoundRectPropertiesDlg&>(dialog)); });
        LONG radius = c.radius;
        EXPECT_EQ(RunRoundRectDialog(radius), c.ok);
        EXPECT_EQ(radius, c.written);
        ASSERT_EQ(int(recorder.messages.size()), c.messages);
        if (c.messages) {
            EXPECT_EQ(recorder.messages[0].text,
                      QStringLiteral("Please enter an integer between 0 and 500."));
        }
    }
}

TEST_F(RoundRectDialogTest, SetAsDefaultWritesTheRadiusUnlessRefused) {
    for (const char* typed : {"501", "7"}) {
        SCOPED_TRACE(typed);
        const auto before = ProfileEntries();
        MessageRecorder recorder;
        SetModalDialogHandler([&](CDialog& dialog) {
            auto& dlg = dynamic_cast<CRoundRectPropertiesDlg&>(dialog);
            dlg.m_editRadius->setText(QString::fromLatin1(typed));
            dlg.m_buttonSetAsDefault->click();
            EXPECT_EQ(dlg.ModalResult(), -1);
            dlg.reject();
        });
        LONG radius = 1250;
        EXPECT_FALSE(RunRoundRectDialog(radius));
        EXPECT_EQ(radius, 1250);
        const bool refused = QByteArray(typed) == "501";
        EXPECT_EQ(recorder.messages.size(), refused ? 1u : 0u);
        EXPECT_EQ(ChangedEntries(before, ProfileEntries()),
                  refused ? QStringList() : QStringList{"RoundRect/Radius"});
    }
    EXPECT_EQ(TheSettings().m_RoundRectRadius.GetValue(), 700);
}

// A right-click on a rounded rectangle opens the dialog on its radius; OK
// with a new radius is one undo level, Cancel leaves it alone.
TEST_F(RoundRectDialogTest, RightClickEditsTheFiguresRadius) {
    auto* figure = AddByClicks<QvFigRoundRect>(QvFigRoundRect::ToolId,
                                               {QvPoint(1000, 1000), QvPoint(9000, 5000)});
    ASSERT_TRUE(figure);
    const QvPoint onEdge(5000, 1000);
    const LONG before = figure->RoundRectData()->m_radius;
    const int levels = Levels();
    ASSERT_TRUE(RightClick<CRoundRectPropertiesDlg>(onEdge, [](CRoundRectPropertiesDlg& dlg) {
        dlg.m_editRadius->setText(QStringLiteral("40"));
        dlg.reject();
    }));
    EXPECT_EQ(figure->RoundRectData()->m_radius, before);
    EXPECT_EQ(Levels(), levels);
    ASSERT_TRUE(RightClick<CRoundRectPropertiesDlg>(onEdge, [](CRoundRectPropertiesDlg& dlg) {
        dlg.m_editRadius->setText(QStringLiteral("12"));
        dlg.accept();
    }));
    EXPECT_EQ(figure->RoundRectData()->m_radius, 1200);
    EXPECT_EQ(Levels(), levels + 1);
    doc->OnEditUndo();
    EXPECT_EQ(figure->RoundRectData()->m_radius, before);
}

} // namespace
