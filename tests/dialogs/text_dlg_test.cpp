// The Text Properties dialog and its font chooser, driven through their
// controls as a user would.
#include "common/test_support.h"
#include "dialogs/font_color_dlg.h"
#include "dialogs/text_dlg.h"
#include "figures/fig_text.h"
#include "settings/settings.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontDialog>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

class TextDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        record.m_strText = QStringLiteral("x^2\r\ny");
        record.m_nEquation = 1;
        record.m_nJustify = 0;
        record.m_bRotatable = 1;
        record.m_font.m_drawHeight = 423; // 12 points
    }
    void TearDown() override {
        SetModalDialogHandler({});
        TheSettings().m_TextDefaults.Justify.SetValue(0);
        TheSettings().m_TextDefaults.Font.SetValue(QvLogFont());
    }

    // Runs the dialog on the record; `text` drives the Text Properties
    // dialog and `font` the font chooser it opens.
    bool Run(std::function<void(CTextDlg&)> text, std::function<void(CFontColorDlg&)> font = {}) {
        SetModalDialogHandler([&](CDialog& dialog) {
            if (auto* t = dynamic_cast<CTextDlg*>(&dialog))
                text(*t);
            else if (auto* f = dynamic_cast<CFontColorDlg*>(&dialog); f && font)
                font(*f);
        });
        return RunTextDialog(record);
    }

    TempProfile profile;
    QvEditDataText record;
};

TEST_F(TextDlgTest, RotatableIsGreyedForEquationsAndCancelKeepsTheRecord) {
    const QString before = record.m_strText;
    EXPECT_FALSE(Run([](CTextDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Text Properties"));
        EXPECT_TRUE(dlg.m_radioKind[1]->isChecked());
        EXPECT_FALSE(dlg.m_checkRotatable->isEnabled());
        EXPECT_EQ(dlg.m_editText->toPlainText(), QStringLiteral("x^2\ny"));
        dlg.m_radioKind[0]->click();
        EXPECT_TRUE(dlg.m_checkRotatable->isEnabled());
        dlg.m_radioKind[1]->click();
        EXPECT_FALSE(dlg.m_checkRotatable->isEnabled());
        dlg.m_editText->setPlainText(QStringLiteral("changed"));
        dlg.reject();
    }));
    EXPECT_EQ(record.m_strText, before);
    EXPECT_EQ(record.m_nEquation, 1);
}

TEST_F(TextDlgTest, FontChooserSetsFaceDrawingHeightAndColour) {
    EXPECT_TRUE(Run(
        [](CTextDlg& dlg) {
            dlg.m_buttonFont->click(); // cancelled: nothing changes
            EXPECT_EQ(dlg.m_nDrawHeight, 423);
            dlg.m_buttonFont->click();
            dlg.m_radioKind[0]->click();
            dlg.m_radioJustify[1]->click();
            dlg.m_editText->setPlainText(QStringLiteral("one\ntwo"));
            dlg.accept();
        },
        [calls = 0](CFontColorDlg& dlg) mutable {
            // It opens on the box's font at the size it is drawn.
            EXPECT_EQ(dlg.m_fontChooser->currentFont().family(), QStringLiteral("Liberation Sans"));
            EXPECT_EQ(dlg.m_fontChooser->currentFont().pointSize(), 12);
            if (calls++ == 0) {
                dlg.reject();
                return;
            }
            QFont serif(QStringLiteral("Liberation Serif"));
            serif.setPointSize(14);
            serif.setBold(true);
            dlg.m_fontChooser->setCurrentFont(serif);
            dlg.SetPickedColour(RGB(0, 0, 255));
            dlg.accept();
        }));
    EXPECT_EQ(record.m_font.m_drawHeight, 493); // 140 tenths
    EXPECT_EQ(record.m_font.m_color, RGB(0, 0, 255));
    EXPECT_EQ(record.m_font.FaceName(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(record.m_font.m_logFont.lfWeight, 700);
    EXPECT_EQ(record.m_font.m_logFont.lfHeight, -19);
    EXPECT_EQ(record.m_strText, QStringLiteral("one\r\ntwo"));
    EXPECT_EQ(record.m_nEquation, 0);
    EXPECT_EQ(record.m_nJustify, 1);
}

TEST_F(TextDlgTest, SetAsDefaultGivesNewBoxesTheJustificationAndFont) {
    TheSettings().m_TextDefaults.Rotatable.SetValue(1);
    EXPECT_FALSE(Run(
        [](CTextDlg& dlg) {
            dlg.m_buttonFont->click();
            dlg.m_radioJustify[2]->click();
            dlg.m_checkRotatable->setChecked(false);
            dlg.m_buttonSetAsDefault->click();
            EXPECT_EQ(dlg.ModalResult(), -1); // still open
            dlg.reject();
        },
        [](CFontColorDlg& dlg) {
            QFont font(QStringLiteral("Liberation Mono"));
            font.setPointSize(12);
            dlg.m_fontChooser->setCurrentFont(font);
            dlg.SetPickedColour(RGB(0, 128, 0));
            dlg.accept();
        }));
    QvFigText box;
    EXPECT_EQ(box.TextData()->m_nJustify, QvEditDataText::Right);
    EXPECT_EQ(box.TextData()->m_font.FaceName(), QStringLiteral("Courier New"));
    EXPECT_EQ(box.TextData()->m_font.m_drawHeight, 423);
    EXPECT_EQ(box.TextData()->m_font.m_color, RGB(0, 128, 0));
    EXPECT_EQ(box.TextData()->m_bRotatable, 1);
    // And they were saved.
    TheSettings().m_TextDefaults.Justify.SetValue(0);
    TheSettings().ReadFromRegistry();
    EXPECT_EQ(TheSettings().m_TextDefaults.Justify.GetValue(), 2);
    EXPECT_EQ(TheSettings().m_TextDefaults.Font.GetValue().m_color, RGB(0, 128, 0));
}

} // namespace
