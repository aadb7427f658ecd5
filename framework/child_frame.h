#pragma once
// The window that holds one drawing inside the main frame.  It opens
// maximised and carries its document's title.
#include "platform/command_target.h"

#include <QMdiSubWindow>

class CView;

class CChildFrame : public QMdiSubWindow, public CCmdTarget {
    DECLARE_DYNAMIC(CChildFrame)
public:
    explicit CChildFrame(QWidget* parent = nullptr);

    CView* GetActiveView() const;
    void SetView(CView* view);
    void OnUpdateFrameTitle();

protected:
    void closeEvent(QCloseEvent* event) override;
};
