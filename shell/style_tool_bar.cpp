#include "shell/style_tool_bar.h"

#include "framework/view.h"
#include "platform/command_ids.h"
#include "platform/command_router.h"
#include "settings/settings.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>

namespace {

// The width the bar gives its list, as wide as the button strip allows.
constexpr int kComboWidth = 45;

// Keeps the keys that move through a list for the list while it has the
// keyboard: as shortcuts they would nudge the drawing's selection.
class ListKeys : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            event->accept();
            return true;
        default:
            return false;
        }
    }
};

// Replaces the button of `id` on `bar` by `combo`; false without one.
bool PutInPlaceOf(QToolBar* bar, UINT id, QComboBox* combo) {
    for (QAction* action : bar->actions())
        if (CommandIdOf(action) == id) {
            combo->installEventFilter(new ListKeys(combo));
            QAction* holder = bar->insertWidget(action, combo);
            SetCommandId(holder, id);
            bar->removeAction(action);
            combo->setFixedWidth(kComboWidth);
            combo->show();
            return true;
        }
    return false;
}

// While the user is in the list, or has it open, it is theirs.
bool UserIsIn(const CDataComboBox* combo) {
    QWidget* focus = QApplication::focusWidget();
    return (focus && (focus == combo || combo->isAncestorOf(focus))) || combo->IsListOpen();
}

// Hands the keyboard back to the drawing once a style is chosen: left in
// the list, arrow keys would go on choosing styles for the selection.
void FocusDrawing(const CCommandRouter& router) {
    for (CCmdTarget* target : router.CurrentChain())
        if (auto* view = dynamic_cast<CView*>(target)) {
            view->setFocus(Qt::OtherFocusReason);
            return;
        }
}

} // namespace

CLineStyleToolBar::CLineStyleToolBar(const QString& title, CCommandRouter& router, QWidget* parent)
    : QToolBar(title, parent), m_router(router) {}

BOOL CLineStyleToolBar::CreateCombo() {
    auto* combo = new CLineStyleComboBox(this);
    combo->setObjectName(QStringLiteral("Combo%1").arg(ID_LINE_STYLE_COMBO));
    if (!PutInPlaceOf(this, ID_LINE_STYLE_COMBO, combo)) {
        delete combo;
        return FALSE;
    }
    m_wndCombo = combo;
    m_wndCombo->FillFromTable(kLineStyleComboTable, UINT(TheSettings().m_nShownLineStyle));
    connect(m_wndCombo, &QComboBox::activated, this, [this] { OnLineStyle(); });
    connect(&m_router, &CCommandRouter::IdleUpdated, this, [this] { OnUpdateCmdUI(); });
    return TRUE;
}

void CLineStyleToolBar::OnLineStyle() {
    // As if the style's menu item had been chosen.
    if (m_wndCombo->currentIndex() >= 0)
        m_router.PostCommand(m_wndCombo->GetSelectedData());
    FocusDrawing(m_router);
}

void CLineStyleToolBar::OnUpdateCmdUI() {
    // Greyed, as its commands are, while no drawing takes them.
    if (m_wndCombo)
        m_wndCombo->setEnabled(m_router.IsEnabled(ID_LINE_HAIRLINE));
    if (m_wndCombo && !UserIsIn(m_wndCombo))
        m_wndCombo->SelectByData(DWORD(TheSettings().m_nShownLineStyle));
}

CFillStyleToolBar::CFillStyleToolBar(const QString& title, CCommandRouter& router, QWidget* parent)
    : QToolBar(title, parent), m_router(router) {}

BOOL CFillStyleToolBar::CreateCombo() {
    auto* combo = new CFillStyleComboBox(this);
    combo->setObjectName(QStringLiteral("Combo%1").arg(ID_FILL_STYLE_COMBO));
    if (!PutInPlaceOf(this, ID_FILL_STYLE_COMBO, combo)) {
        delete combo;
        return FALSE;
    }
    m_wndCombo = combo;
    m_wndCombo->FillFromTable(kFillStyleComboTable, UINT(TheSettings().m_CurFillType.GetValue()));
    connect(m_wndCombo, &QComboBox::activated, this, [this] { OnComboSelChange(); });
    connect(&m_router, &CCommandRouter::IdleUpdated, this, [this] { OnUpdateCmdUI(); });
    return TRUE;
}

void CFillStyleToolBar::OnComboSelChange() {
    if (m_wndCombo->currentIndex() >= 0)
        m_router.PostCommand(m_wndCombo->GetSelectedData());
    FocusDrawing(m_router);
}

void CFillStyleToolBar::OnUpdateCmdUI() {
    if (m_wndCombo)
        m_wndCombo->setEnabled(m_router.IsEnabled(ID_FILL_NONE));
    if (m_wndCombo && !UserIsIn(m_wndCombo))
        m_wndCombo->SelectByData(DWORD(TheSettings().m_nShownFillStyle));
}
