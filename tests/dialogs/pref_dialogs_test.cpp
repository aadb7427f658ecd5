// The preference dialogs and their commands: what each fills in, what OK
// stores and saves, what Cancel leaves alone, and the refused values.
#include "common/start_program.h"
#include "common/test_support.h"
#include "graph_dialog_test_support.h"
#include "dialogs/pref_dialogs.h"
#include "dialogs/stat_options_dlg.h"
#include "document/lumbrel2_doc.h"
#include "document/undo_manager.h"
#include "framework/doc_template.h"
#include "platform/command_ids.h"
#include "platform/command_router.h"
#include "platform/profile.h"
#include "settings/settings.h"
#include "settings/stat_options.h"
#include "shell/lumbrel2_app.h"
#include "shell/main_frame.h"
#include "shell/palette_tool_bar.h"
#include "shell/pref_commands.h"
#include "statistics/stat_column.h"
#include "text/equation_options.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>

namespace {

using Profile = std::map<QString, QString>;

class PrefDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = std::make_unique<Lumbrel2App>();
        ASSERT_TRUE(StartProgram(*app, QString()));
        ResetSettings();
    }
    void TearDown() override {
        SetModalDialogHandler({});
        ResetSettings();
    }

    // Built-in values everywhere, all of them in the profile.
    void ResetSettings() {
        TheSettings().Save(TRUE);
        TheSettings().ReadFromRegistry();
        RefreshEquationOptions();
        baseline = Snapshot();
    }

    static Profile Snapshot() {
        QSettings& store = ProfileSettings();
        store.sync();
        Profile keys;
        for (const QString& key : store.allKeys()) {
            QVariant value = store.value(key);
            keys[key] = value.typeId() == QMetaType::QStringList
                            ? value.toStringList().join(QLatin1Char(','))
                            : value.toString();
        }
        return keys;
    }

    // The profile keys that differ from the baseline.
    std::set<QString> Changed() const {
        Profile now = Snapshot();
        std::set<QString> changed;
        for (const auto& [key, value] : now) {
            auto it = baseline.find(key);
            if (it == baseline.end() || it->second != value)
                changed.insert(key);
        }
        for (const auto& [key, value] : baseline)
            if (!now.count(key))
                changed.insert(key);
        return changed;
    }

    // Runs command `id` with `act` in the user's place.
    template <class D> void Run(UINT id, std::function<void(D&)> act) {
        bool ran = false;
        SetModalDialogHandler([&](CDialog& dialog) {
            auto* dlg = dynamic_cast<D*>(&dialog);
            ASSERT_NE(dlg, nullptr);
            ran = true;
            act(*dlg);
        });
        EXPECT_TRUE(app->Router().Execute(id)) << id;
        SetModalDialogHandler({});
        EXPECT_TRUE(ran) << id;
    }

    TempProfile profile;
    std::unique_ptr<Lumbrel2App> app;
    Profile baseline;
};

using Keys = std::set<QString>;

TEST_F(PrefDialogsTest, CancelLeavesEverySettingAsItWas) {
    const UINT commands[] = {ID_TOOLS_DIRECTORIES, ID_PREF_DECIMAL_POINT, ID_PREF_EQUATION_STYLES,
                             ID_PREF_VECTORS,      ID_PREF_GRAPH,         ID_PREF_STATISTICS,
                             ID_CUSTOMIZE_TOOLBARS};
    for (UINT id : commands) {
        Run<CDialog>(id, [](CDialog& dlg) {
            for (QCheckBox* box : dlg.findChildren<QCheckBox*>())
                box->toggle();
            for (QLineEdit* edit : dlg.findChildren<QLineEdit*>())
                edit->setText(QStringLiteral("7"));
            dlg.OnCancel();
        });
        // Nothing changed in memory either: saving now still gives the
        // baseline.
        TheSettings().Save(FALSE);
        EXPECT_EQ(Changed(), Keys{}) << id;
    }
    for (QToolBar* bar : app->GetMainFrame()->ControlBars())
        EXPECT_FALSE(bar->isHidden()) << bar->windowTitle().toStdString();
}

TEST_F(PrefDialogsTest, DirectoriesStoreBothFolders) {
    QvSettings& settings = TheSettings();
    settings.m_GalleryPath.SetValue(QStringLiteral("/srv/gallery"));
    Run<CSystemDirectoriesDlg>(ID_TOOLS_DIRECTORIES, [](CSystemDirectoriesDlg& dlg) {
        EXPECT_EQ(dlg.m_editGalleryPath->text(), u"/srv/gallery");
        dlg.m_editDefaultPath->setText(QStringLiteral("/home/u/drawings, old"));
        dlg.OnOK();
    });
    EXPECT_EQ(Changed(), (Keys{"System/DefaultPath", "System/GalleryPath"}));
    EXPECT_EQ(GetProfileString("System", "DefaultPath", QString()), u"/home/u/drawings, old");
    EXPECT_EQ(settings.m_GalleryPath.GetValue(), u"/srv/gallery");
}

TEST_F(PrefDialogsTest, DecimalMarkFollowsTheLiveMarkAndSetsTheSeparator) {
    struct Case {
        char live;
        int comma;
        char point, separator;
        Keys changed;
    };
    const Case cases[] = {
        // The mark and separator come from the locale at each start, so
        // the profile never holds them.
        {',', 1, ',', ';', {"Equation/RaiseDecimal"}},
        {'.', 0, '.', ',', {"Equation/RaiseDecimal"}},
        {'\'', 0, '.', ',', {"Equation/RaiseDecimal"}},
    };
    for (const Case& c : cases) {
        ResetSettings();
        TheEquationOptions().m_decimalPoint = c.live;
        Run<CDecimalMarkDlg>(ID_PREF_DECIMAL_POINT, [&](CDecimalMarkDlg& dlg) {
            EXPECT_EQ(dlg.m_nDecimalComma, c.comma);
            EXPECT_FALSE(dlg.m_checkRaiseDecimal->isChecked());
            dlg.m_checkRaiseDecimal->setChecked(true);
            dlg.OnOK();
        });
        const QvEquationDefaults& s = TheSettings().m_EquationDefaults;
        EXPECT_EQ(Changed(), c.changed) << c.live;
        EXPECT_EQ(s.DecimalPoint.GetValue(), c.point);
        EXPECT_EQ(s.Separator.GetValue(), c.separator);
        EXPECT_EQ(s.RaiseDecimal.GetValue(), 1);
        // The live options follow the settings at once.
        EXPECT_EQ(TheEquationOptions().m_decimalPoint, c.point);
        EXPECT_EQ(TheEquationOptions().m_raiseDecimal, 1);
    }
}

TEST_F(PrefDialogsTest, StylesShowTheLiveOptionsAndStoreTheirChanges) {
    for (WORD dot : {0, 1, 2}) {
        TheEquationOptions().m_dotMultiply = dot;
        Run<CEquationStyleDlg>(ID_PREF_EQUATION_STYLES, [&](CEquationStyleDlg& dlg) {
            // Anything but 1 is the cross.
            EXPECT_EQ(dlg.m_radioMultiply[0]->isChecked(), dot != 1) << dot;
            EXPECT_EQ(dlg.m_radioMultiply[1]->isChecked(), dot == 1) << dot;
            EXPECT_TRUE(dlg.m_checkVariablesItalic->isChecked());
            EXPECT_EQ(dlg.m_editTabWidth->text(), u"1000");
            dlg.OnCancel();
        });
    }

    RefreshEquationOptions();
    Run<CEquationStyleDlg>(ID_PREF_EQUATION_STYLES, [](CEquationStyleDlg& dlg) {
        dlg.m_checkGreekBold->setChecked(true);
        dlg.m_checkVariablesItalic->setChecked(false);
        dlg.m_editTabWidth->setText(QStringLiteral("1500"));
        dlg.m_radioMultiply[1]->click();
        dlg.OnOK();
    });
    EXPECT_EQ(Changed(), (Keys{"Equation/GreekBold", "Equation/VariablesItalic",
                               "Equation/TabWidth", "Equation/DotMultiply"}));
    EXPECT_EQ(TheSettings().m_EquationDefaults.DotMultiply.GetValue(), 1);
    EXPECT_EQ(TheEquationOptions().m_tabWidth, 1500);
    EXPECT_EQ(TheEquationOptions().m_variablesItalic, 0);
}

// The live options come from the profile when the program starts and when
// Reset All Options reads the settings back, so OK never writes built-in
// values over the user's.
TEST_F(PrefDialogsTest, StoredEquationOptionsAreLiveFromTheStartAndAfterAReset) {
    app.reset();
    TheEquationOptions() = QvEquationOptions(); // as a fresh process has them
    WriteProfileInt("Equation", "TabWidth", 500);
    WriteProfileInt("Equation", "GreekBold", 1);
    app = std::make_unique<Lumbrel2App>();
    ASSERT_TRUE(StartProgram(*app, QString()));
    Run<CEquationStyleDlg>(ID_PREF_EQUATION_STYLES, [](CEquationStyleDlg& dlg) {
        EXPECT_EQ(dlg.m_editTabWidth->text(), u"500");
        EXPECT_TRUE(dlg.m_checkGreekBold->isChecked());
        dlg.OnOK();
    });
    EXPECT_EQ(GetProfileInt("Equation", "TabWidth", 0), 500);

    MessageRecorder recorder(IDOK);
    app->Router().Execute(ID_RESET_ALL_OPTIONS);
    EXPECT_EQ(TheEquationOptions().m_tabWidth, 1000);
    EXPECT_EQ(TheEquationOptions().m_greekBold, 0);
    TheSettings().m_bCloseDown = FALSE;
}

TEST_F(PrefDialogsTest, RefusedNumbersKeepTheDialogOpenWithTheUsualMessage) {
    MessageRecorder recorder;
    Run<CEquationStyleDlg>(ID_PREF_EQUATION_STYLES, [&](CEquationStyleDlg& dlg) {
        struct Case {
            QLineEdit* edit;
            const char* text;
            const char* message;
        };
        const Case cases[] = {
            {dlg.m_editTabWidth, "5001", "Please enter an integer between 0 and 5000."},
            {dlg.m_editTabWidth, "-1", "Please enter an integer between 0 and 5000."},
            {dlg.m_editVerticalSpacing, "12pt", "Please enter an integer."},
        };
        for (const Case& c : cases) {
            recorder.messages.clear();
            c.edit->setText(QString::fromLatin1(c.text));
            dlg.OnOK();
            EXPECT_EQ(dlg.ModalResult(), -1) << c.text;
            ASSERT_EQ(recorder.messages.size(), 1u) << c.text;
            EXPECT_EQ(recorder.messages[0].text, QString::fromLatin1(c.message));
            c.edit->setText(QStringLiteral("5000"));
        }
        dlg.OnOK();
        EXPECT_EQ(dlg.ModalResult(), IDOK);
    });
    EXPECT_EQ(TheSettings().m_EquationDefaults.TabWidth.GetValue(), 5000);
    EXPECT_EQ(TheSettings().m_EquationDefaults.VerticalSpacing.GetValue(), 5000);
}

TEST_F(PrefDialogsTest, VectorLettersAreOnlyForSelectLettersButAlwaysStored) {
    Run<CVectorPropertiesDlg>(ID_PREF_VECTORS, [](CVectorPropertiesDlg& dlg) {
        // "Best Guess": the letters are off but keep their ticks (i, j, k, r).
        EXPECT_TRUE(dlg.m_radioLowerCase[1]->isChecked());
        EXPECT_FALSE(dlg.m_checkLetter[8]->isEnabled());
        EXPECT_TRUE(dlg.m_checkLetter[8]->isChecked());
        EXPECT_FALSE(dlg.m_checkLetter[0]->isChecked());
        dlg.m_radioLowerCase[2]->click();
        EXPECT_TRUE(dlg.m_checkLetter[0]->isEnabled());
        dlg.m_checkLetter[0]->setChecked(true);
        dlg.m_radioLowerCase[0]->click();
        EXPECT_FALSE(dlg.m_checkLetter[0]->isEnabled());
        EXPECT_TRUE(dlg.m_checkLetter[0]->isChecked());
        dlg.m_radioDisplayVect[2]->click();
        dlg.OnOK();
    });
    EXPECT_EQ(Changed(), (Keys{"Equation/a", "Equation/LowerCase", "Equation/DisplayVect"}));
    const QvEquationDefaults& s = TheSettings().m_EquationDefaults;
    EXPECT_EQ(s.Letter[0].GetValue(), 1);
    EXPECT_EQ(s.LowerCase.GetValue(), 0);
    EXPECT_EQ(s.DisplayVect.GetValue(), 2);
    EXPECT_EQ(TheEquationOptions().m_letters[0], 1);

    // Opened with "Select Letters" the letters are on from the start.
    Run<CVectorPropertiesDlg>(ID_PREF_VECTORS, [](CVectorPropertiesDlg& dlg) {
        EXPECT_FALSE(dlg.m_checkLetter[0]->isEnabled());
        dlg.OnCancel();
    });
    TheEquationOptions().m_lowerCase = 2;
    Run<CVectorPropertiesDlg>(ID_PREF_VECTORS, [](CVectorPropertiesDlg& dlg) {
        EXPECT_TRUE(dlg.m_checkLetter[25]->isEnabled());
        dlg.OnCancel();
    });
}

TEST_F(PrefDialogsTest, VectorSeparatorFollowsIgnoreAndTheDecimalMark) {
    struct Case {
        bool ignore;
        char point;
        unsigned char separator;
    };
    const Case cases[] = {
        {true, '.', 0xFF}, {true, ',', 0xFF}, {false, ',', ';'}, {false, '.', ','}};
    for (const Case& c : cases) {
        ResetSettings();
        TheSettings().m_EquationDefaults.DecimalPoint.SetValue(c.point);
        Run<CVectorPropertiesDlg>(ID_PREF_VECTORS, [&](CVectorPropertiesDlg& dlg) {
            dlg.m_checkIgnoreSeparator->setChecked(c.ignore);
            dlg.OnOK();
        });
        const QvEquationDefaults& s = TheSettings().m_EquationDefaults;
        EXPECT_EQ(static_cast<unsigned char>(s.Separator.GetValue()), c.separator) << c.point;
        EXPECT_EQ(static_cast<unsigned char>(TheEquationOptions().m_separator), c.separator);
        EXPECT_EQ(s.IgnoreSeparator.GetValue(), c.ignore ? 1 : 0);
    }
}

TEST_F(PrefDialogsTest, GraphDefaultsInvertTheShadingChoice) {
    QvGraphDefaults& g = TheSettings().m_GraphDefaults;
    ASSERT_EQ(g.ShadeAbove.GetValue(), 1);
    Run<CGraphDefaultsDlg>(ID_PREF_GRAPH, [](CGraphDefaultsDlg& dlg) {
        EXPECT_TRUE(dlg.m_radioShade[0]->isChecked()); // "Above y > 1"
        EXPECT_TRUE(dlg.m_checkShowNegativeArrows->isChecked());
        EXPECT_FALSE(dlg.m_checkShowOrigin->isChecked());
        dlg.m_radioShade[1]->click();
        dlg.m_checkShowOrigin->setChecked(true);
        dlg.OnOK();
    });
    EXPECT_EQ(Changed(), (Keys{"Graph/ShadeAbove", "Graph/ShowOrigin"}));
    EXPECT_EQ(g.ShadeAbove.GetValue(), 0);
    Run<CGraphDefaultsDlg>(ID_PREF_GRAPH, [](CGraphDefaultsDlg& dlg) {
        EXPECT_TRUE(dlg.m_radioShade[1]->isChecked());
        dlg.OnCancel();
    });
}

// Statistics Options opens on the "Stat" settings; OK stores all four,
// saves them and hands them to the statistics at once, Cancel does
// nothing.  With "Use P75 and P25" the quartiles of 1, 2, 3, 4 are 1.75
// and 3.25 interpolated (Python's statistics.quantiles, "inclusive"), 1.5
// and 3.5 discrete (by hand: the mean of the values either side of n*p).
TEST_F(PrefDialogsTest, StatisticsOptionsReachTheCalculationsAndSurviveARestart) {
    struct Case {
        int percentile;
        double lower, upper;
        Keys changed;
    } cases[] = {
        {0, 1.75, 3.25, {"Stat/CalcQuartile", "Stat/ShowSampleSD", "Stat/CalcSeasonalised"}},
        {1, 1.5, 3.5,
         {"Stat/CalcQuartile", "Stat/ShowSampleSD", "Stat/CalcSeasonalised",
          "Stat/CalcPercentile"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.percentile);
        ResetSettings();
        Lumbrel2Doc::ApplyStatisticsOptions();
        Run<CStatOptionsDlg>(ID_PREF_STATISTICS, [](CStatOptionsDlg& dlg) {
            dlg.m_radioQuartile[2]->click();
            dlg.m_radioPercentile[1]->click();
            dlg.m_checkSampleSD->setChecked(false);
            dlg.OnCancel();
        });
        EXPECT_EQ(Changed(), Keys{});
        EXPECT_EQ(g_nQuartileMethod, 0);
        EXPECT_EQ(g_nPercentileMethod, 0);
        EXPECT_TRUE(g_bShowSampleSD);

        Run<CStatOptionsDlg>(ID_PREF_STATISTICS, [&](CStatOptionsDlg& dlg) {
            EXPECT_EQ(dlg.windowTitle(), u"Statistics Options");
            EXPECT_TRUE(dlg.m_radioQuartile[0]->isChecked());
            EXPECT_TRUE(dlg.m_radioPercentile[0]->isChecked());
            EXPECT_TRUE(dlg.m_radioSeasonalised[0]->isChecked());
            EXPECT_TRUE(dlg.m_checkSampleSD->isChecked());
            EXPECT_EQ(dlg.m_radioQuartile[2]->text(), u"Use P75 and P25");
            EXPECT_EQ(dlg.m_radioPercentile[0]->text(), u"Interpolated (Excel style)");
            Picture(dlg, QStringLiteral("statistics_options"));
            dlg.m_radioQuartile[2]->click();
            dlg.m_radioPercentile[c.percentile]->click();
            dlg.m_radioSeasonalised[1]->click();
            dlg.m_checkSampleSD->setChecked(false);
            dlg.OnOK();
        });
        EXPECT_EQ(Changed(), c.changed);
        EXPECT_EQ(g_nQuartileMethod, 2);
        EXPECT_EQ(g_nPercentileMethod, c.percentile);
        EXPECT_EQ(g_nSeasonalisedMethod, 1);
        EXPECT_FALSE(g_bShowSampleSD);
        QvStatColumn column;
        for (int i = 0; i < 4; ++i)
            column.cells[size_t(i)] = {double(i + 1), 1, {}};
        column.MarkDirty();
        column.Recalc();
        EXPECT_DOUBLE_EQ(column.lowerQuartile, c.lower);
        EXPECT_DOUBLE_EQ(column.upperQuartile, c.upper);

        // A restart reads them back from the profile.
        QvStatDefaults& s = TheSettings().m_StatDefaults;
        s.CalcQuartile.SetValue(0);
        s.CalcPercentile.SetValue(0);
        s.CalcSeasonalised.SetValue(0);
        s.ShowSampleSD.SetValue(1);
        Lumbrel2Doc::ApplyStatisticsOptions();
        TheSettings().ReadFromRegistry();
        Lumbrel2Doc doc;
        EXPECT_EQ(g_nQuartileMethod, 2);
        EXPECT_EQ(g_nPercentileMethod, c.percentile);
        EXPECT_EQ(g_nSeasonalisedMethod, 1);
        EXPECT_FALSE(g_bShowSampleSD);
    }
    ResetSettings();
    Lumbrel2Doc::ApplyStatisticsOptions();
}

TEST_F(PrefDialogsTest, GridSizesRoundToHundredthsOfAMillimetre) {
    struct Case {
        double mm;
        int spacing;
    };
    const Case cases[] = {{12.345, 1235}, {0.57, 57}, {2.3, 230}, {0.1, 10}, {100.0, 10000}};
    for (const Case& c : cases)
        EXPECT_EQ(CDocGridDlg::SpacingFromSize(c.mm), c.spacing) << c.mm;
}

TEST_F(PrefDialogsTest, GridDialogEditsTheGridAndRefusesSizesThatCannotBeDrawn) {
    MessageRecorder recorder;
    GridValues grid{500, 0, TRUE};
    SetModalDialogHandler([&](CDialog& dialog) {
        auto& dlg = dynamic_cast<CDocGridDlg&>(dialog);
        EXPECT_EQ(dlg.m_editSize->text(), u"5");
        EXPECT_TRUE(dlg.m_checkShowGrid->isChecked());
        for (const char* text : {"0", "0.05", "100.5", "-3"}) {
            dlg.m_editSize->setText(QString::fromLatin1(text));
            dlg.OnOK();
            EXPECT_EQ(dlg.ModalResult(), -1) << text;
        }
        dlg.m_editSize->setText(QStringLiteral("5 mm"));
        dlg.OnOK();
        dlg.m_editSize->setText(QStringLiteral("12.345"));
        dlg.m_checkIsometric->setChecked(true);
        dlg.OnOK();
    });
    EXPECT_TRUE(EditBackgroundGrid(nullptr, grid));
    EXPECT_EQ(grid.spacing, 1235);
    EXPECT_EQ(grid.type, 1);
    EXPECT_EQ(grid.shown, TRUE);
    ASSERT_EQ(recorder.messages.size(), 5u);
    EXPECT_EQ(recorder.messages[0].text, u"Please enter a number between 0.1 and 100.");
    EXPECT_EQ(recorder.messages[4].text, u"Please enter a number.");
    // The drawing's grid is no setting.
    EXPECT_EQ(Changed(), Keys{});
}

TEST_F(PrefDialogsTest, GridSetAsDefaultIsSavedEvenWhenCancelled) {
    MessageRecorder recorder;
    GridValues grid{500, 0, TRUE};
    SetModalDialogHandler([&](CDialog& dialog) {
        auto& dlg = dynamic_cast<CDocGridDlg&>(dialog);
        dlg.m_editSize->setText(QStringLiteral("0"));
        dlg.m_buttonSetAsDefault->click();
        EXPECT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(Changed(), Keys{});
        dlg.m_editSize->setText(QStringLiteral("0.57"));
        dlg.m_checkShowGrid->setChecked(false);
        dlg.m_buttonSetAsDefault->click();
        EXPECT_EQ(dlg.ModalResult(), -1); // still open
        dlg.OnCancel();
    });
    EXPECT_FALSE(EditBackgroundGrid(nullptr, grid));
    EXPECT_EQ(grid.spacing, 500);
    EXPECT_EQ(grid.shown, TRUE);
    EXPECT_EQ(Changed(), (Keys{"GridPoints/Size", "GridPoints/ShowGrid"}));
    EXPECT_EQ(GetProfileInt("GridPoints", "Size", 0), 57);
    EXPECT_EQ(TheSettings().m_GridPointsDefaults.ShowGrid.GetValue(), 0);
}

TEST_F(PrefDialogsTest, GridCommandSetsTheDrawingsGridAndNothingElse) {
    auto* doc = dynamic_cast<Lumbrel2Doc*>(app->GetDocTemplate()->Documents().front().get());
    ASSERT_TRUE(doc);
    doc->SetModifiedFlag(FALSE);
    Run<CDocGridDlg>(ID_TOOLS_GRID, [](CDocGridDlg& dlg) {
        EXPECT_EQ(dlg.m_editSize->text(), u"5");
        dlg.m_editSize->setText(QStringLiteral("7.5"));
        dlg.OnOK();
    });
    EXPECT_EQ(doc->Grid().GetSpacing(), 750);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->UndoManager().GetLevel(), 0);
    EXPECT_EQ(Changed(), Keys{});
    // The grid and the preferences are a drawing's commands.
    app->CloseAllDocuments(TRUE);
    for (UINT id : {ID_TOOLS_GRID, ID_PREF_DECIMAL_POINT, ID_PREF_EQUATION_STYLES, ID_PREF_VECTORS,
                    ID_PREF_GRAPH, ID_PREF_STATISTICS})
        EXPECT_FALSE(app->Router().IsEnabled(id)) << id;
}

TEST_F(PrefDialogsTest, ToolbarsDialogShowsHidesAndResetsTheBars) {
    MessageRecorder recorder;
    CMainFrame* frame = app->GetMainFrame();
    auto bar = [&](const char* title) -> QToolBar* {
        for (QToolBar* b : frame->ControlBars())
            if (b->windowTitle() == QLatin1String(title))
                return b;
        return nullptr;
    };
    Run<CToolbarsDlg>(ID_CUSTOMIZE_TOOLBARS, [](CToolbarsDlg& dlg) {
        for (QCheckBox* box : dlg.findChildren<QCheckBox*>())
            EXPECT_TRUE(box->isChecked()) << box->text().toStdString();
        EXPECT_EQ(dlg.m_editColumns->text(), u"2");
        dlg.m_checkRotate->setChecked(false);
        dlg.m_checkLevel->setChecked(false);
        dlg.m_editColumns->setText(QStringLiteral("3"));
        dlg.OnOK();
    });
    EXPECT_TRUE(bar("Rotate")->isHidden());
    EXPECT_TRUE(bar("Drawing Level")->isHidden());
    EXPECT_FALSE(bar("Reflect")->isHidden());
    EXPECT_EQ(frame->PaletteBar()->GetColumns(), 3);
    EXPECT_EQ(GetProfileInt("Toolbars", "Columns", 0), 3);

    // A refused column count keeps the dialog open and forgets the reset.
    Run<CToolbarsDlg>(ID_CUSTOMIZE_TOOLBARS, [&](CToolbarsDlg& dlg) {
        EXPECT_FALSE(dlg.m_checkRotate->isChecked());
        dlg.m_editColumns->setText(QStringLiteral("51"));
        dlg.m_buttonReset->click();
        EXPECT_EQ(dlg.ModalResult(), -1);
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0].text, u"Please enter an integer between 1 and 50.");
        EXPECT_EQ(dlg.m_bReset, 0);
        dlg.m_editColumns->setText(QStringLiteral("1"));
        dlg.OnOK();
    });
    EXPECT_TRUE(bar("Rotate")->isHidden());
    EXPECT_EQ(frame->PaletteBar()->GetColumns(), 1);

    // "Reset Toolbars" applies the ticks, then puts every bar back.
    Run<CToolbarsDlg>(ID_CUSTOMIZE_TOOLBARS, [](CToolbarsDlg& dlg) {
        dlg.m_checkWeb->setChecked(false);
        dlg.m_editColumns->setText(QStringLiteral("4"));
        dlg.m_buttonReset->click();
        EXPECT_EQ(dlg.ModalResult(), IDOK);
    });
    for (QToolBar* b : frame->ControlBars())
        EXPECT_FALSE(b->isHidden()) << b->windowTitle().toStdString();
    EXPECT_EQ(frame->PaletteBar()->GetColumns(), 2);
    EXPECT_EQ(GetProfileInt("Toolbars", "Columns", 0), 2);
}

} // namespace
