#pragma once
// The dialogs that choose one point mark: "Point Properties" for a point
// figure, "Circle Properties" (or "Ellipse Properties") for the mark at a
// circle's or an ellipse's centre.  "Set as Default" makes the chosen mark
// that of new figures of the kind.
#include "dialogs/style_combo_box.h"
#include "platform/dialog.h"

#include <span>

class QPushButton;

class CMarkPropertiesDlg : public CDialog {
public:
    // Selects the mark type's item; none when the list has no such mark.
    BOOL OnInitDialog() override;
    // Takes the selected mark (0 with none selected) and ends with IDOK.
    void OnOK() override;
    // Takes the selected mark as the default and saves; the dialog stays
    // open.
    void OnSetAsDefault();

    int m_nMarkType = 0;
    CMarkerComboBox* m_comboMark;
    QPushButton* m_buttonSetAsDefault;

protected:
    CMarkPropertiesDlg(const QString& caption, const QString& group,
                       std::span<const ComboItem> table, QWidget* parent);
    // The mark travels through the list alone.
    void DoDataExchange(CDataExchange*) override {}
    virtual void StoreDefault(int mark) = 0;
};

class CPointPropertiesDlg : public CMarkPropertiesDlg {
public:
    explicit CPointPropertiesDlg(QWidget* parent = nullptr);

protected:
    void StoreDefault(int mark) override;
};

class CCirclePropertiesDlg : public CMarkPropertiesDlg {
public:
    explicit CCirclePropertiesDlg(QWidget* parent = nullptr);
    // For an ellipse: its caption, and its own default.
    BOOL OnInitDialog() override;

    bool m_bEllipse = false;

protected:
    void StoreDefault(int mark) override;
};

// Run the dialogs on a mark type; true (and the mark changed) on OK.
bool RunPointDialog(LONG& markType);
bool RunCircleDialog(LONG& markType, bool ellipse);
