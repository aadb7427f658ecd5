// The Venn properties dialogs: every box sits on the picture where its text
// or shading shows, OK and Cancel, the font, and Set as Default.
#include "diagrams/fig_venn.h"
#include "dialogs/font_color_dlg.h"
#include "dialogs/venn_dlg.h"
#include "property_dialog_test_support.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>

#include <set>

namespace {

using VennDialogTest = PropertyDialogTest;

// The sets whose circle of the picture holds p; 'L' for the universe
// label's box.
std::set<char> Where(QPointF p, const std::vector<QRectF>& circles) {
    std::set<char> in;
    if (QRectF(QPointF(303, 10), QPointF(343, 43)).contains(p))
        in.insert('L');
    for (size_t i = 0; i < circles.size(); ++i) {
        const QRectF& c = circles[i];
        const double dx = (p.x() - c.center().x()) / (c.width() / 2);
        const double dy = (p.y() - c.center().y()) / (c.height() / 2);
        if (dx * dx + dy * dy <= 1)
            in.insert(char('A' + i));
    }
    return in;
}

TEST_F(VennDialogTest, EveryBoxSitsWhereItsTextOrShadingShows) {
    using S = std::set<char>;
    struct Dialog {
        const char* name;
        std::function<CVennDlg*()> make;
        std::vector<QRectF> circles;
        std::vector<S> texts, shades;
    };
    const Dialog dialogs[] = {
        {"two sets",
         [] { return new CVenn2Dlg; },
         {QRectF(QPointF(43, 43), QPointF(210, 210)), QRectF(QPointF(143, 43), QPointF(310, 210))},
         {{'A', 'B'}, {'A'}, {'B'}, {}, {'L'}, {'A'}, {'B'}},
         {{'A'}, {'B'}, {'A', 'B'}, {}}},
        {"three sets",
         [] { return new CVenn3Dlg; },
         {QRectF(QPointF(43, 50), QPointF(210, 216)), QRectF(QPointF(143, 50), QPointF(310, 216)),
          QRectF(QPointF(93, 137), QPointF(260, 303))},
         {{'A', 'B'},
          {'A', 'C'},
          {'B', 'C'},
          {'A', 'B'},
          {'A', 'C'},
          {'B', 'C'},
          {'A'},
          {'B'},
          {'C'},
          {},
          {'A', 'B', 'C'},
          {'L'},
          {'A'},
          {'B'},
          {'C'}},
         {{'A'}, {'B'}, {'C'}, {'A', 'B'}, {'A', 'C'}, {'B', 'C'}, {'A', 'B', 'C'}, {}}},
    };
    for (const Dialog& d : dialogs) {
        SCOPED_TRACE(d.name);
        std::unique_ptr<CVennDlg> dlg(d.make());
        ASSERT_EQ(dlg->m_edits.size(), qsizetype(d.texts.size()));
        ASSERT_EQ(dlg->m_checks.size(), qsizetype(d.shades.size()));
        for (size_t i = 0; i < d.texts.size(); ++i)
            EXPECT_EQ(Where(QRectF(dlg->m_edits[qsizetype(i)]->geometry()).center(), d.circles),
                      d.texts[i])
                << "text " << i;
        // A check box's box is at its left end, or its right end where the
        // box stands right of its text.
        for (size_t i = 0; i < d.shades.size(); ++i) {
            const QCheckBox* check = dlg->m_checks[qsizetype(i)];
            const QRect r = check->geometry();
            const bool right = check->layoutDirection() == Qt::RightToLeft;
            const QPointF box(right ? r.right() - 5 : r.left() + 5, r.center().y());
            EXPECT_EQ(Where(box, d.circles), d.shades[i]) << "shade " << i;
        }
    }
}

TEST_F(VennDialogTest, OkCopiesBackAndCancelAfterFontChangesNothing) {
    QvEditDataVenn3 record;
    record.m_text[12] = QStringLiteral("A");
    record.m_shade[6] = 1;
    const QvLogFont font = record.m_font;
    const auto run = [&](bool ok) {
        SetModalDialogHandler([ok](CDialog& dialog) {
            if (auto* chooser = dynamic_cast<CFontColorDlg*>(&dialog)) {
                QFont chosen(QStringLiteral("Liberation Mono"));
                chosen.setPointSize(12);
                chooser->m_fontChooser->setCurrentFont(chosen);
                chooser->SetPickedColour(RGB(0, 0, 200));
                chooser->accept();
                return;
            }
            auto& dlg = dynamic_cast<CVenn3Dlg&>(dialog);
            EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Three Circle Venn Properties"));
            EXPECT_EQ(dlg.m_edits[12]->text(), QStringLiteral("A"));
            EXPECT_TRUE(dlg.m_checks[6]->isChecked());
            dlg.m_buttonFont->click();
            dlg.m_edits[14]->setText(QStringLiteral("C"));
            dlg.m_checks[6]->setChecked(false);
            dlg.m_checks[7]->setChecked(true);
            ok ? dlg.accept() : dlg.reject();
        });
        const bool answer = RunVenn3Dialog(record);
        SetModalDialogHandler({});
        return answer;
    };
    EXPECT_FALSE(run(false));
    EXPECT_TRUE(record.m_text[14].isEmpty());
    EXPECT_EQ(record.m_shade[6], 1);
    EXPECT_EQ(record.m_font, font);

    EXPECT_TRUE(run(true));
    EXPECT_EQ(record.m_text[12], QStringLiteral("A"));
    EXPECT_EQ(record.m_text[14], QStringLiteral("C"));
    EXPECT_EQ(record.m_shade[6], 0);
    EXPECT_EQ(record.m_shade[7], 1);
    EXPECT_EQ(record.m_font.m_color, RGB(0, 0, 200));
    // 12 points drawn 4.23 mm high.
    EXPECT_EQ(record.m_font.m_drawHeight, 423);
}

// Set as Default makes the font that of new diagrams and stays open; Cancel
// afterwards leaves the edited diagram as it was.
TEST_F(VennDialogTest, SetAsDefaultChangesTheDefaultFontOnly) {
    auto* venn =
        AddByClicks<QvFigVenn2>(QvFigVenn2::ToolId, {QvPoint(1000, 11000), QvPoint(11000, 1000)});
    ASSERT_TRUE(venn);
    const QvLogFont before = venn->VennData()->m_font;
    const auto entries = ProfileEntries();
    const int levels = Levels();
    // The universe rectangle's edge.
    ASSERT_TRUE(RightClick<CVenn2Dlg>(QvPoint(6000, 9500), [](CVenn2Dlg& dlg) {
        SetModalDialogHandler([&](CDialog& dialog) {
            auto& chooser = dynamic_cast<CFontColorDlg&>(dialog);
            chooser.SetPickedColour(RGB(200, 0, 0));
            chooser.accept();
        });
        dlg.m_buttonFont->click();
        dlg.m_edits[5]->setText(QStringLiteral("A"));
        dlg.m_buttonSetAsDefault->click();
        EXPECT_EQ(dlg.ModalResult(), -1);
        dlg.reject();
    }));
    EXPECT_EQ(venn->VennData()->m_font, before);
    EXPECT_TRUE(venn->VennData()->m_text[5].isEmpty());
    EXPECT_EQ(Levels(), levels);
    EXPECT_EQ(TheSettings().m_VennFont.GetValue().m_color, RGB(200, 0, 0));
    const QStringList changed = ChangedEntries(entries, ProfileEntries());
    ASSERT_FALSE(changed.isEmpty());
    for (const QString& key : changed)
        EXPECT_TRUE(key.startsWith(QStringLiteral("Venn/"))) << key.toStdString();
    QvFigVenn3 next;
    EXPECT_EQ(next.VennData()->m_font.m_color, RGB(200, 0, 0));
}

} // namespace
