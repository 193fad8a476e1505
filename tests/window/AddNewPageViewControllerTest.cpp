// The add-page dialog keeps its fields consistent while the user types and clicks: the file name
// follows the title only in segment 0, the two naming boxes exclude each other, and the main launch
// page box switches to typed names.
#include "WindowTestSupport.h"

#include "window/AddNewPageViewController.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QTest>

namespace {

enum class Step { TypeTitle, ClearTitle, Segment0, Segment1, ClickMain, ClickBase, TypeFileName };

struct Action
{
    Step step;
    const char* text = "";
};

struct SequenceCase
{
    const char* name;
    bool freeFormNames;
    QList<Action> actions;
    const char* fileName;
    int segment;
    bool mainOn;
    bool baseOn;
};

const QList<SequenceCase>& sequences()
{
    static const QList<SequenceCase> rows{
        {"title drives the name", false, {{Step::TypeTitle, "About Us"}}, "AboutUs", 0, false, false},
        {"typed names ignore the title", false, {{Step::Segment1}, {Step::TypeTitle, "About Us"}}, "page3", 1,
         false, false},
        {"typed name kept", false, {{Step::Segment1}, {Step::TypeFileName, "-x"}}, "page3-x", 1, false, false},
        {"main page gives index and typed names", false, {{Step::ClickMain}}, "index", 1, true, false},
        {"title after main page leaves index", false, {{Step::ClickMain}, {Step::TypeTitle, "Contact"}}, "index",
         1, true, false},
        {"base template gives basetemplate", false, {{Step::ClickBase}}, "basetemplate", 0, false, true},
        {"title after base template takes over in segment 0", false,
         {{Step::ClickBase}, {Step::TypeTitle, "News"}}, "News", 0, false, true},
        {"main page off keeps index", false, {{Step::ClickMain}, {Step::ClickMain}}, "index", 1, false, false},
        {"base over main", false, {{Step::ClickMain}, {Step::ClickBase}}, "basetemplate", 1, false, true},
        {"main over base", false, {{Step::ClickBase}, {Step::ClickMain}}, "index", 1, true, false},
        {"base off keeps the name and the box states", false, {{Step::ClickBase}, {Step::ClickBase}},
         "basetemplate", 0, false, false},
        {"clearing the title keeps the last name", false, {{Step::TypeTitle, "About"}, {Step::ClearTitle}},
         "About", 0, false, false},
        {"back to segment 0 follows the next edit", false,
         {{Step::Segment1}, {Step::TypeTitle, "Ab"}, {Step::Segment0}, {Step::TypeTitle, "c"}}, "Abc", 0, false,
         false},
        {"symbols and accents dropped", false, {{Step::TypeTitle, "Café & Bar_2"}}, "CafBar_2", 0, false, false},
        {"free-form names keep letters of any script", true, {{Step::TypeTitle, "Café Menü"}}, "CaféMenü", 0,
         false, false},
    };
    return rows;
}

class AddNewPageViewControllerTest : public WindowTest
{
protected:
    // On the box itself: a box's label ends well before the form's column does.
    static void clickBox(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }

    // Key by key, as a keyboard with any letters on it would send them.
    static void type(QLineEdit* field, const QString& text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(field, &press);
            QApplication::sendEvent(field, &release);
        }
    }

    static void perform(AddNewPageViewController& sheet, const Action& action)
    {
        switch (action.step) {
        case Step::TypeTitle:
            type(sheet.pageTitleTextField(), QString::fromUtf8(action.text));
            break;
        case Step::ClearTitle:
            sheet.pageTitleTextField()->setFocus();
            QTest::keyClick(sheet.pageTitleTextField(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(sheet.pageTitleTextField(), Qt::Key_Backspace);
            break;
        case Step::Segment0:
            QTest::mouseClick(sheet.fileNameGenerationSegment(0), Qt::LeftButton);
            break;
        case Step::Segment1:
            QTest::mouseClick(sheet.fileNameGenerationSegment(1), Qt::LeftButton);
            break;
        case Step::ClickMain:
            clickBox(sheet.mainLaunchpageCheckbox());
            break;
        case Step::ClickBase:
            clickBox(sheet.baseTemplateCheckbox());
            break;
        case Step::TypeFileName:
            sheet.pageFileNameTextField()->end(false);
            type(sheet.pageFileNameTextField(), QString::fromUtf8(action.text));
            break;
        }
    }
};

TEST_F(AddNewPageViewControllerTest, ActionSequencesKeepTheFieldsConsistent)
{
    for (const SequenceCase& row : sequences()) {
        SCOPED_TRACE(row.name);
        edition().gFreeFormFileNamesFlag = row.freeFormNames;
        AddNewPageViewController sheet(nullptr);
        sheet.window()->show();
        sheet.basicSetup();
        sheet.pageFileNameTextField()->setText(QStringLiteral("page3"));
        QString title;
        for (const Action& action : row.actions) {
            perform(sheet, action);
            if (action.step == Step::TypeTitle)
                title += QString::fromUtf8(action.text);
            else if (action.step == Step::ClearTitle)
                title.clear();
        }
        EXPECT_EQ(sheet.pageFileNameTextField()->text(), QString::fromUtf8(row.fileName));
        EXPECT_EQ(sheet.selectedSegment(), row.segment);
        EXPECT_EQ(sheet.pageFileNameTextField()->isEnabled(), row.segment == 1);
        EXPECT_EQ(sheet.mainLaunchpageCheckbox()->isChecked(), row.mainOn);
        EXPECT_EQ(sheet.baseTemplateCheckbox()->isChecked(), row.baseOn);
        // The title is the user's and is never rewritten.
        EXPECT_EQ(sheet.pageTitleTextField()->text(), title);
    }
}

TEST_F(AddNewPageViewControllerTest, FillingTheFieldsFromCodeDoesNotDriveTheName)
{
    AddNewPageViewController sheet(nullptr);
    sheet.window()->show();
    sheet.basicSetup();
    sheet.pageFileNameTextField()->setText(QStringLiteral("basetemplate"));
    sheet.pageTitleTextField()->setText(QStringLiteral("Base Template"));
    EXPECT_EQ(sheet.pageFileNameTextField()->text(), QStringLiteral("basetemplate"));
    // A second set-up wires nothing twice: one click still toggles once.
    sheet.basicSetup();
    clickBox(sheet.mainLaunchpageCheckbox());
    EXPECT_TRUE(sheet.mainLaunchpageCheckbox()->isChecked());
    EXPECT_EQ(sheet.pageFileNameTextField()->text(), QStringLiteral("index"));
}

} // namespace
