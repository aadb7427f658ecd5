#pragma once
// The program's main window: the menus, the ten toolbars, the status bar
// and the area that holds the drawing windows.  Its layout and placement
// are kept in the profile between runs.
#include "framework/mdi_frame.h"
#include "platform/gdi_types.h"

#include <memory>
#include <vector>

class CChildFrame;
class CCommandActions;
class CCommandRouter;
class CFillStyleToolBar;
class CLineStyleToolBar;
class CPaletteToolBar;
class QAction;
class QLabel;
class QMdiArea;
class QToolBar;

// Where a window sits, as the "WindowPos" setting stores it.
struct WINDOWPLACEMENT {
    UINT length = 44;
    UINT flags = 0;
    UINT showCmd = 0;
    CPoint ptMinPosition;
    CPoint ptMaxPosition;
    CRect rcNormalPosition;
};
constexpr UINT WPF_RESTORETOMAXIMIZED = 2;
constexpr UINT SW_HIDE = 0;
constexpr UINT SW_SHOWNORMAL = 1;
constexpr UINT SW_SHOWMINIMIZED = 2;
constexpr UINT SW_SHOWMAXIMIZED = 3;

class CMainFrame : public CMDIFrameWnd {
    DECLARE_DYNAMIC(CMainFrame)
    DECLARE_COMMAND_MAP()
public:
    explicit CMainFrame(CCommandRouter& router);
    ~CMainFrame() override;

    // Builds menus, toolbars and status bar and restores the stored
    // placement and layout; FALSE when a bar could not be made.
    BOOL LoadFrame();
    // Shows the frame maximised or not, as it was left.
    void ShowFrame();

    QMdiArea* MdiArea() const override { return m_mdiArea; }
    CCommandActions& Actions() const { return *m_actions; }
    // The ten bars in the order they were made.
    const std::vector<QToolBar*>& ControlBars() const { return m_bars; }
    CPaletteToolBar* PaletteBar() const { return m_wndPaletteBar; }
    CLineStyleToolBar* LineStyleBar() const { return m_wndLineStyleBar; }
    CFillStyleToolBar* FillStyleBar() const { return m_wndFillStyleBar; }
    QLabel* StatusTextPane() const { return m_statusTextPane; }
    // Shows the status bar's message (menu prompts and the like).
    QLabel* StatusMessagePane() const { return m_statusMessagePane; }

    // The default layout, also what "Reset Toolbars" goes back to.
    void SetupControlBars();
    BOOL LoadWindowPlacement(WINDOWPLACEMENT& wp) const;
    void SaveWindowPlacement(const WINDOWPLACEMENT& wp) const;
    // Whether the layout stored in `section` names only bars this frame has.
    BOOL IsBarStateValid(const QString& section) const;

    // What the message pane shows while no prompt is up.
    static QString IdleText() { return QStringLiteral("Forks"); }

    void OnUpdateStatusText(CCmdUI* ui);
    void OnUpdateWindowArrange(CCmdUI* ui);
    void OnWindowCascade();
    void OnWindowTile();
    void OnCustomizeToolbars();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Puts `bar` in the row of `leftOf`, right of it.
    void DockBarLeftOf(QToolBar* bar, QToolBar* leftOf);
    void ApplyWindowPlacement(const WINDOWPLACEMENT& wp);
    void SaveLayout();
    void AddRecentFileItems();
    // The Window menu lists the open drawings and brings the one chosen
    // to the front.
    void AddWindowList();

    CCommandRouter& m_router;
    std::unique_ptr<CCommandActions> m_actions;
    QMdiArea* m_mdiArea;
    std::vector<QToolBar*> m_bars;
    QToolBar* m_wndToolBar = nullptr;
    CPaletteToolBar* m_wndPaletteBar = nullptr;
    CLineStyleToolBar* m_wndLineStyleBar = nullptr;
    CFillStyleToolBar* m_wndFillStyleBar = nullptr;
    QToolBar* m_wndLevelBar = nullptr;
    QToolBar* m_wndLayoutBar = nullptr;
    QToolBar* m_wndReflectBar = nullptr;
    QToolBar* m_wndRotateBar = nullptr;
    QToolBar* m_wndGroupBar = nullptr;
    QToolBar* m_wndWebBar = nullptr;
    QLabel* m_statusTextPane = nullptr;
    QLabel* m_statusMessagePane = nullptr;
    bool m_bShowMaximized = false;
    std::vector<QAction*> m_windowItems;
};
