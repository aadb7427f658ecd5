#include "document/editor_state.h"

namespace {
QvEditorState* g_editorState = nullptr;
} // namespace

QvEditorState::~QvEditorState() {
    // Copies still held when the last drawing went first.
    while (!m_clipboardFigures.empty()) {
        delete m_clipboardFigures.back();
        m_clipboardFigures.pop_back();
    }
    if (g_editorState == this)
        g_editorState = nullptr;
}

QvEditorState* QvGetEditorState() {
    return g_editorState;
}

void QvSetEditorState(QvEditorState* state) {
    g_editorState = state;
}
