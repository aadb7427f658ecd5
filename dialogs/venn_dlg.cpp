#include "dialogs/venn_dlg.h"

#include "diagrams/venn_records.h"
#include "dialogs/font_color_dlg.h"
#include "platform/dc.h"
#include "settings/settings.h"
#include "text/log_font.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace {
// Dialog units to pixels for the dialogs' 8-point font at 96 dpi.
int DluX(int x) {
    return int(std::lround(x * 1.5));
}
int DluY(int y) {
    return int(std::lround(y * 1.625));
}
QRect DluRect(int x, int y, int w, int h) {
    return QRect(DluX(x), DluY(y), DluX(w), DluY(h));
}

using S = QvVennStroke;

constexpr QvVennControl kVenn2Edits[] = {
    {206, 9, 4, false},  {30, 71, 5, false},  {66, 71, 1, false},  {108, 71, 0, false},
    {154, 71, 2, false}, {187, 71, 6, false}, {203, 121, 3, false}};
constexpr QvVennControl kVenn2Checks[] = {
    {71, 89, 0, false}, {112, 89, 2, false}, {159, 89, 1, false}, {179, 123, 3, true}};
constexpr QvVennStroke kVenn2Picture[] = {{S::Rectangle, 10, 10, 343, 234},
                                          {S::Ellipse, 43, 43, 210, 210},
                                          {S::Ellipse, 143, 43, 310, 210},
                                          {S::Rectangle, 303, 10, 343, 43},
                                          {S::Arc, -7, 85, 77, 168, 58, 177, 52, 89},
                                          {S::Arc, 360, 85, 278, 168, 301, 89, 295, 177}};

constexpr QvVennControl kVenn3Edits[] = {
    {206, 9, 11, false},  {43, 48, 12, false},   {108, 47, 3, false}, {175, 49, 13, false},
    {102, 67, 0, false},  {57, 76, 6, false},    {157, 76, 7, false}, {107, 88, 10, false},
    {82, 104, 1, false},  {135, 104, 2, false},  {65, 119, 4, false}, {151, 119, 5, false},
    {108, 143, 8, false}, {107, 171, 14, false}, {190, 177, 9, false}};
constexpr QvVennControl kVenn3Checks[] = {
    {121, 70, 3, false}, {76, 79, 0, false},   {176, 78, 1, false},  {112, 101, 6, false},
    {89, 117, 4, true},  {130, 117, 5, false}, {128, 146, 2, false}, {209, 180, 7, false}};
constexpr QvVennStroke kVenn3Picture[] = {
    {S::Rectangle, 10, 10, 343, 343},
    {S::Ellipse, 43, 50, 210, 216},
    {S::Ellipse, 143, 50, 310, 216},
    {S::Ellipse, 93, 137, 260, 303},
    {S::Rectangle, 303, 10, 343, 43},
    {S::Arc, 20, 35, 103, 119, 45, 115, 97, 57}, // name lunes
    {S::Arc, 250, 35, 333, 119, 257, 57, 308, 115},
    {S::Arc, 135, 270, 218, 353, 214, 294, 139, 294},
    {S::Arc, 137, 20, 214, 100, 153, 93, 200, 93}, // tip lunes
    {S::Arc, 49, 172, 129, 252, 127, 215, 106, 175},
    {S::Arc, 304, 172, 224, 252, 247, 175, 225, 217}};

// The picture under the controls.
class Picture : public QWidget {
public:
    Picture(const CVennDlg* dlg, QWidget* parent) : QWidget(parent), m_dlg(dlg) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        CDC dc(&painter);
        m_dlg->DrawPicture(&dc);
    }

private:
    const CVennDlg* m_dlg;
};
} // namespace

CVennDlg::CVennDlg(QWidget* parent, int width, int height, int buttonX,
                   std::span<const QvVennControl> edits, std::span<const QvVennControl> checks,
                   std::span<const QvVennStroke> picture)
    : CDialog(parent), m_buttonFont(new QPushButton(QStringLiteral("Font"), this)),
      m_buttonSetAsDefault(new QPushButton(QStringLiteral("Set as Default"), this)),
      m_picture(new Picture(this, this)), m_strokes(picture) {
    m_picture->lower(); // the controls sit on it
    for (size_t i = 0; i < edits.size(); ++i)
        m_edits.append(nullptr);
    for (const QvVennControl& c : edits) {
        auto* edit = new QLineEdit(this);
        edit->setGeometry(DluRect(c.x, c.y, 18, 12));
        edit->setTextMargins(0, 0, 0, 0);
        m_edits[c.index] = edit;
    }
    for (size_t i = 0; i < checks.size(); ++i)
        m_checks.append(nullptr);
    for (const QvVennControl& c : checks) {
        auto* check = new QCheckBox(this);
        check->setGeometry(DluRect(c.x, c.y, 16, 8));
        if (c.boxRight)
            check->setLayoutDirection(Qt::RightToLeft);
        m_checks[c.index] = check;
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setDefault(true);
    // The buttons widen to their texts, and the dialog with them.
    int buttonWidth = DluX(50);
    for (QPushButton* b : {m_buttonFont, m_buttonSetAsDefault, ok, cancel})
        buttonWidth = std::max(buttonWidth, b->sizeHint().width());
    const int tops[] = {7, 25, 42, 59};
    int row = 0;
    for (QPushButton* b : {m_buttonFont, m_buttonSetAsDefault, ok, cancel})
        b->setGeometry(DluX(buttonX), DluY(tops[row++]), buttonWidth, DluY(14));
    setFixedSize(std::max(DluX(width), DluX(buttonX) + buttonWidth + DluX(7)), DluY(height));
    m_picture->setGeometry(rect());

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_buttonFont, &QPushButton::clicked, this, [this] { OnFont(); });
    connect(m_buttonSetAsDefault, &QPushButton::clicked, this, [this] { OnSetAsDefault(); });
}

void CVennDlg::DoDataExchange(CDataExchange* pDX) {
    for (int i = 0; i < m_edits.size(); ++i)
        DDX_Text(pDX, m_edits[i], m_strText[i]);
    for (int i = 0; i < m_checks.size(); ++i)
        DDX_Check(pDX, m_checks[i], m_nShade[i]);
}

void CVennDlg::DrawPicture(CDC* dc) const {
    CDCSelect<CBrush> noFill(dc, NULL_BRUSH);
    CDCSelect<CPen> black(dc, BLACK_PEN);
    for (const QvVennStroke& s : m_strokes) {
        switch (s.kind) {
        case QvVennStroke::Rectangle:
            dc->Rectangle(s.left, s.top, s.right, s.bottom);
            break;
        case QvVennStroke::Ellipse:
            dc->Ellipse(s.left, s.top, s.right, s.bottom);
            break;
        case QvVennStroke::Arc:
            dc->Arc(std::min(s.left, s.right), s.top, std::max(s.left, s.right), s.bottom, s.xs,
                    s.ys, s.xe, s.ye);
            break;
        }
    }
}

void CVennDlg::OnFont() {
    ChooseFontAndColour(this, m_logFont, m_color, m_nDrawHeight);
}

void CVennDlg::OnSetAsDefault() {
    if (!UpdateData(TRUE))
        return;
    QvLogFont font;
    font.Set(m_logFont, m_color, m_nDrawHeight);
    QvSettings& settings = TheSettings();
    settings.m_VennFont.SetValue(font);
    settings.Save(FALSE);
}

CVenn2Dlg::CVenn2Dlg(QWidget* parent)
    : CVennDlg(parent, 294, 159, 237, kVenn2Edits, kVenn2Checks, kVenn2Picture) {
    setWindowTitle(QStringLiteral("Two Circle Venn Properties"));
}

CVenn3Dlg::CVenn3Dlg(QWidget* parent)
    : CVennDlg(parent, 329, 226, 272, kVenn3Edits, kVenn3Checks, kVenn3Picture) {
    setWindowTitle(QStringLiteral("Three Circle Venn Properties"));
}

namespace {
template <class Record> bool RunVennDialog(CVennDlg& dlg, Record& record) {
    for (int i = 0; i < Record::TextCount; ++i)
        dlg.m_strText[i] = record.m_text[i];
    for (int i = 0; i < Record::ShadeCount; ++i)
        dlg.m_nShade[i] = record.m_shade[i] ? 1 : 0;
    dlg.m_logFont = record.m_font.m_logFont;
    dlg.m_color = record.m_font.m_color;
    dlg.m_nDrawHeight = record.m_font.m_drawHeight;
    if (dlg.DoModal() != IDOK)
        return false;
    for (int i = 0; i < Record::TextCount; ++i)
        record.m_text[i] = dlg.m_strText[i];
    for (int i = 0; i < Record::ShadeCount; ++i)
        record.m_shade[i] = dlg.m_nShade[i] == 1 ? 1 : 0;
    record.m_font.Set(dlg.m_logFont, dlg.m_color, dlg.m_nDrawHeight);
    return true;
}
} // namespace

bool RunVenn2Dialog(QvEditDataVenn2& record) {
    CVenn2Dlg dlg(QApplication::activeWindow());
    return RunVennDialog(dlg, record);
}

bool RunVenn3Dialog(QvEditDataVenn3& record) {
    CVenn3Dlg dlg(QApplication::activeWindow());
    return RunVennDialog(dlg, record);
}
