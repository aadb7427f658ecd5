#pragma once
// The gallery browser and the small dialogs around it.  None of them owns
// the gallery list it is given.
//
// The browser shows one gallery at a time (the one chosen in its combo) as
// a grid of 4 rows of 3 thumbnails, in dialog pixels: the grid's corner at
// (15, 40), cells 96 pixels square, each holding a 72-pixel thumbnail box
// 12 pixels in.  A click on a thumbnail chooses that figure for the
// gallery tool.  Thumbnails are drawn from copies, so viewing a gallery
// never changes it.
#include "platform/dialog.h"

#include <QString>

class CDataComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QvFigure;
class QvGalleryList;

class CSelectGalleryFigureDlg : public CDialog {
public:
    explicit CSelectGalleryFigureDlg(QWidget* parent = nullptr);

    // The grid: rows of this many figures, this many rows.
    static constexpr int Columns = 3;
    static constexpr int Rows = 4;
    static constexpr int CellSize = 96;
    static constexpr int ThumbnailSize = 72;
    static constexpr int GridLeft = 15;
    static constexpr int GridTop = 40;
    // The highest scroll position for a gallery of `count` figures.
    static int ScrollRange(int count);
    // The pixel rectangle of cell (column, row).
    static QRect CellRect(int column, int row);
    // Where a figure of aspect ratio a (height / width) is drawn inside the
    // thumbnail box at `corner`: as large as fits, centred.
    static QRectF ThumbnailRect(QPoint corner, double ratio);
    static QString NoImageText() { return QStringLiteral("No image selected in this gallery"); }

    BOOL OnInitDialog() override;

    // The list's index of the gallery the combo shows (0 when none).
    int ShownGallery() const;
    // Brings texts and buttons up to date with the list.
    void UpdateState();

    // The handlers, as the controls call them.
    void OnThumbnailClick(QPoint pixel);
    void OnScroll(int position);
    void OnGalleryChanged();
    void OnMoveUp();
    void OnMoveDown();
    void OnDeleteFigure();
    void OnChangeTitle();
    void OnAddGallery();
    void OnEditFigureDescription();
    void OnEditGalleryDescription();

    QvGalleryList* m_pGalleryList = nullptr;
    CDataComboBox* m_comboGallery;
    QPushButton* m_btnEditFigure;
    QPushButton* m_btnMoveUp;
    QPushButton* m_btnMoveDown;
    QPushButton* m_btnAddGallery;
    QPushButton* m_btnChangeTitle;
    QPushButton* m_btnDeleteFigure;
    QPushButton* m_btnEditGallery;
    QScrollBar* m_scrollBar;
    QPlainTextEdit* m_editGalleryText;
    QPlainTextEdit* m_editFigureText;

    // The index of the figure in the top-left cell.
    int m_nFirstShown = 0;
    QString m_strGalleryText;
    QString m_strFigureText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Refills the combo from the list, showing the selected gallery (or
    // the first title), and starts at the top.
    void FillCombo();
    void ResetScrollBar();
    void InvalidateThumbnails();
    // Moves the selected figure of the shown gallery.
    void MoveSelected(bool down);
    // Says so when a change could not be written.
    void ReportWrite(bool written, int gallery);

    bool m_bRepaint = false;
};

class CSelectGalleryDlg : public CDialog {
public:
    explicit CSelectGalleryDlg(QWidget* parent = nullptr);

    BOOL OnInitDialog() override;
    // Refuses while no gallery is listed.
    void OnOK() override;
    // The browser's Add Gallery step; the new gallery is then the one
    // chosen.
    void OnAddGallery();

    QvGalleryList* m_pGalleryList = nullptr;
    // The gallery chosen, read after IDOK.
    int m_nChosenGallery = 0;
    QListWidget* m_listGalleries;
    QPushButton* m_btnAddGallery;
    QPushButton* m_btnOk = nullptr;

protected:
    void DoDataExchange(CDataExchange*) override {}

private:
    // Lists the galleries in title order with `current` chosen (the first
    // title when it is not listed).
    void FillList(int current);
};

class CGalleryTitleDlg : public CDialog {
public:
    explicit CGalleryTitleDlg(QWidget* parent = nullptr);

    QString m_strCurrentTitle;
    QString m_strNewTitle;
    QLabel* m_labelCurrentTitle;
    QLineEdit* m_editNewTitle;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CNewGalleryDlg : public CDialog {
public:
    explicit CNewGalleryDlg(QWidget* parent = nullptr);

    static constexpr int MaxTitle = 250;
    QString m_strTitle;
    QLineEdit* m_editTitle;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CDeleteGalleryFigureDlg : public CDialog {
public:
    explicit CDeleteGalleryFigureDlg(QWidget* parent = nullptr);

    // Drawn 100 pixels square at (20, 40); not owned, and its points are
    // set for the drawing, so the opener hands over a copy.
    QvFigure* m_pFigure = nullptr;

protected:
    void DoDataExchange(CDataExchange*) override {}
    void paintEvent(QPaintEvent* event) override;
};

class CGalleryDescriptionDlg : public CDialog {
public:
    explicit CGalleryDescriptionDlg(QWidget* parent = nullptr);

    QString m_strText;
    QPlainTextEdit* m_editText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Runs the browser on a list; the document's Select Gallery Figure
// command reaches it through its seam.
void RunGalleryBrowser(QvGalleryList& galleries);
// Runs "Select Gallery to Add Figure" on a list: the gallery chosen, or -1
// when cancelled.
int RunSelectGallery(QvGalleryList& galleries);
