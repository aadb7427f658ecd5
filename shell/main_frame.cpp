#include "shell/main_frame.h"

#include "dialogs/pref_dialogs.h"
#include "framework/child_frame.h"
#include "framework/document.h"
#include "framework/view.h"
#include "platform/command_ids.h"
#include "platform/command_router.h"
#include "platform/command_table.h"
#include "platform/profile.h"
#include "shell/command_actions.h"
#include "shell/lumbrel2_app.h"
#include "shell/palette_tool_bar.h"
#include "shell/style_tool_bar.h"
#include "platform/lazy_icon.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#include <cstdio>

namespace {

const QString kToolbars = QStringLiteral("Toolbars");
const QString kColumns = QStringLiteral("Columns");
const QString kState = QStringLiteral("State");
const QString kSettings = QStringLiteral("Settings");
const QString kWindowPos = QStringLiteral("WindowPos");

// A status pane asks for the width of its sizing string (or of its text,
// without one) but gives way when the window is narrower, so that a long
// text never widens the window.
class CStatusPane : public QLabel {
public:
    CStatusPane(const QString& sizing, QWidget* parent) : QLabel(parent), m_sizing(sizing) {}
    QSize sizeHint() const override {
        if (m_sizing.isEmpty())
            return QLabel::sizeHint();
        return {fontMetrics().horizontalAdvance(m_sizing), QLabel::sizeHint().height()};
    }
    QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }

private:
    QString m_sizing;
};

// The toolbar object names a saved layout holds: Qt writes each as a
// length-prefixed UTF-16 string, and ours all start with "ToolBar".
QStringList ToolBarNamesIn(const QByteArray& state) {
    QStringList names;
    const QByteArray prefix = QByteArray("\0T\0o\0o\0l\0B\0a\0r", 14);
    for (qsizetype at = state.indexOf(prefix); at >= 4; at = state.indexOf(prefix, at + 1)) {
        const auto* p = reinterpret_cast<const uchar*>(state.constData()) + at - 4;
        quint32 bytes = (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | p[3];
        if (bytes % 2 || at + qsizetype(bytes) > state.size())
            continue;
        QString name;
        for (quint32 i = 0; i < bytes; i += 2)
            name += QChar(char16_t((uchar(state[at + i]) << 8) | uchar(state[at + i + 1])));
        names << name;
    }
    return names;
}

} // namespace

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

BEGIN_COMMAND_MAP(CMainFrame, CCmdTarget)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_STATUS_TEXT, OnUpdateStatusText)
ON_COMMAND(ID_WINDOW_CASCADE, OnWindowCascade)
ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateWindowArrange)
ON_COMMAND(ID_WINDOW_TILE_HORZ, OnWindowTile)
ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateWindowArrange)
ON_COMMAND(ID_CUSTOMIZE_TOOLBARS, OnCustomizeToolbars)
END_COMMAND_MAP()

CMainFrame::CMainFrame(CCommandRouter& router)
    : m_router(router), m_actions(std::make_unique<CCommandActions>(router, this)),
      m_mdiArea(new QMdiArea(this)) {
    setWindowTitle(LoadResourceString(IDR_MAINFRAME));
    setWindowIcon(LazySvgIcon(QStringLiteral(":/app/lumbrel2.svg")));
    m_mdiArea->setObjectName(QStringLiteral("MdiArea"));
    setCentralWidget(m_mdiArea);
    setAcceptDrops(true);
    resize(1024, 768);
}

CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::LoadFrame() {
    setMenuBar(m_actions->BuildMenuBar(this));
    AddRecentFileItems();
    AddWindowList();
    addActions(m_actions->AcceleratorActions());

    WINDOWPLACEMENT wp;
    if (LoadWindowPlacement(wp))
        ApplyWindowPlacement(wp);

    for (const ToolBarResource& resource : ToolBarResources()) {
        QToolBar* bar = nullptr;
        if (resource.id == IDR_PALETTE) {
            m_wndPaletteBar = new CPaletteToolBar(QString::fromUtf8(resource.title), this);
            m_wndPaletteBar->setObjectName(QStringLiteral("ToolBar%1").arg(resource.id));
            for (UINT id : resource.buttons)
                m_wndPaletteBar->AddButton(id ? m_actions->Action(id) : nullptr);
            bar = m_wndPaletteBar;
        } else if (resource.id == IDR_LINE_STYLE_BAR) {
            m_wndLineStyleBar =
                new CLineStyleToolBar(QString::fromUtf8(resource.title), m_router, this);
            m_actions->FillToolBar(m_wndLineStyleBar, resource.id);
            bar = m_wndLineStyleBar;
        } else if (resource.id == IDR_FILL_STYLE_BAR) {
            m_wndFillStyleBar =
                new CFillStyleToolBar(QString::fromUtf8(resource.title), m_router, this);
            m_actions->FillToolBar(m_wndFillStyleBar, resource.id);
            bar = m_wndFillStyleBar;
        } else {
            bar = m_actions->BuildToolBar(resource.id, this);
        }
        if (!bar)
            return FALSE;
        // Docked in their places by SetupControlBars below, once.
        m_bars.push_back(bar);
        switch (resource.id) {
        case IDR_MAINFRAME:
            m_wndToolBar = bar;
            break;
        case IDR_LEVEL_BAR:
            m_wndLevelBar = bar;
            break;
        case IDR_LAYOUT_BAR:
            m_wndLayoutBar = bar;
            break;
        case IDR_REFLECT_BAR:
            m_wndReflectBar = bar;
            break;
        case IDR_ROTATE_BAR:
            m_wndRotateBar = bar;
            break;
        case IDR_GROUP_BAR:
            m_wndGroupBar = bar;
            break;
        case IDR_WEB_BAR:
            m_wndWebBar = bar;
            break;
        default:
            break;
        }
    }
    if (!m_wndToolBar || !m_wndPaletteBar || !m_wndLineStyleBar || !m_wndFillStyleBar ||
        !m_wndLevelBar || !m_wndLayoutBar || !m_wndReflectBar || !m_wndRotateBar ||
        !m_wndGroupBar || !m_wndWebBar)
        return FALSE;

    // The message pane, then the status text, which takes the free width;
    // Qt cannot read the lock keys' state, so there are no CAPS, NUM and
    // SCRL panes.  Qt paints messages left of the first permanent pane, where
    // a stretching pane leaves no room: a pane of their own shows them.
    QStatusBar* status = statusBar();
    status->setObjectName(QStringLiteral("StatusBar%1").arg(AFX_IDW_STATUS_BAR));
    m_statusMessagePane = new CStatusPane(QString(), status);
    m_statusMessagePane->setObjectName(QStringLiteral("MessagePane"));
    status->addPermanentWidget(m_statusMessagePane);
    // Between prompts the pane shows the bar's own idle text.
    connect(status, &QStatusBar::messageChanged, m_statusMessagePane, [this](const QString& text) {
        m_statusMessagePane->setText(text.isEmpty() ? IdleText() : text);
    });
    m_statusTextPane = new CStatusPane(LoadResourceString(ID_INDICATOR_STATUS_TEXT), status);
    m_statusTextPane->setObjectName(QStringLiteral("Pane%1").arg(ID_INDICATOR_STATUS_TEXT));
    status->addPermanentWidget(m_statusTextPane, 1);
    auto* paneAction = new QAction(this);
    m_router.ConnectAction(paneAction, ID_INDICATOR_STATUS_TEXT);
    connect(paneAction, &QAction::changed, m_statusTextPane,
            [this, paneAction] { m_statusTextPane->setText(paneAction->text()); });
    status->showMessage(IdleText());

    SetupControlBars();
    m_wndLineStyleBar->CreateCombo();
    m_wndFillStyleBar->CreateCombo();
    m_wndPaletteBar->SetColumns(GetProfileInt(kToolbars, kColumns, 2));
    if (IsBarStateValid(kToolbars)) {
        QByteArray state;
        GetProfileBinary(kToolbars, kState, state);
        restoreState(state);
    }
    return TRUE;
}

void CMainFrame::ShowFrame() {
    // A floating bar shown before its main window is stacked below it by the
    // window manager: the bars come back once the frame is up.
    std::vector<QToolBar*> floating;
    for (QToolBar* bar : m_bars)
        if (bar->isFloating() && !bar->isHidden()) {
            floating.push_back(bar);
            bar->hide();
        }
    if (m_bShowMaximized)
        showMaximized();
    else
        show();
    for (QToolBar* bar : floating) {
        bar->show();
        bar->raise();
    }
}

void CMainFrame::SetupControlBars() {
    for (QToolBar* bar : m_bars) {
        removeToolBar(bar);
        bar->setAllowedAreas(Qt::AllToolBarAreas);
    }
    m_wndPaletteBar->setAllowedAreas(Qt::LeftToolBarArea | Qt::RightToolBarArea);

    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    addToolBar(Qt::LeftToolBarArea, m_wndPaletteBar);
    DockBarLeftOf(m_wndLineStyleBar, m_wndToolBar);
    DockBarLeftOf(m_wndFillStyleBar, m_wndLineStyleBar);
    DockBarLeftOf(m_wndLevelBar, m_wndFillStyleBar);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_wndLayoutBar);
    DockBarLeftOf(m_wndGroupBar, m_wndLayoutBar);
    DockBarLeftOf(m_wndRotateBar, m_wndGroupBar);
    DockBarLeftOf(m_wndReflectBar, m_wndRotateBar);
    DockBarLeftOf(m_wndWebBar, m_wndReflectBar);
    for (QToolBar* bar : m_bars)
        bar->show();
    m_wndPaletteBar->SetColumns(2);
}

void CMainFrame::DockBarLeftOf(QToolBar* bar, QToolBar* leftOf) {
    // The default layout builds each row from the left, so the neighbour is
    // the last bar of the last row of its side when this runs.
    addToolBar(toolBarArea(leftOf), bar);
}

BOOL CMainFrame::LoadWindowPlacement(WINDOWPLACEMENT& wp) const {
    QByteArray text = GetProfileString(kSettings, kWindowPos).toLatin1();
    if (text.isEmpty())
        return FALSE;
    WINDOWPLACEMENT read;
    int nRead =
        std::sscanf(text.constData(), "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", &read.flags, &read.showCmd,
                    &read.ptMinPosition.x, &read.ptMinPosition.y, &read.ptMaxPosition.x,
                    &read.ptMaxPosition.y, &read.rcNormalPosition.left, &read.rcNormalPosition.top,
                    &read.rcNormalPosition.right, &read.rcNormalPosition.bottom);
    if (nRead != 10)
        return FALSE;
    wp = read;
    wp.length = 44;
    return TRUE;
}

void CMainFrame::SaveWindowPlacement(const WINDOWPLACEMENT& wp) const {
    WriteProfileString(kSettings, kWindowPos,
                       QString::asprintf("%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", wp.flags, wp.showCmd,
                                         wp.ptMinPosition.x, wp.ptMinPosition.y, wp.ptMaxPosition.x,
                                         wp.ptMaxPosition.y, wp.rcNormalPosition.left,
                                         wp.rcNormalPosition.top, wp.rcNormalPosition.right,
                                         wp.rcNormalPosition.bottom));
}

void CMainFrame::ApplyWindowPlacement(const WINDOWPLACEMENT& wp) {
    const CRect& rc = wp.rcNormalPosition;
    if (!rc.IsRectEmpty()) {
        QRect normal(rc.left, rc.top, rc.Width(), rc.Height());
        resize(normal.size());
        // A position on a screen that is no longer there would hide the
        // window; Wayland places windows itself anyway.
        for (QScreen* screen : QGuiApplication::screens())
            if (screen->availableGeometry().intersects(normal)) {
                setGeometry(normal);
                break;
            }
    }
    // Never come back minimised: the user would see no window at all.
    m_bShowMaximized = wp.showCmd == SW_SHOWMAXIMIZED ||
                       (wp.showCmd != SW_SHOWNORMAL && (wp.flags & WPF_RESTORETOMAXIMIZED));
}

BOOL CMainFrame::IsBarStateValid(const QString& section) const {
    QByteArray state;
    if (!GetProfileBinary(section, kState, state) || state.isEmpty())
        return FALSE;
    for (const QString& name : ToolBarNamesIn(state)) {
        bool found = false;
        for (QToolBar* bar : m_bars)
            found = found || bar->objectName() == name;
        if (!found)
            return FALSE;
    }
    return TRUE;
}

void CMainFrame::SaveLayout() {
    WriteProfileInt(kToolbars, kColumns, m_wndPaletteBar ? m_wndPaletteBar->GetColumns() : 2);
    WriteProfileBinary(kToolbars, kState, saveState());
    WINDOWPLACEMENT wp;
    wp.flags = isMaximized() ? WPF_RESTORETOMAXIMIZED : 0;
    wp.showCmd = isMaximized()   ? SW_SHOWMAXIMIZED
                 : isMinimized() ? SW_SHOWMINIMIZED
                                 : SW_SHOWNORMAL;
    wp.ptMinPosition = CPoint(-1, -1);
    wp.ptMaxPosition = CPoint(-1, -1);
    QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    wp.rcNormalPosition = CRect(normal.left(), normal.top(), normal.left() + normal.width(),
                                normal.top() + normal.height());
    SaveWindowPlacement(wp);
    FlushProfile();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    SaveLayout();
    CWinApp* app = AfxGetApp();
    if (app && !app->SaveAllModified()) {
        event->ignore();
        return;
    }
    if (app)
        app->CloseAllDocuments(FALSE);
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    activateWindow();
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            app->OpenDocumentFile(url.toLocalFile());
    event->acceptProposedAction();
}

void CMainFrame::OnUpdateStatusText(CCmdUI* ui) {
    ui->Enable();
    Lumbrel2App* app = TheApp();
    // The read-out of a drawing that has closed is no longer true.
    if (app && !GetActiveChild())
        app->m_strStatusText.clear();
    ui->SetText(app ? app->m_strStatusText : QString());
}

void CMainFrame::OnUpdateWindowArrange(CCmdUI* ui) {
    ui->Enable(!m_mdiArea->subWindowList().isEmpty());
}

void CMainFrame::OnWindowCascade() {
    m_mdiArea->cascadeSubWindows();
}

void CMainFrame::OnWindowTile() {
    m_mdiArea->tileSubWindows();
}

void CMainFrame::OnCustomizeToolbars() {
    CToolbarsDlg dlg(this);
    dlg.m_bStandard = !m_wndToolBar->isHidden();
    dlg.m_bDrawingTools = !m_wndPaletteBar->isHidden();
    dlg.m_bLayout = !m_wndLayoutBar->isHidden();
    dlg.m_bGrouping = !m_wndGroupBar->isHidden();
    dlg.m_bLevel = !m_wndLevelBar->isHidden();
    dlg.m_bLineStyle = !m_wndLineStyleBar->isHidden();
    dlg.m_bFillStyle = !m_wndFillStyleBar->isHidden();
    dlg.m_bRotate = !m_wndRotateBar->isHidden();
    dlg.m_bReflect = !m_wndReflectBar->isHidden();
    dlg.m_bWeb = !m_wndWebBar->isHidden();
    dlg.m_nColumns = m_wndPaletteBar->GetColumns();
    if (dlg.DoModal() != IDOK)
        return;
    const std::pair<QToolBar*, int> ticks[] = {
        {m_wndToolBar, dlg.m_bStandard},       {m_wndPaletteBar, dlg.m_bDrawingTools},
        {m_wndLayoutBar, dlg.m_bLayout},       {m_wndGroupBar, dlg.m_bGrouping},
        {m_wndLevelBar, dlg.m_bLevel},         {m_wndLineStyleBar, dlg.m_bLineStyle},
        {m_wndFillStyleBar, dlg.m_bFillStyle}, {m_wndRotateBar, dlg.m_bRotate},
        {m_wndReflectBar, dlg.m_bReflect},     {m_wndWebBar, dlg.m_bWeb}};
    for (const auto& [bar, shown] : ticks)
        bar->setVisible(shown != 0);
    m_wndPaletteBar->SetColumns(dlg.m_nColumns);
    WriteProfileInt(kToolbars, kColumns, dlg.m_nColumns);
    if (dlg.m_bReset) {
        SetupControlBars();
        WriteProfileInt(kToolbars, kColumns, 2);
    }
}

void CMainFrame::AddWindowList() {
    QAction* cascade = m_actions->Action(ID_WINDOW_CASCADE);
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        if (!menu->actions().contains(cascade))
            continue;
        // The list is made afresh each time the menu opens, below the
        // menu's own items.
        connect(menu, &QMenu::aboutToShow, this, [this, menu] {
            for (QAction* item : m_windowItems) {
                menu->removeAction(item);
                item->deleteLater();
            }
            m_windowItems.clear();
            const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
            if (windows.isEmpty())
                return;
            m_windowItems.push_back(menu->addSeparator());
            int n = 0;
            for (QMdiSubWindow* window : windows) {
                QString title = window->windowTitle();
                QAction* item = menu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(
                    title.replace(QLatin1Char('&'), QStringLiteral("&&"))));
                item->setCheckable(true);
                item->setChecked(window == m_mdiArea->activeSubWindow());
                connect(item, &QAction::triggered, this,
                        [this, window = QPointer<QMdiSubWindow>(window)] {
                            if (window)
                                m_mdiArea->setActiveSubWindow(window);
                        });
                m_windowItems.push_back(item);
            }
        });
        return;
    }
}

void CMainFrame::AddRecentFileItems() {
    // The menu names only the first recent file; the other three follow it
    // and show themselves when the list is long enough.
    QAction* first = m_actions->Action(ID_FILE_MRU_FILE1);
    if (!first)
        return;
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        int at = menu->actions().indexOf(first);
        if (at < 0)
            continue;
        QAction* after = menu->actions().value(at + 1);
        for (UINT id = ID_FILE_MRU_FILE1 + 1; id <= ID_FILE_MRU_FILE4; ++id)
            if (QAction* action = m_actions->Action(id)) {
                menu->insertAction(after, action);
                action->setVisible(false);
            }
        return;
    }
}
