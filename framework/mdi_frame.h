#pragma once
// The main window of a program with several drawing windows, as far as the
// application object needs it: the area that holds the child frames.
#include "platform/command_target.h"

#include <QMainWindow>

class CChildFrame;
class QMdiArea;

class CMDIFrameWnd : public QMainWindow, public CCmdTarget {
    DECLARE_DYNAMIC(CMDIFrameWnd)
public:
    CMDIFrameWnd() = default;

    virtual QMdiArea* MdiArea() const = 0;
    // The active drawing window, or null.
    CChildFrame* GetActiveChild() const;
};
