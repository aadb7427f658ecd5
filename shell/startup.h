#pragma once
// What main() does before the application object starts, kept in the
// library so that tests start the program the same way.
#include <QString>
#include <QStringList>

class QApplication;

// Organisation and application names, which place the profile.
void InitApplication(QApplication& app);
// The command line as one text: the arguments after the program's name,
// joined by spaces.
QString RawCommandLine(const QStringList& arguments);
