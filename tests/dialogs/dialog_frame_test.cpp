// Dialogs and message boxes as the desktop frames them: a title bar with a
// close button only, wide enough that the whole title shows.
#include "common/test_support.h"
#include "dialogs/edit_functions_dlg.h"
#include "dialogs/gallery_dialogs.h"
#include "dialogs/graph_properties_dlg.h"
#include "dialogs/pref_dialogs.h"
#include "dialogs/round_rect_properties_dlg.h"
#include "dialogs/stat_graph_options.h"
#include "platform/message_box.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// A title bar shows its text in a bold face, beside an icon and a close
// button: the window must be at least this wide for none of it to be cut.
int TitleBarWidth(const QString& title) {
    QFont bold = QApplication::font();
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(title) + 64;
}

void ExpectDialogFrame(const QWidget& w, const char* what) {
    const Qt::WindowFlags flags = w.windowFlags();
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint) << what << ": the desktop's default buttons";
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint) << what;
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint) << what;
    EXPECT_TRUE(flags & Qt::WindowTitleHint) << what;
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint) << what;
}

TEST(DialogFrame, NoMinimiseOrMaximiseAndTheWholeTitleShows) {
    TempProfile profile;
    struct Case {
        const char* what;
        std::function<std::unique_ptr<CDialog>()> make;
    };
    const Case cases[] = {
        {"Rounded Rectangle Properties",
         [] { return std::make_unique<CRoundRectPropertiesDlg>(); }},
        {"Create New Gallery", [] { return std::make_unique<CNewGalleryDlg>(); }},
        {"Delete Gallery Figure", [] { return std::make_unique<CDeleteGalleryFigureDlg>(); }},
        {"Decimal Mark Properties", [] { return std::make_unique<CDecimalMarkDlg>(); }},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CDialog> dlg = c.make();
        ASSERT_EQ(dlg->windowTitle(), QString::fromLatin1(c.what));
        dlg->show();
        QCoreApplication::processEvents();
        ExpectDialogFrame(*dlg, c.what);
        EXPECT_GE(dlg->width(), TitleBarWidth(dlg->windowTitle())) << c.what;
        dlg->close();
    }
}

// Opened from the main window a dialog starts as a small child; its title
// must not set its width before its controls are laid out.
TEST(DialogFrame, ADialogWithAParentIsWideEnoughForItsControls) {
    TempProfile profile;
    QWidget window;
    window.resize(800, 600);
    window.show();
    const std::function<std::unique_ptr<CDialog>()> makers[] = {
        [&] { return std::make_unique<CEditFunctionsDlg>(&window); },
        [&] { return std::make_unique<CGraphPropertiesDlg>(&window); },
        [&] { return std::make_unique<CRoundRectPropertiesDlg>(&window); },
    };
    for (const auto& make : makers) {
        std::unique_ptr<CDialog> dlg = make();
        dlg->show();
        QCoreApplication::processEvents();
        EXPECT_GE(dlg->width(), dlg->minimumSizeHint().width()) << dlg->windowTitle().toStdString();
        EXPECT_GE(dlg->width(), TitleBarWidth(dlg->windowTitle()));
        // A new title while it shows widens it as before.
        dlg->setWindowTitle(dlg->windowTitle() + QString(60, u'W'));
        EXPECT_GE(dlg->width(), TitleBarWidth(dlg->windowTitle()));
        dlg->close();
    }
}

// A dialog opened over another takes the size its contents ask for, not
// just the width of its title.
TEST(DialogFrame, ADialogOverAnotherTakesItsContentsSize) {
    QDialog owner;
    owner.show();
    CPropertySheet sheet(QStringLiteral("Options"), &owner);
    auto* page = new CGOptScales;
    sheet.AddPage(page);
    sheet.show();
    QCoreApplication::processEvents();
    EXPECT_GE(page->width(), page->minimumSizeHint().width());
    EXPECT_GE(sheet.width(), TitleBarWidth(sheet.windowTitle()));
    sheet.hide();
    delete page;
}

TEST(DialogFrame, MessageBoxesHaveOnlyTheCloseButton) {
    Qt::WindowFlags seen;
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        shown = true;
        seen = box->windowFlags();
        box->accept();
    });
    // The real box this once, not the tests' recorder.
    MessageBoxHandler recorder = SetMessageBoxHandler(nullptr);
    AfxMessageBox(QStringLiteral("The gallery could not be written."), MB_ICONEXCLAMATION);
    SetMessageBoxHandler(recorder);
    ASSERT_TRUE(shown);
    QWidget probe;
    probe.setWindowFlags(seen);
    ExpectDialogFrame(probe, "message box");
}

} // namespace
