#include "shell/pref_commands.h"

#include "dialogs/pref_dialogs.h"
#include "dialogs/stat_options_dlg.h"
#include "document/lumbrel2_doc.h"
#include "framework/doc_template.h"
#include "framework/document.h"
#include "framework/view.h"
#include "framework/win_app.h"
#include "platform/command_ids.h"
#include "platform/qt_convert.h"
#include "settings/settings.h"
#include "text/equation_options.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>

namespace {

// The separator that goes with a decimal mark.
char SeparatorFor(char decimalPoint) {
    return decimalPoint == '.' ? ',' : ';';
}

void SaveEquationSettings() {
    TheSettings().Save(FALSE);
    RefreshEquationOptions();
    UpdateAllViews();
}

} // namespace

void RefreshEquationOptions() {
    const QvEquationDefaults& s = TheSettings().m_EquationDefaults;
    QvEquationOptions& o = TheEquationOptions();
    o.m_decimalPoint = s.DecimalPoint.GetValue();
    o.m_separator = s.Separator.GetValue();
    o.m_lowerCase = s.LowerCase.GetValue();
    o.m_displayVect = s.DisplayVect.GetValue();
    o.m_doubleCaps = s.DoubleCaps.GetValue();
    o.m_tabWidth = s.TabWidth.GetValue();
    o.m_verticalSpacing = s.VerticalSpacing.GetValue();
    o.m_raiseDecimal = s.RaiseDecimal.GetValue();
    o.m_ignoreSeparator = s.IgnoreSeparator.GetValue();
    o.m_functionsItalic = s.FunctionsItalic.GetValue();
    o.m_functionsBold = s.FunctionsBold.GetValue();
    o.m_variablesItalic = s.VariablesItalic.GetValue();
    o.m_variablesBold = s.VariablesBold.GetValue();
    o.m_greekItalic = s.GreekItalic.GetValue();
    o.m_greekBold = s.GreekBold.GetValue();
    o.m_dotMultiply = s.DotMultiply.GetValue();
    for (int i = 0; i < 26; ++i)
        o.m_letters[i] = s.Letter[i].GetValue();
}

void UpdateAllViews() {
    CWinApp* app = AfxGetApp();
    if (!app || !app->GetDocTemplate())
        return;
    for (const auto& doc : app->GetDocTemplate()->Documents())
        for (CView* view : doc->Views())
            view->update();
}

void EditSystemDirectories(QWidget* parent) {
    QvSettings& settings = TheSettings();
    CSystemDirectoriesDlg dlg(parent);
    dlg.m_strDefaultPath = settings.m_DefaultPath.GetValue();
    dlg.m_strGalleryPath = settings.m_GalleryPath.GetValue();
    if (dlg.DoModal() != IDOK)
        return;
    settings.m_DefaultPath.SetValue(dlg.m_strDefaultPath);
    settings.m_GalleryPath.SetValue(dlg.m_strGalleryPath);
    settings.Save(FALSE);
}

void EditDecimalMark(QWidget* parent) {
    const QvEquationOptions& live = TheEquationOptions();
    CDecimalMarkDlg dlg(parent);
    dlg.m_bRaiseDecimal = live.m_raiseDecimal;
    dlg.m_nDecimalComma = live.m_decimalPoint == ',' ? 1 : 0;
    if (dlg.DoModal() != IDOK)
        return;
    QvEquationDefaults& s = TheSettings().m_EquationDefaults;
    s.RaiseDecimal.SetValue(dlg.m_bRaiseDecimal ? 1 : 0);
    char point = dlg.m_nDecimalComma ? ',' : '.';
    s.DecimalPoint.SetValue(point);
    s.Separator.SetValue(SeparatorFor(point));
    SaveEquationSettings();
}

void EditEquationStyles(QWidget* parent) {
    const QvEquationOptions& live = TheEquationOptions();
    CEquationStyleDlg dlg(parent);
    dlg.m_bFunctionsBold = live.m_functionsBold;
    dlg.m_bFunctionsItalic = live.m_functionsItalic;
    dlg.m_bGreekBold = live.m_greekBold;
    dlg.m_bGreekItalic = live.m_greekItalic;
    dlg.m_bVariablesBold = live.m_variablesBold;
    dlg.m_bVariablesItalic = live.m_variablesItalic;
    dlg.m_nTabWidth = live.m_tabWidth;
    dlg.m_nVerticalSpacing = live.m_verticalSpacing;
    dlg.m_nDotMultiply = live.m_dotMultiply == 1 ? 1 : 0;
    if (dlg.DoModal() != IDOK)
        return;
    QvEquationDefaults& s = TheSettings().m_EquationDefaults;
    s.FunctionsBold.SetValue(dlg.m_bFunctionsBold ? 1 : 0);
    s.FunctionsItalic.SetValue(dlg.m_bFunctionsItalic ? 1 : 0);
    s.GreekBold.SetValue(dlg.m_bGreekBold ? 1 : 0);
    s.GreekItalic.SetValue(dlg.m_bGreekItalic ? 1 : 0);
    s.VariablesBold.SetValue(dlg.m_bVariablesBold ? 1 : 0);
    s.VariablesItalic.SetValue(dlg.m_bVariablesItalic ? 1 : 0);
    s.TabWidth.SetValue(dlg.m_nTabWidth);
    s.VerticalSpacing.SetValue(dlg.m_nVerticalSpacing);
    s.DotMultiply.SetValue(BYTE(dlg.m_nDotMultiply));
    SaveEquationSettings();
}

void EditVectors(QWidget* parent) {
    const QvEquationOptions& live = TheEquationOptions();
    CVectorPropertiesDlg dlg(parent);
    for (int i = 0; i < 26; ++i)
        dlg.m_bLetter[i] = live.m_letters[i];
    dlg.m_bIgnoreSeparator = live.m_ignoreSeparator;
    dlg.m_nDoubleCaps = live.m_doubleCaps;
    dlg.m_nLowerCase = live.m_lowerCase;
    dlg.m_nDisplayVect = live.m_displayVect;
    if (dlg.DoModal() != IDOK)
        return;
    QvEquationDefaults& s = TheSettings().m_EquationDefaults;
    for (int i = 0; i < 26; ++i)
        s.Letter[i].SetValue(dlg.m_bLetter[i] ? 1 : 0);
    s.IgnoreSeparator.SetValue(dlg.m_bIgnoreSeparator ? 1 : 0);
    s.DoubleCaps.SetValue(dlg.m_nDoubleCaps);
    s.LowerCase.SetValue(dlg.m_nLowerCase);
    s.DisplayVect.SetValue(dlg.m_nDisplayVect);
    // 0xFF stands for "no separator".
    s.Separator.SetValue(dlg.m_bIgnoreSeparator ? char(0xFF)
                                                : SeparatorFor(s.DecimalPoint.GetValue()));
    SaveEquationSettings();
}

void EditGraphDefaults(QWidget* parent) {
    QvGraphDefaults& g = TheSettings().m_GraphDefaults;
    CGraphDefaultsDlg dlg(parent);
    dlg.m_bShowNegativeArrows = g.ShowNegativeArrows.GetValue();
    dlg.m_bShowOrigin = g.ShowOrigin.GetValue();
    dlg.m_nShade = g.ShadeAbove.GetValue() == 1 ? 0 : 1;
    dlg.m_bShowPositiveArrows = g.ShowPositiveArrows.GetValue();
    if (dlg.DoModal() != IDOK)
        return;
    g.ShowNegativeArrows.SetValue(dlg.m_bShowNegativeArrows ? 1 : 0);
    g.ShowOrigin.SetValue(dlg.m_bShowOrigin ? 1 : 0);
    g.ShadeAbove.SetValue(dlg.m_nShade == 0 ? 1 : 0);
    g.ShowPositiveArrows.SetValue(dlg.m_bShowPositiveArrows ? 1 : 0);
    TheSettings().Save(FALSE);
    UpdateAllViews();
}

void EditStatisticsOptions(QWidget* parent) {
    QvStatDefaults& s = TheSettings().m_StatDefaults;
    CStatOptionsDlg dlg(parent);
    dlg.m_nQuartile = s.CalcQuartile.GetValue();
    dlg.m_bSampleSD = s.ShowSampleSD.GetValue() ? 1 : 0;
    dlg.m_nPercentile = s.CalcPercentile.GetValue();
    dlg.m_nSeasonalised = s.CalcSeasonalised.GetValue();
    if (dlg.DoModal() != IDOK)
        return;
    s.CalcQuartile.SetValue(dlg.m_nQuartile);
    s.ShowSampleSD.SetValue(dlg.m_bSampleSD == 1 ? 1 : 0);
    s.CalcPercentile.SetValue(dlg.m_nPercentile);
    s.CalcSeasonalised.SetValue(dlg.m_nSeasonalised);
    TheSettings().Save(FALSE);
    // Statistics worked out from now on use them; nothing is redrawn.
    Lumbrel2Doc::ApplyStatisticsOptions();
}

BOOL EditBackgroundGrid(QWidget* parent, GridValues& grid) {
    CDocGridDlg dlg(parent);
    dlg.m_dSize = grid.spacing / 100.0;
    dlg.m_bIsometric = grid.type;
    dlg.m_bShowGrid = grid.shown;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    grid.spacing = CDocGridDlg::SpacingFromSize(dlg.m_dSize);
    grid.type = dlg.m_bIsometric ? 1 : 0;
    grid.shown = dlg.m_bShowGrid ? TRUE : FALSE;
    UpdateAllViews();
    return TRUE;
}

void RunPreferenceDialog(UINT id) {
    QWidget* parent = QApplication::activeWindow();
    switch (id) {
    case ID_PREF_DECIMAL_POINT:
        EditDecimalMark(parent);
        break;
    case ID_PREF_EQUATION_STYLES:
        EditEquationStyles(parent);
        break;
    case ID_PREF_VECTORS:
        EditVectors(parent);
        break;
    case ID_PREF_GRAPH:
        EditGraphDefaults(parent);
        break;
    case ID_PREF_STATISTICS:
        EditStatisticsOptions(parent);
        break;
    default:
        break;
    }
}

bool RunGridDialog(GridValues& grid) {
    return EditBackgroundGrid(QApplication::activeWindow(), grid) != FALSE;
}

bool RunColourDialog(COLORREF& colour, QvColorScheme& custom) {
    for (int i = 0; i < QvColorScheme::Count; ++i)
        QColorDialog::setCustomColor(i, ToQColor(custom[i]));
    QColor chosen = QColorDialog::getColor(ToQColor(colour), QApplication::activeWindow());
    if (!chosen.isValid())
        return false;
    for (int i = 0; i < QvColorScheme::Count; ++i)
        custom[i] = FromQColor(QColorDialog::customColor(i));
    colour = FromQColor(chosen);
    return true;
}

bool RunWebGraphicFileDialog(QString& path) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(
        {QStringLiteral("PNG Files (*.png)"), QStringLiteral("Bitmaps Files (*.bmp)")});
    dialog.setDefaultSuffix(QStringLiteral("png"));
    // A name typed without an extension takes the chosen kind's.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        dialog.setDefaultSuffix(f.contains(QLatin1String("bmp")) ? QStringLiteral("bmp")
                                                                 : QStringLiteral("png"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = dialog.selectedFiles().constFirst();
    return true;
}
