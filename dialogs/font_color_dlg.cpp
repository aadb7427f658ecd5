#include "dialogs/font_color_dlg.h"

#include "platform/codepage.h"
#include "platform/font_map.h"
#include "platform/qt_convert.h"
#include "text/log_font.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <cstring>

namespace {
constexpr int kScreenDpi = 96;

// The font chooser sits inside the dialog: its own accept and reject (Enter
// or Escape in one of its fields) end the whole dialog.
class EmbeddedFontChooser : public QFontDialog {
public:
    explicit EmbeddedFontChooser(CDialog* outer) : QFontDialog(outer), m_outer(outer) {
        setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
        setWindowFlags(Qt::Widget);
    }
    void accept() override { m_outer->accept(); }
    void reject() override { m_outer->reject(); }

private:
    CDialog* m_outer;
};
} // namespace

CFontColorDlg::CFontColorDlg(QWidget* parent)
    : CDialog(parent), m_fontChooser(new EmbeddedFontChooser(this)),
      m_buttonColour(new QPushButton(QStringLiteral("Colour..."), this)) {
    setWindowTitle(QStringLiteral("Font"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fontChooser);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(new QLabel(QStringLiteral("Colour:"), this));
    colourRow->addWidget(m_buttonColour);
    colourRow->addStretch();
    layout->addLayout(colourRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(m_buttonColour, &QPushButton::clicked, this, [this] { OnColour(); });
}

void CFontColorDlg::SetPickedColour(COLORREF colour) {
    m_picked = colour;
    QPixmap swatch(24, 12);
    swatch.fill(ToQColor(colour));
    m_buttonColour->setIcon(QIcon(swatch));
}

void CFontColorDlg::OnColour() {
    QColor chosen = QColorDialog::getColor(ToQColor(m_picked), this);
    if (chosen.isValid())
        SetPickedColour(RGB(chosen.red(), chosen.green(), chosen.blue()));
}

void CFontColorDlg::DoDataExchange(CDataExchange* pDX) {
    if (!pDX->m_bSaveAndValidate) {
        QFont font(SubstituteFace(FromWindows1252(
            m_logFont.lfFaceName, qsizetype(strnlen(m_logFont.lfFaceName, LF_FACESIZE)))));
        font.setWeight(QFont::Weight(std::clamp(int(m_logFont.lfWeight), 1, 1000)));
        if (m_logFont.lfWeight == FW_DONTCARE)
            font.setWeight(QFont::Normal);
        font.setItalic(m_logFont.lfItalic != 0);
        font.setUnderline(m_logFont.lfUnderline != 0);
        font.setStrikeOut(m_logFont.lfStrikeOut != 0);
        int tenths = m_nPointSize > 0
                         ? m_nPointSize
                         : int(std::lround(std::abs(m_logFont.lfHeight) * 720.0 / kScreenDpi));
        font.setPointSizeF(std::max(tenths, 10) / 10.0);
        m_fontChooser->setCurrentFont(font);
        SetPickedColour(m_color);
        return;
    }
    const QFont font = m_fontChooser->currentFont();
    LOGFONT log = m_logFont;
    const QByteArray face = ToWindows1252(DrawingFace(font.family())).left(LF_FACESIZE - 1);
    std::memset(log.lfFaceName, 0, sizeof log.lfFaceName);
    std::memcpy(log.lfFaceName, face.constData(), size_t(face.size()));
    log.lfWeight = LONG(font.weight());
    log.lfItalic = font.italic() ? 1 : 0;
    log.lfUnderline = font.underline() ? 1 : 0;
    log.lfStrikeOut = font.strikeOut() ? 1 : 0;
    m_nPointSize = int(std::lround(font.pointSizeF() * 10));
    log.lfHeight = -LONG(std::lround(m_nPointSize * double(kScreenDpi) / 720.0));
    m_logFont = log;
    m_color = m_picked;
}

bool ChooseFontAndColour(QWidget* parent, LOGFONT& font, COLORREF& colour, int& drawHeight) {
    CFontColorDlg dlg(parent);
    dlg.m_logFont = font;
    dlg.m_color = colour;
    // The size the text is drawn at, in tenths of a point.
    dlg.m_nPointSize = int(std::lround(drawHeight / 3.52777777777777));
    if (dlg.DoModal() != IDOK)
        return false;
    font = dlg.m_logFont;
    colour = dlg.m_color;
    drawHeight = QvLogFont::DrawHeightForPointSize(dlg.m_nPointSize);
    return true;
}
