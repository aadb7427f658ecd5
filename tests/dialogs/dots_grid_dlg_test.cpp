// The Dots / Grid Properties dialog: what it greys for each paper, the
// colour buttons and the custom colours, Set as Default, refused values,
// and the figure's values through it.
#include "common/test_support.h"
#include "diagrams/fig_grid_dot.h"
#include "dialogs/dots_grid_dlg.h"
#include "dialogs/style_combo_box.h"
#include "platform/command_ids.h"
#include "platform/profile.h"
#include "settings/settings.h"
#include "shell/lumbrel2_app.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

#include <gtest/gtest.h>

#include <functional>

namespace {

class DotsGridDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        TheSettings().Load(); // as at start-up: the custom colours get their keys
        ResetSettings();
    }
    void TearDown() override {
        SetModalDialogHandler({});
        ResetSettings();
    }
    static void ResetSettings() {
        TheSettings().Save(TRUE);
        TheSettings().ReadFromRegistry();
    }
    static QString Stored(const char* key) {
        QSettings& store = ProfileSettings();
        store.sync();
        return store.value(QString::fromLatin1(key)).toString();
    }

    // The values of a new default paper.
    static QvGridDotDialogValues Defaults() {
        QvGridDotDialogValues v;
        v.paperType = 0;
        v.style = 1;
        v.majorSize = 20;
        v.minorSize = 2;
        v.majorAngle = QStringLiteral("45");
        v.minorAngle = QStringLiteral("15");
        const COLORREF colours[4] = {0x808080, 0x808080, 0xC0C0C0, 0xC0C0C0};
        const DWORD pens[4] = {ID_LINE_SOLID1, ID_LINE_DOT, ID_LINE_SOLID1, ID_LINE_DOT};
        for (int i = 0; i < 4; ++i) {
            v.colours[i] = colours[i];
            v.pens[i] = pens[i];
        }
        v.pointType = 2;
        return v;
    }

    // Runs the dialog on `values` with `act` in place of the user.
    static bool Run(QvGridDotDialogValues& values,
                    std::function<void(CDotsGridPropertiesDlg&)> act) {
        SetModalDialogHandler(
            [&](CDialog& dialog) { act(dynamic_cast<CDotsGridPropertiesDlg&>(dialog)); });
        bool ok = RunDotsGridDialog(values);
        SetModalDialogHandler({});
        return ok;
    }

    TempProfile profile;
    Lumbrel2App app;
};

TEST_F(DotsGridDlgTest, GreysWhatThePaperDoesNotUse) {
    // Columns: Cartesian lines, Cartesian dots, isometric lines, isometric
    // dots, polar lines, polar dots, hexagonal.
    const int papers[7][2] = {{0, 1}, {0, 0}, {1, 1}, {1, 0}, {2, 1}, {2, 0}, {3, 1}};
    struct Row {
        const char* name;
        std::function<std::vector<QWidget*>(CDotsGridPropertiesDlg&)> controls;
        int enabled[7];
    } rows[] = {
        {"logarithmic scales",
         [](auto& d) {
             return std::vector<QWidget*>{d.m_groupLog, d.m_checkXLog, d.m_checkYLog};
         },
         {1, 0, 0, 0, 0, 0, 0}},
        {"line group and x major",
         [](auto& d) {
             return std::vector<QWidget*>{d.m_groupLines, d.m_groupClass[0], d.m_comboPen[0],
                                          d.m_buttonColour[0]};
         },
         {1, 0, 1, 0, 1, 0, 1}},
        {"y major pen and colour",
         [](auto& d) {
             return std::vector<QWidget*>{d.m_comboPen[2], d.m_buttonColour[2]};
         },
         {1, 0, 1, 0, 1, 0, 0}},
        {"the other classes",
         [](auto& d) {
             return std::vector<QWidget*>{
                 d.m_groupClass[2],   d.m_groupClass[1], d.m_groupClass[3],  d.m_comboPen[1],
                 d.m_buttonColour[1], d.m_comboPen[3],   d.m_buttonColour[3]};
         },
         {1, 0, 0, 0, 1, 0, 0}},
        {"dot type",
         [](auto& d) {
             return std::vector<QWidget*>{d.m_groupDotType, d.m_comboPointType};
         },
         {0, 1, 0, 1, 0, 1, 0}},
        {"angles",
         [](auto& d) {
             return std::vector<QWidget*>{d.m_comboMajorAngle, d.m_comboMinorAngle};
         },
         {0, 0, 0, 0, 1, 1, 0}},
        {"minor size",
         [](auto& d) { return std::vector<QWidget*>{d.m_editMinorSize}; },
         {1, 0, 0, 0, 1, 0, 0}},
        {"dots or grid",
         [](auto& d) {
             return std::vector<QWidget*>{d.m_groupType, d.m_radioStyle[0], d.m_radioStyle[1]};
         },
         {1, 1, 1, 1, 1, 1, 0}},
    };
    for (int column = 0; column < 7; ++column) {
        QvGridDotDialogValues values = Defaults();
        values.paperType = papers[column][0];
        values.style = papers[column][1];
        // As opened on such a paper, and as chosen by clicking in it.
        for (bool clicked : {false, true}) {
            QvGridDotDialogValues start = Defaults();
            if (!clicked)
                start = values;
            Run(start, [&](CDotsGridPropertiesDlg& dlg) {
                if (clicked) {
                    dlg.m_radioStyle[values.style]->click();
                    dlg.m_radioPaperType[values.paperType]->click();
                }
                for (const Row& row : rows)
                    for (QWidget* w : row.controls(dlg))
                        EXPECT_EQ(w->isEnabled(), row.enabled[column] != 0)
                            << row.name << " in column " << column << (clicked ? " clicked" : "");
                // These are never greyed.
                EXPECT_TRUE(dlg.m_editMajorSize->isEnabled());
                EXPECT_TRUE(dlg.m_buttonSetAsDefault->isEnabled());
                dlg.OnCancel();
            });
        }
    }
}

TEST_F(DotsGridDlgTest, OpensWithTheValuesAndOkGivesThemBack) {
    QvGridDotDialogValues values = Defaults();
    values.pens[3] = ID_LINE_DASHDOTDOT;
    values.pointType = 8;
    ASSERT_TRUE(Run(values, [](CDotsGridPropertiesDlg& dlg) {
        EXPECT_TRUE(dlg.m_radioPaperType[0]->isChecked());
        EXPECT_TRUE(dlg.m_radioStyle[1]->isChecked());
        EXPECT_EQ(dlg.m_editMajorSize->text(), u"20");
        EXPECT_EQ(dlg.m_comboMajorAngle->currentText(), u"45");
        EXPECT_EQ(dlg.m_comboPen[3]->GetSelectedData(), 32804u);
        EXPECT_EQ(dlg.m_comboPointType->GetSelectedData(), 8u);
        // The lists as the dialog offers them.
        EXPECT_EQ(dlg.m_comboMajorAngle->count(), 8);
        EXPECT_EQ(dlg.m_comboMinorAngle->itemText(5), u"22.5");
        EXPECT_EQ(dlg.m_comboPen[0]->count(), 11);
        EXPECT_EQ(dlg.m_comboPointType->count(), 7);
        EXPECT_EQ(dlg.m_comboPointType->SelectByData(3), 0); // circles first
        EXPECT_EQ(dlg.m_comboPointType->SelectByData(5), 6); // squares last
        dlg.m_comboPointType->SelectByData(8);
        dlg.m_radioPaperType[2]->click();
        dlg.m_comboMajorAngle->setEditText(QStringLiteral("22.5"));
        dlg.m_comboMinorAngle->setCurrentIndex(0); // "1"
        dlg.m_comboPen[0]->SelectByData(ID_LINE_SOLID6);
        dlg.m_checkYLog->setChecked(true);
        dlg.OnOK();
    }));
    EXPECT_EQ(values.paperType, 2);
    EXPECT_EQ(values.majorAngle, u"22.5");
    EXPECT_EQ(values.minorAngle, u"1");
    EXPECT_EQ(values.pens[0], 32811u);
    EXPECT_EQ(values.pens[3], 32804u);
    EXPECT_EQ(values.yLog, 1);
    EXPECT_EQ(values.pointType, 8);
}

TEST_F(DotsGridDlgTest, RefusesSpacingsAndAnglesThatCannotBeDrawn) {
    MessageRecorder recorder;
    QvGridDotDialogValues values = Defaults();
    ASSERT_TRUE(Run(values, [&](CDotsGridPropertiesDlg& dlg) {
        struct Case {
            const char* major;
            const char* minor;
            const char* majorAngle;
            int paper;
            const char* message; // null: accepted
        } cases[] = {
            {"0", "2", "45", 0, "The major size must be more than 0 mm."},
            {"301", "2", "45", 0, "Please enter a number between 0 and 300."},
            {"20", "0", "45", 0, "The minor size must be more than 0 mm."},
            {"20", "2", "0", 2, "The major angle must be a number of degrees above 0."},
            {"20", "2", "abc", 2, "The major angle must be a number of degrees above 0."},
        };
        for (const Case& c : cases) {
            dlg.m_radioPaperType[c.paper]->click();
            dlg.m_editMajorSize->setText(QString::fromLatin1(c.major));
            dlg.m_editMinorSize->setText(QString::fromLatin1(c.minor));
            dlg.m_comboMajorAngle->setEditText(QString::fromLatin1(c.majorAngle));
            recorder.messages.clear();
            dlg.OnOK();
            EXPECT_EQ(dlg.ModalResult(), -1) << c.message;
            ASSERT_EQ(recorder.messages.size(), 1u) << c.message;
            EXPECT_EQ(recorder.messages[0].text, QString::fromLatin1(c.message));
        }
        // An angle the paper does not use is not held against it, nor a
        // minor size that isometric paper does not use.
        dlg.m_radioPaperType[1]->click();
        dlg.m_editMinorSize->setText(QStringLiteral("0"));
        dlg.m_comboMajorAngle->setEditText(QStringLiteral("0"));
        dlg.m_editMajorSize->setText(QStringLiteral("10"));
        recorder.messages.clear();
        dlg.OnOK();
        EXPECT_TRUE(recorder.messages.empty());
    }));
    EXPECT_EQ(values.paperType, 1);
    EXPECT_EQ(values.majorSize, 10.0);
}

// The colour dialog answers as the test says, after the "user" has edited
// the custom colours in it.
class ScriptedColourDlg : public CDotsGridPropertiesDlg {
public:
    QColor answer;
    QColor initial;
    QColor ChooseColour(const QColor& start) override {
        initial = start;
        QColorDialog::setCustomColor(5, QColor(1, 2, 3));
        return answer;
    }
};

TEST_F(DotsGridDlgTest, ColourButtonsUseTheCustomColoursOfTheSettings) {
    QvCustomColorSettings& custom = TheSettings().m_CustomColors;
    custom[0].SetValue(RGB(10, 20, 30));
    ScriptedColourDlg dlg;
    dlg.m_colours[2] = RGB(200, 100, 50);
    const COLORREF before5 = custom[5].GetValue();

    // Cancelled: nothing changes, the custom colours included.
    dlg.OnColour(2);
    EXPECT_EQ(dlg.initial, QColor(200, 100, 50));
    EXPECT_EQ(QColorDialog::customColor(0), QColor(10, 20, 30)); // loaded first
    EXPECT_EQ(dlg.m_colours[2], RGB(200, 100, 50));
    EXPECT_EQ(custom[5].GetValue(), before5);

    // Chosen: the colour and the custom colours are kept, and saved.
    dlg.answer = QColor(0, 128, 255);
    dlg.OnColour(2);
    EXPECT_EQ(dlg.m_colours[2], RGB(0, 128, 255));
    EXPECT_EQ(custom[5].GetValue(), RGB(1, 2, 3));
    EXPECT_EQ(Stored("CustomColor/5").toUInt(), RGB(1, 2, 3));
}

TEST_F(DotsGridDlgTest, SetAsDefaultStoresWhatTheControlsShow) {
    MessageRecorder recorder;
    QvGridDotDialogValues values = Defaults();
    EXPECT_FALSE(Run(values, [](CDotsGridPropertiesDlg& dlg) {
        dlg.m_radioPaperType[2]->click();
        dlg.m_radioStyle[0]->click();
        dlg.m_comboPen[3]->SelectByData(ID_LINE_SOLID3);
        dlg.m_comboMinorAngle->setEditText(QStringLiteral("45/2"));
        dlg.m_comboPointType->SelectByData(4);
        dlg.m_buttonSetAsDefault->click();
        EXPECT_EQ(dlg.ModalResult(), -1); // still open
        dlg.OnCancel();
    }));
    const QvGridDotDefaults& d = TheSettings().m_GridDotDefaults;
    EXPECT_EQ(d.Coord.GetValue(), 2);
    EXPECT_EQ(d.Style.GetValue(), 0);
    EXPECT_EQ(d.yGridMinorPen.GetValue(), ID_LINE_SOLID3);
    EXPECT_DOUBLE_EQ(d.MinorAngle.GetValue(), 22.5);
    EXPECT_EQ(d.PointType.GetValue(), 4);
    EXPECT_EQ(Stored("GridDot/yGridMinorPen"), u"32808");
    // A new paper takes them.
    QvFigGridDot paper;
    EXPECT_EQ(paper.GridData()->Coord, 2);
    EXPECT_EQ(paper.GridData()->yGridMinorPen, 32808u);
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(DotsGridDlgTest, TheFigureOpensItAndTakesTypedAngles) {
    QvFigGridDot paper;
    paper.GridData()->Coord = 2;
    auto previous = QvFigGridDot::PropertiesDialog::Set(RunDotsGridDialog);
    for (const char* typed : {"22.5", "45/2"}) {
        SetModalDialogHandler([&](CDialog& dialog) {
            auto& dlg = dynamic_cast<CDotsGridPropertiesDlg&>(dialog);
            EXPECT_TRUE(dlg.m_radioPaperType[2]->isChecked());
            dlg.m_comboMajorAngle->setEditText(QString::fromLatin1(typed));
            dlg.OnOK();
        });
        paper.EditProperties(CPoint(), CPoint());
        EXPECT_DOUBLE_EQ(paper.GridData()->MajorAngle, 22.5) << typed;
        paper.GridData()->MajorAngle = 45;
    }
    QvFigGridDot::PropertiesDialog::Set(previous);
}

} // namespace
