#include "common/test_support.h"
#include "platform/dialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A page of one whole number between 0 and 100.
class NumberPage : public CPropertyPage {
public:
    NumberPage(const QString& caption, int value)
        : CPropertyPage(caption), m_value(value), m_edit(new QLineEdit(this)) {
        (new QVBoxLayout(this))->addWidget(m_edit);
    }
    int m_value;
    QLineEdit* m_edit;
    int activations = 0;

    BOOL OnSetActive() override {
        ++activations;
        return CPropertyPage::OnSetActive();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, m_edit, m_value);
        DDV_MinMaxInt(pDX, m_value, 0, 100);
    }
};

struct Record {
    int first = 10;
    int second = 20;
};

// Runs a two-page sheet on the record as its owner does: the pages get
// copies and the record takes them back on OK only.
int RunSheet(Record& record, const std::function<void(CPropertySheet&, NumberPage&, NumberPage&)>& user,
             UINT startPage = 0) {
    CPropertySheet sheet(QStringLiteral("Options"), nullptr, startPage);
    NumberPage first(QStringLiteral("First"), record.first);
    NumberPage second(QStringLiteral("Second"), record.second);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    SetModalDialogHandler([&](CDialog& dialog) {
        ASSERT_EQ(&dialog, &sheet);
        user(sheet, first, second);
    });
    const int result = sheet.DoModal();
    SetModalDialogHandler({});
    if (result == IDOK) {
        record.first = first.m_value;
        record.second = second.m_value;
    }
    return result;
}

void Press(CPropertySheet& sheet, const QString& text) {
    for (QPushButton* button : sheet.findChildren<QPushButton*>())
        if (button->text() == text) {
            button->click();
            return;
        }
    ADD_FAILURE() << "no button " << text.toStdString();
}

TEST(PropertySheet, ValuesSurviveSwitchingPagesAndOkTakesThem) {
    Record record;
    const int result = RunSheet(record, [](CPropertySheet& sheet, NumberPage& first, NumberPage& second) {
        EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Options"));
        EXPECT_EQ(sheet.TabWidget()->tabText(1), QStringLiteral("Second"));
        EXPECT_EQ(sheet.GetActivePage(), &first);
        EXPECT_EQ(first.m_edit->text(), QStringLiteral("10"));
        EXPECT_FALSE(second.IsInitialized()); // filled when first shown
        first.m_edit->setText(QStringLiteral("11"));
        sheet.TabWidget()->setCurrentIndex(1);
        EXPECT_EQ(first.m_value, 11); // taken on leaving
        EXPECT_EQ(second.m_edit->text(), QStringLiteral("20"));
        second.m_edit->setText(QStringLiteral("22"));
        sheet.TabWidget()->setCurrentIndex(0);
        EXPECT_EQ(first.m_edit->text(), QStringLiteral("11"));
        EXPECT_EQ(first.activations, 2);
        sheet.TabWidget()->setCurrentIndex(1);
        EXPECT_EQ(second.m_edit->text(), QStringLiteral("22"));
        second.m_edit->setText(QStringLiteral("23")); // taken by OK
        Press(sheet, QStringLiteral("OK"));
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(record.first, 11);
    EXPECT_EQ(record.second, 23);
}

TEST(PropertySheet, CancelAndAClosedSheetChangeNothing) {
    Record record;
    EXPECT_EQ(RunSheet(record,
                       [](CPropertySheet& sheet, NumberPage& first, NumberPage& second) {
                           first.m_edit->setText(QStringLiteral("1"));
                           sheet.TabWidget()->setCurrentIndex(1);
                           second.m_edit->setText(QStringLiteral("2"));
                           Press(sheet, QStringLiteral("Cancel"));
                       }),
              IDCANCEL);
    EXPECT_EQ(RunSheet(record, [](CPropertySheet&, NumberPage& first, NumberPage&) {
                  first.m_edit->setText(QStringLiteral("1")); // left open
              }),
              IDCANCEL);
    EXPECT_EQ(record.first, 10);
    EXPECT_EQ(record.second, 20);
}

TEST(PropertySheet, ARefusedValueKeepsItsPageOpen) {
    Record record;
    MessageRecorder recorder;
    const int result = RunSheet(record, [&](CPropertySheet& sheet, NumberPage& first, NumberPage&) {
        first.m_edit->setText(QStringLiteral("101"));
        sheet.TabWidget()->setCurrentIndex(1);
        EXPECT_EQ(sheet.TabWidget()->currentIndex(), 0);
        EXPECT_EQ(sheet.GetActivePage(), &first);
        EXPECT_FALSE(sheet.SetActivePage(1));
        Press(sheet, QStringLiteral("OK"));
        EXPECT_EQ(sheet.ModalResult(), -1); // still open
        ASSERT_EQ(recorder.messages.size(), 3u);
        EXPECT_EQ(recorder.messages[0].text, QStringLiteral("Please enter an integer between 0 and 100."));
        first.m_edit->setText(QStringLiteral("100"));
        Press(sheet, QStringLiteral("OK"));
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(record.first, 100);
}

TEST(PropertySheet, OpensOnTheGivenPageAndAPageNeverShownKeepsItsValue) {
    Record record;
    const int result = RunSheet(
        record,
        [](CPropertySheet& sheet, NumberPage& first, NumberPage& second) {
            EXPECT_EQ(sheet.GetActivePage(), &second);
            EXPECT_EQ(sheet.TabWidget()->currentIndex(), 1);
            EXPECT_FALSE(first.IsInitialized());
            first.m_edit->setText(QStringLiteral("junk")); // never exchanged
            second.m_edit->setText(QStringLiteral("5"));
            Press(sheet, QStringLiteral("OK"));
        },
        1);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(record.first, 10);
    EXPECT_EQ(record.second, 5);
}

TEST(PropertySheet, PagesMadeBeforeTheSheetOutliveIt) {
    NumberPage page(QStringLiteral("First"), 1);
    {
        CPropertySheet sheet(QStringLiteral("Options"));
        sheet.AddPage(&page);
        SetModalDialogHandler([](CDialog& dialog) { dialog.accept(); });
        EXPECT_EQ(sheet.DoModal(), IDOK);
        SetModalDialogHandler({});
    }
    EXPECT_EQ(page.parent(), nullptr);
    EXPECT_EQ(page.m_edit->text(), QStringLiteral("1"));
}

} // namespace
