#include "InteractionFixture.h"
#include "dialogs/CDlgDataProp.h"
#include "dialogs/ModalDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <functional>

namespace {

QLineEdit* field(const QDialog& dialog, const char* name) {
    auto* found = dialog.findChild<QLineEdit*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QPushButton* button(const QDialog& dialog, const char* name) {
    auto* found = dialog.findChild<QPushButton*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

TEST(CDlgDataProp, ShowsTheStationReadOnlyButItsError) {
    CDlgDataProp dialog;
    dialog.m_x = 1234567.891;
    dialog.m_y = 0.1 + 0.2;
    dialog.m_elevation = -12.5;
    dialog.m_data = std::nan("");
    dialog.m_error = 1e-20;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Data Properties");
    EXPECT_EQ(field(dialog, "x")->text(), "1234567.891");
    EXPECT_EQ(field(dialog, "y")->text(), "0.3");
    EXPECT_EQ(field(dialog, "elevation")->text(), "-12.5");
    EXPECT_EQ(field(dialog, "error")->text(), "1e-20");
    for (const char* name : {"x", "y", "elevation", "data"})
        EXPECT_TRUE(field(dialog, name)->isReadOnly()) << name;
    EXPECT_FALSE(field(dialog, "error")->isReadOnly());
    EXPECT_EQ(dialog.field(CDlgDataProp::IDC_ERROR), field(dialog, "error"));

    // Top to bottom X, Y, elevation, Data, Error; the buttons in one row below.
    std::vector<int> rows;
    for (const char* name : {"x", "y", "elevation", "data", "error"})
        rows.push_back(field(dialog, name)->y());
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end()));
    QPushButton* ok = button(dialog, "ok");
    QPushButton* cancel = button(dialog, "cancel");
    QPushButton* remove = button(dialog, "delete");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(ok->y(), cancel->y());
    EXPECT_EQ(ok->y(), remove->y());
    EXPECT_LT(ok->x(), cancel->x());
    EXPECT_LT(cancel->x(), remove->x());
    EXPECT_GT(ok->y(), rows.back());

    QStringList texts;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_EQ(texts, QStringList({"X", "Y", "elevation", "Data", "Error"}));
}

TEST(CDlgDataProp, KeepsAnUntouchedErrorExactlyAndChecksATypedOne) {
    MessageCapture messages;
    CDlgDataProp dialog;
    dialog.m_data = std::nan(""); // a value nobody can type does not block OK
    dialog.m_error = 0.1 + 0.2;
    dialog.show();
    EXPECT_TRUE(dialog.OnOK());
    EXPECT_EQ(dialog.m_error, 0.1 + 0.2);
    EXPECT_TRUE(messages.empty());

    for (const char* refused : {"0", "-1", "abc", "inf"}) {
        field(dialog, "error")->setText(refused);
        EXPECT_FALSE(dialog.OnOK()) << refused;
        EXPECT_EQ(dialog.m_error, 0.1 + 0.2);
    }
    ASSERT_EQ(messages.messages().size(), 4u);
    EXPECT_EQ(messages.messages()[0].text, "Standard deviation must be positive.");
    EXPECT_EQ(messages.messages()[0].style, MB_OK);
    EXPECT_EQ(messages.messages()[2].text, "Enter a number.");

    field(dialog, "error")->setText(" 2.5 ");
    EXPECT_TRUE(dialog.OnOK());
    EXPECT_EQ(dialog.m_error, 2.5);
}

// Shift+right clicks on the stations of a square survey; the dialog is run
// by `answer`, which works on it while it is open.
class DataProperties : public InteractionTest {
protected:
    void SetUp() override {
        previous = dialogs::setModalRunner([this](QDialog& dialog) {
            dialog.open();
            ++opened;
            offered = field(dialog, "error")->text();
            if (answer)
                answer(static_cast<CDlgDataProp&>(dialog));
            if (dialog.isVisible())
                dialog.reject();
            return dialog.result();
        });
        load({0, 1000, 0, 1000, 500}, {0, 0, 1000, 1000, 500});
        doc.predicted = {1, 2, 3, 4, 5};
        doc.hasPredicted = true;
        doc.error[4] = 0.1 + 0.2;
        doc.SetModifiedFlag(false);
    }
    void TearDown() override { dialogs::setModalRunner(previous); }

    // Shift+right click on station 4 in the middle.
    void shiftClickMiddle() {
        rightPress({500, 500}, Qt::ShiftModifier);
        activate(); // the dialog had the focus
        rightRelease({500, 500}, Qt::ShiftModifier);
    }
    static void press(CDlgDataProp& dialog, const char* name) { button(dialog, name)->click(); }

    std::function<void(CDlgDataProp&)> answer;
    int opened = 0;
    QString offered;
    dialogs::ModalRunner previous;
};

TEST_F(DataProperties, OkWithTheErrorUnchangedChangesNothing) {
    view.showSecondKind(PlotKind::Predicted);
    answer = [](CDlgDataProp& dialog) { press(dialog, "ok"); };
    shiftClickMiddle();
    EXPECT_EQ(opened, 1) << "one dialog per click";
    EXPECT_EQ(offered, "0.3");
    EXPECT_EQ(doc.error[4], 0.1 + 0.2);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(view.secondKind, PlotKind::Predicted);
    EXPECT_EQ(view.markedPoint, (IntPoint{-1, -1}));
    EXPECT_EQ(lastStatus(), kIdle);
}

TEST_F(DataProperties, ANewErrorIsStoredAndShownAsTheSecondPlot) {
    view.showSecondKind(PlotKind::Predicted);
    answer = [](CDlgDataProp& dialog) {
        field(dialog, "error")->setText("2.5");
        press(dialog, "ok");
    };
    shiftClickMiddle();
    EXPECT_EQ(doc.error[4], 2.5);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.secondKind, PlotKind::Errors);
    EXPECT_EQ(view.secondMax, 2.5) << "the errors' values and range were reloaded";

    // Without a second plot none appears.
    view.secondKind = PlotKind::None;
    view.relayout();
    answer = [](CDlgDataProp& dialog) {
        field(dialog, "error")->setText("3");
        press(dialog, "ok");
    };
    shiftClickMiddle();
    EXPECT_EQ(doc.error[4], 3);
    EXPECT_EQ(view.secondKind, PlotKind::None);
}

TEST_F(DataProperties, ARefusedErrorKeepsTheDialogOpen) {
    answer = [this](CDlgDataProp& dialog) {
        field(dialog, "error")->setText("-0.5");
        press(dialog, "ok");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(messages.last().text, "Standard deviation must be positive.");
        EXPECT_EQ(field(dialog, "error")->text(), "-0.5");
        press(dialog, "cancel");
    };
    shiftClickMiddle();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(doc.error[4], 0.1 + 0.2);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DataProperties, DeleteAsksFirst) {
    answer = [this](CDlgDataProp& dialog) {
        messages.answerNext(IDNO);
        press(dialog, "delete");
        EXPECT_TRUE(dialog.isVisible()) << "No returns to the dialog";
        messages.answerNext(IDYES);
        press(dialog, "delete");
        EXPECT_EQ(dialog.result(), 20);
    };
    shiftClickMiddle();
    ASSERT_EQ(messages.messages().size(), 2u);
    EXPECT_EQ(messages.last().text,
              "Are you sure you want to delete this point from the data set?");
    EXPECT_EQ(messages.last().style, MB_YESNO | MB_ICONQUESTION);
    ASSERT_EQ(doc.count, 4);
    for (int i = 0; i < doc.count; ++i)
        EXPECT_NE(doc.x[i], 500) << "the middle station is gone";
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.nodeCount(), 4) << "the view was rebuilt";
    EXPECT_EQ(view.markedPoint, (IntPoint{-1, -1}));
}

TEST_F(DataProperties, ShiftAtTheReleaseOrWhileMovingOpensTheDialogOnce) {
    answer = [](CDlgDataProp& dialog) { press(dialog, "cancel"); };
    rightPress({500, 500});
    EXPECT_EQ(opened, 0);
    rightRelease({500, 500}, Qt::ShiftModifier);
    EXPECT_EQ(opened, 1);
    activate();

    rightPress({100, 100});
    const QPoint to = pixel({500, 500});
    QMouseEvent move(QEvent::MouseMove, to, viewport()->mapToGlobal(to), Qt::NoButton,
                     Qt::RightButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(viewport(), &move);
    EXPECT_EQ(opened, 2);
    activate();
    QCoreApplication::sendEvent(viewport(), &move);
    rightRelease({500, 500}, Qt::ShiftModifier);
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(view.markedPoint, (IntPoint{-1, -1}));
}

} // namespace
