#include "shell/about_dlg.h"

#include "platform/dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// An icon beside some lines of text, and OK.
void BuildBox(QDialog* dlg, const QStringList& lines) {
    auto* layout = new QVBoxLayout(dlg);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(dlg);
    icon->setPixmap(QIcon(QStringLiteral(":/app/lumbrel2.svg")).pixmap(48, 48));
    row->addWidget(icon, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    for (const QString& line : lines)
        texts->addWidget(new QLabel(line, dlg));
    row->addLayout(texts);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dlg);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dlg, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    SetDialogFrame(this);
    setWindowTitle(QStringLiteral("About Lumbrel "));
    BuildBox(this, {QStringLiteral("Lumbrel Version 2.019"),
                    QStringLiteral("Exact diagrams for mathematics")});
}

CContactDlg::CContactDlg(QWidget* parent) : QDialog(parent) {
    SetDialogFrame(this);
    setWindowTitle(QStringLiteral("About Varnholt"));
    BuildBox(this, {QStringLiteral("Varnholt Software")});
}
