#include "document/editor_state.h"

#include "figures/figure.h"

namespace {
QvEditorState* g_editorState = nullptr;
} // namespace

QvEditorState::~QvEditorState() {
    if (g_editorState == this)
        g_editorState = nullptr;
}

QvEditorState* QvGetEditorState() {
    return g_editorState;
}

void QvSetEditorState(QvEditorState* state) {
    g_editorState = state;
}
