// File>Save, File>Save As, File>Open and closing a drawing window: the
// name asked for, the question about unsaved changes, and a damaged file
// that leaves the other drawings alone.
#include "common/start_program.h"
#include "common/test_support.h"
#include "document/lumbrel2_doc.h"
#include "figures/fig_line.h"
#include "framework/child_frame.h"
#include "framework/doc_template.h"
#include "framework/view.h"
#include "platform/command_ids.h"
#include "platform/command_router.h"
#include "settings/settings.h"
#include "shell/lumbrel2_app.h"
#include "shell/main_frame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// An application whose Save As dialog answers with a set name.
class SavingApp : public Lumbrel2App {
public:
    QStringList proposals;
    QString answer;

    QString PromptSaveFileName(const QString& proposal) override {
        proposals << proposal;
        return answer;
    }
};

class FileCommandTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(StartProgram(*app, QString())); }

    CCommandRouter& Router() { return app->Router(); }
    const auto& Documents() const { return app->GetDocTemplate()->Documents(); }
    Lumbrel2Doc* ActiveDoc() const {
        CChildFrame* child = app->GetMainFrame()->GetActiveChild();
        CView* view = child ? child->GetActiveView() : nullptr;
        return view ? dynamic_cast<Lumbrel2Doc*>(view->GetDocument()) : nullptr;
    }
    static void AddLine(Lumbrel2Doc* doc, double y) {
        std::unique_ptr<QvFigure> f = QvFigure::CreateForTool(QvFigLine::ToolId);
        for (double x : {0.0, 1000.0}) {
            f->TrackCreatePoint(QvPoint(x, y), {});
            f->CreateClick();
        }
        doc->AddFigure(f.release());
    }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    // Closes the active drawing window as its close button does; true when
    // it went.
    bool CloseActive() {
        bool closed = app->GetMainFrame()->GetActiveChild()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return closed;
    }

    TempProfile profile;
    QTemporaryDir dir;
    std::unique_ptr<SavingApp> app = std::make_unique<SavingApp>();
};

TEST_F(FileCommandTest, SaveAsksOnceThenWritesToTheSameFile) {
    Lumbrel2Doc* doc = ActiveDoc();
    ASSERT_TRUE(doc);
    AddLine(doc, 0);

    // Cancelling the dialog writes nothing and keeps the changes marked.
    EXPECT_TRUE(Router().Execute(ID_FILE_SAVE));
    EXPECT_EQ(app->proposals, QStringList{QStringLiteral("Lumbrel1.kw2")});
    EXPECT_TRUE(doc->IsModified());

    app->answer = Path("first.kw2");
    Router().Execute(ID_FILE_SAVE);
    EXPECT_TRUE(QFile::exists(Path("first.kw2")));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetPathName(), Path("first.kw2"));
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("first.kw2"));

    // The file is there now: Save writes to it without asking.
    app->proposals.clear();
    AddLine(doc, 500);
    Router().Execute(ID_FILE_SAVE);
    EXPECT_TRUE(app->proposals.isEmpty());
    EXPECT_FALSE(doc->IsModified());

    // Save As always asks, starting from the drawing's file.
    app->answer = Path("second.kw2");
    Router().Execute(ID_FILE_SAVE_AS);
    EXPECT_EQ(app->proposals, QStringList{Path("first.kw2")});
    EXPECT_EQ(doc->GetPathName(), Path("second.kw2"));

    // A file that went away is asked for again.
    QFile::remove(Path("second.kw2"));
    app->proposals.clear();
    app->answer = Path("third.kw2");
    Router().Execute(ID_FILE_SAVE);
    EXPECT_EQ(app->proposals, QStringList{Path("second.kw2")});

    // What was saved opens with both lines.
    Lumbrel2Doc* reopened = dynamic_cast<Lumbrel2Doc*>(app->OpenDocumentFile(Path("first.kw2")));
    ASSERT_TRUE(reopened);
    EXPECT_NE(reopened, doc);
    EXPECT_EQ(reopened->GetFigureCount(), 2);
    EXPECT_FALSE(reopened->IsModified());
}

// A new drawing is proposed in the default folder, but nothing is written
// there without asking; a drawing with a file stays with its file.
TEST_F(FileCommandTest, DefaultFolderIsOnlyTheProposalForANewDrawing) {
    QTemporaryDir elsewhere;
    const QString mine = elsewhere.filePath(QStringLiteral("mine.kw2"));
    TheSettings().m_DefaultPath.SetValue(dir.path() + QLatin1Char('/'));
    QFile unrelated(Path("Lumbrel1.kw2"));
    ASSERT_TRUE(unrelated.open(QIODevice::WriteOnly));
    unrelated.write("someone else's");
    unrelated.close();
    auto unrelatedBytes = [&] {
        QFile f(Path("Lumbrel1.kw2"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };

    Lumbrel2Doc* doc = ActiveDoc();
    AddLine(doc, 0);
    Router().Execute(ID_FILE_SAVE); // asked, and cancelled
    EXPECT_EQ(app->proposals, QStringList{Path("Lumbrel1.kw2")});
    EXPECT_EQ(unrelatedBytes(), QByteArray("someone else's"));

    app->answer = mine;
    Router().Execute(ID_FILE_SAVE);
    EXPECT_EQ(doc->GetPathName(), mine);
    app->proposals.clear();
    AddLine(doc, 500);
    Router().Execute(ID_FILE_SAVE); // to its own file, unasked
    EXPECT_TRUE(app->proposals.isEmpty());
    EXPECT_FALSE(doc->IsModified());
    app->answer.clear();
    Router().Execute(ID_FILE_SAVE_AS);
    EXPECT_EQ(app->proposals, QStringList{mine});
    EXPECT_EQ(unrelatedBytes(), QByteArray("someone else's"));
    TheSettings().m_DefaultPath.SetValue(QString());
}

TEST_F(FileCommandTest, ClosingAChangedDrawingAsksFirst) {
    Lumbrel2Doc* doc = ActiveDoc();
    AddLine(doc, 0);

    {
        MessageRecorder recorder(IDCANCEL);
        EXPECT_FALSE(CloseActive());
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0].text, QStringLiteral("Save changes to Lumbrel1?"));
        EXPECT_EQ(recorder.messages[0].type & MB_TYPEMASK, MB_YESNOCANCEL);
        EXPECT_EQ(Documents().size(), 1u);
    }
    {
        // Yes, then cancelling the name keeps the window.
        MessageRecorder recorder(IDYES);
        EXPECT_FALSE(CloseActive());
        EXPECT_EQ(app->proposals.size(), 1u);
        EXPECT_EQ(Documents().size(), 1u);
    }
    {
        // Yes with a name saves, then closes.
        MessageRecorder recorder(IDYES);
        app->answer = Path("closed.kw2");
        EXPECT_TRUE(CloseActive());
        EXPECT_TRUE(QFile::exists(Path("closed.kw2")));
        EXPECT_TRUE(Documents().empty());
    }

    // No closes without saving; an unchanged drawing closes without asking.
    app->OnFileNew();
    AddLine(ActiveDoc(), 0);
    {
        MessageRecorder recorder(IDNO);
        EXPECT_TRUE(CloseActive());
        EXPECT_EQ(recorder.messages.size(), 1u);
    }
    app->OnFileNew();
    {
        MessageRecorder recorder;
        EXPECT_TRUE(CloseActive());
        EXPECT_TRUE(recorder.messages.empty());
    }
    EXPECT_TRUE(Documents().empty());
}

TEST_F(FileCommandTest, ADamagedFileLeavesTheOpenDrawingsAlone) {
    Lumbrel2Doc* first = ActiveDoc();
    AddLine(first, 0);
    AddLine(first, 100);
    app->answer = Path("good.kw2");
    Router().Execute(ID_FILE_SAVE);
    QFile good(Path("good.kw2"));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    QByteArray bytes = good.readAll();

    QFile damaged(Path("damaged.kw2"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(bytes.left(bytes.size() - 3));
    damaged.close();

    MessageRecorder recorder;
    EXPECT_EQ(app->OpenDocumentFile(Path("damaged.kw2")), nullptr);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text,
              Path("damaged.kw2") + QStringLiteral("\nUnexpected file format."));
    ASSERT_EQ(Documents().size(), 1u);
    EXPECT_EQ(Documents()[0].get(), first);
    EXPECT_EQ(first->GetFigureCount(), 2);
    EXPECT_EQ(ActiveDoc(), first);
    // A drawing that could not be read does not join the recent files.
    EXPECT_EQ(app->RecentFiles()[0], Path("good.kw2"));
}

// A file without the magic is an older drawing: File>Open reads it all the
// same, into a window of its own.
TEST_F(FileCommandTest, OpenReadsAnOlderDrawing) {
    QByteArray record(76, '\0'); // a rectangle from (10, 10) to (100, 50) pixels
    record[0] = 6;
    record[2] = 10;
    record[4] = 10;
    record[6] = 100;
    record[8] = 50;
    QFile older(Path("older.kw2"));
    ASSERT_TRUE(older.open(QIODevice::WriteOnly));
    older.write(QByteArray(4, '\0') + Hex("01 00") + record);
    older.close();

    MessageRecorder recorder;
    ASSERT_NE(app->OpenDocumentFile(Path("older.kw2")), nullptr);
    EXPECT_TRUE(recorder.messages.empty());
    ASSERT_EQ(Documents().size(), 2u);
    Lumbrel2Doc* doc = ActiveDoc();
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(doc->GetFigureCount(), 1);
    EXPECT_EQ(doc->GetFigure(0)->GetToolId(), ID_DRAW_RECTANGLE);
    EXPECT_FALSE(doc->IsModified());
}

// Neither format: no magic and bytes past what an older header announces,
// or nothing at all.
TEST_F(FileCommandTest, AFileOfZeroBytesIsRefusedNamingIt) {
    for (qsizetype size : {qsizetype(0), qsizetype(6), qsizetype(65536)}) {
        SCOPED_TRACE(size);
        QFile zeros(Path("zeros.kw2"));
        ASSERT_TRUE(zeros.open(QIODevice::WriteOnly | QIODevice::Truncate));
        zeros.write(QByteArray(size, '\0'));
        zeros.close();
        MessageRecorder recorder;
        if (size == 6) { // an older drawing that holds no figure
            EXPECT_NE(app->OpenDocumentFile(Path("zeros.kw2")), nullptr);
            EXPECT_TRUE(recorder.messages.empty());
            CloseActive();
            continue;
        }
        EXPECT_EQ(app->OpenDocumentFile(Path("zeros.kw2")), nullptr);
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0].text,
                  Path("zeros.kw2") + QStringLiteral("\nUnexpected file format."));
        EXPECT_EQ(Documents().size(), 1u);
    }
}

// A Venn diagram stored with a member of the wrong kind, which a later
// record names again: the dropped member is never reached once freed, and
// the file is refused.
TEST_F(FileCommandTest, OpenRefusesAVennWhoseDroppedMemberIsNamedLater) {
    const QString path =
        QStringLiteral(LUMBREL_SOURCE_DIR "/tests/fuzz/drawing/venn-extra-member-backref.kw2");
    MessageRecorder recorder;
    EXPECT_EQ(app->OpenDocumentFile(path), nullptr);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, path + QStringLiteral("\nUnexpected file format."));
    EXPECT_EQ(Documents().size(), 1u);
}

} // namespace
