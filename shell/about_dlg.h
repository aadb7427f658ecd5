#pragma once
// The two Help>About boxes: the program's and its maker's.
#include <QDialog>

class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

class CContactDlg : public QDialog {
public:
    explicit CContactDlg(QWidget* parent = nullptr);
};
