#pragma once
// Starts the application as main() does: document template, then the
// command line.
#include "app/document_template.h"
#include "shell/lumbrel2_app.h"

inline BOOL StartProgram(Lumbrel2App& app, const QString& commandLine) {
    app.SetDocTemplate(MakeDrawingTemplate());
    return app.InitInstance(commandLine);
}
