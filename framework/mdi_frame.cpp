#include "framework/mdi_frame.h"

#include "framework/child_frame.h"

#include <QMdiArea>

IMPLEMENT_DYNAMIC(CMDIFrameWnd, CCmdTarget)

CChildFrame* CMDIFrameWnd::GetActiveChild() const {
    return dynamic_cast<CChildFrame*>(MdiArea()->activeSubWindow());
}
