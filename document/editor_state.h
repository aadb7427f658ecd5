#pragma once
// What the drawing windows share while the program runs: the current
// drawing tool, the status text and the internal figure clipboard.  The
// application object is one and installs itself; a document or view made
// without one (tests, benchmarks) finds none and works with the defaults.
#include "platform/command_ids.h"
#include "platform/object.h"

#include <QString>

#include <memory>
#include <vector>

class QvFigure;

class QvEditorState {
public:
    QvEditorState() = default;
    // Leaves the program without an installed state if it was this one.
    virtual ~QvEditorState();
    QvEditorState(const QvEditorState&) = delete;
    QvEditorState& operator=(const QvEditorState&) = delete;

    // The command id of the current drawing tool.
    UINT m_nCurrentTool = ID_DRAW_SELECT;
    // What the status bar's text pane shows; written by the view.
    QString m_strStatusText;
    // The internal clipboard: copies of figures, owned here and kept for the
    // whole run, so that figures go from one drawing to another.
    std::vector<std::unique_ptr<QvFigure>> m_clipboardFigures;
};

// The installed state, or null.
QvEditorState* QvGetEditorState();
void QvSetEditorState(QvEditorState* state);
