#pragma once
// The property dialogs opened as a user opens them: a right-click on a
// figure of a drawing, with the dialog driven through the modal seam.
#include "common/test_support.h"
#include "shell/property_dialogs.h"
#include "document/lumbrel2_doc.h"
#include "document/lumbrel2_view.h"
#include "document/undo_manager.h"
#include "platform/command_ids.h"
#include "platform/dialog.h"
#include "platform/profile.h"
#include "settings/settings.h"
#include "shell/lumbrel2_app.h"

#include <QComboBox>
#include <QSettings>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <ostream>

// Entries read in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// Every entry of the profile file, "Section/Key" to its text.
inline std::map<QString, QString> ProfileEntries() {
    FlushProfile();
    QSettings& profile = ProfileSettings();
    std::map<QString, QString> entries;
    for (const QString& key : profile.allKeys())
        entries[key] = profile.value(key).toString();
    return entries;
}

// The entries whose text differs between two readings of the profile.
inline QStringList ChangedEntries(const std::map<QString, QString>& before,
                                  const std::map<QString, QString>& after) {
    QStringList changed;
    for (const auto& [key, value] : after) {
        auto it = before.find(key);
        if (it == before.end() || it->second != value)
            changed << key;
    }
    for (const auto& [key, value] : before)
        if (!after.count(key))
            changed << key;
    changed.sort();
    return changed;
}

// The texts of a list, in its order.
inline QStringList ItemTexts(const QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

class PropertyDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        QvSettings& s = TheSettings();
        s.Load(); // as the program starts
        s.m_CurLineColor.SetValue(RGB(0, 0, 0));
        s.m_CurFillColor.SetValue(RGB(255, 255, 255));
        s.m_CurLineType.SetValue(ID_LINE_HAIRLINE); // hairline
        s.m_CurFillType.SetValue(ID_FILL_NONE);     // no fill
        s.m_MADLevel.SetValue(0);
        // Every setting goes into the profile now: a Set as Default shows
        // as the entries it changes, and the end puts every one back.
        s.Save(FALSE);
        FlushProfile();
        for (const QString& key : ProfileSettings().allKeys())
            m_saved[key] = ProfileSettings().value(key);
        app = std::make_unique<Lumbrel2App>();
        doc = std::make_unique<Lumbrel2Doc>();
        view = std::make_unique<Lumbrel2View>();
        doc->AddView(view.get());
        view->SetPixelsPerInch(96);
        view->OnInitialUpdate();
        ASSERT_TRUE(doc->OnCmdMsg(ID_DRAW_SELECT));
        InstallPropertyDialogs();
    }
    void TearDown() override {
        SetModalDialogHandler({});
        RemovePropertyDialogs();
        view.reset();
        doc.reset();
        QSettings& profile = ProfileSettings();
        profile.clear();
        for (const auto& [key, value] : m_saved)
            profile.setValue(key, value);
        TheSettings().ReadFromRegistry();
    }

    // A right-click at a point of the page, with `drive` playing the user
    // in the dialog of type Dialog that it opens.  False when no such
    // dialog opened.
    template <class Dialog> bool RightClick(QvPoint at, std::function<void(Dialog&)> drive) {
        bool opened = false;
        SetModalDialogHandler([&](CDialog& dialog) {
            auto* d = dynamic_cast<Dialog*>(&dialog);
            if (!d)
                return;
            opened = true;
            drive(*d);
        });
        view->OnRButtonUp(Qt::NoModifier, CPoint(int(at.x), int(at.y)));
        SetModalDialogHandler({});
        return opened;
    }

    int Levels() { return doc->UndoManager().GetLevel(); }

    // A figure of a tool made by clicks at the points, added to the drawing.
    template <class Figure> Figure* AddByClicks(int toolId, std::initializer_list<QvPoint> clicks) {
        std::unique_ptr<QvFigure> made = QvFigure::CreateForTool(toolId);
        auto* figure = dynamic_cast<Figure*>(made.get());
        EXPECT_TRUE(figure);
        if (!figure)
            return nullptr;
        for (const QvPoint& p : clicks) {
            figure->TrackCreatePoint(p, {});
            figure->CreateClick();
        }
        doc->AddFigure(made.release());
        return figure;
    }

    TempProfile profile;
    std::unique_ptr<Lumbrel2App> app;
    std::unique_ptr<Lumbrel2Doc> doc;
    std::unique_ptr<Lumbrel2View> view;

private:
    std::map<QString, QVariant> m_saved;
};
