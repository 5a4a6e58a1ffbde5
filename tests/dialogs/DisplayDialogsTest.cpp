#include "MessageCapture.h"
#include "dialogs/CDlgColourmap.h"
#include "dialogs/CDlgLabels.h"
#include "dialogs/CDlgRegion.h"
#include "dialogs/CMinMax.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

template <class Widget = QLineEdit> Widget* child(const QWidget& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// The dialog laid out and shown, so that geometry and focus are real.
void showLaidOut(QWidget& dialog) {
    dialog.show();
    dialog.adjustSize();
}

TEST(CMinMax, ShowsNumbersDisablesTheAbsentSecondPlotAndStacksItsButtons) {
    CMinMax dialog;
    dialog.setMainRange(-0.1, 123456789.123456789);
    dialog.setSecondRange(false, 5, 7);
    EXPECT_EQ(dialog.windowTitle(), "Set data range");
    EXPECT_EQ(child(dialog, "mainMax")->text(), "123456789.123457");
    EXPECT_EQ(child(dialog, "mainMin")->text(), "-0.1");
    EXPECT_EQ(child(dialog, "secondMax")->text(), "0");
    EXPECT_FALSE(child(dialog, "secondMax")->isEnabled());
    EXPECT_FALSE(child(dialog, "secondMin")->isEnabled());
    EXPECT_TRUE(child(dialog, "mainMax")->alignment() & Qt::AlignRight);

    dialog.setSecondRange(true, 1e-20, 2.5e300);
    EXPECT_EQ(child(dialog, "secondMin")->text(), "1e-20");
    EXPECT_EQ(child(dialog, "secondMax")->text(), "2.5e+300");
    EXPECT_TRUE(child(dialog, "secondMin")->isEnabled());

    showLaidOut(dialog);
    auto* ok = child<QPushButton>(dialog, "ok");
    auto* reset = child<QPushButton>(dialog, "reset");
    auto* cancel = child<QPushButton>(dialog, "cancel");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(ok->x(), reset->x());
    EXPECT_LT(ok->y(), reset->y());
    EXPECT_LT(reset->y(), cancel->y());
    EXPECT_GT(ok->x(), child(dialog, "mainMax")->x());
    EXPECT_LT(child(dialog, "mainMax")->mapTo(&dialog, QPoint()).y(),
              child(dialog, "secondMax")->mapTo(&dialog, QPoint()).y());
}

TEST(CMinMax, RefusesAnInvertedRangeAndKeepsTheDialogOpen) {
    MessageCapture messages;
    CMinMax dialog;
    dialog.setMainRange(1, 2);
    dialog.setSecondRange(false);
    dialog.open();
    child(dialog, "mainMax")->setText("0.5");
    dialog.accept();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.last().text, "Min should be less than max.");
    EXPECT_EQ(messages.last().style, MB_OK);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.mainMax(), 2) << "nothing is handed back before a valid OK";

    child(dialog, "mainMax")->setText("1");
    dialog.accept();
    EXPECT_EQ(messages.messages().size(), 1u) << "Max equal to Min is accepted";
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.mainMin(), 1);
    EXPECT_EQ(dialog.mainMax(), 1);
}

TEST(CMinMax, ChecksTheSecondPairOnlyWithASecondPlot) {
    MessageCapture messages;
    CMinMax dialog;
    dialog.setMainRange(0, 10);
    dialog.setSecondRange(true, -1, 1);
    child(dialog, "secondMin")->setText("3");
    EXPECT_FALSE(dialog.validateAndStore());
    EXPECT_EQ(messages.last().text, "Min should be less than max.");

    child(dialog, "secondMin")->setText("-3");
    EXPECT_TRUE(dialog.validateAndStore());
    EXPECT_EQ(dialog.secondMin(), -3);
    EXPECT_EQ(dialog.secondMax(), 1);
    EXPECT_TRUE(dialog.hasSecondPlot());
}

TEST(CMinMax, RefusesTextThatIsNotAFiniteNumberAndFocusesTheField) {
    MessageCapture messages;
    CMinMax dialog;
    dialog.setMainRange(1, 2);
    dialog.setSecondRange(true, 3, 4);
    for (const char* text : {"abc", "", "nan", "1e999"}) {
        child(dialog, "secondMin")->setText(text);
        messages.clear();
        EXPECT_FALSE(dialog.validateAndStore()) << text;
        ASSERT_EQ(messages.messages().size(), 1u) << text;
        EXPECT_EQ(messages.last().text, "Enter a number.");
        EXPECT_EQ(dialog.focusWidget(), child(dialog, "secondMin")) << text;
    }
    EXPECT_EQ(dialog.secondMin(), 3);

    child(dialog, "secondMin")->setText("\t-2.5e-3 ");
    EXPECT_TRUE(dialog.validateAndStore());
    EXPECT_EQ(dialog.secondMin(), -2.5e-3);
}

TEST(CMinMax, ResetReturnsZeroMainRangeAndTheSecondRangeAsItCame) {
    MessageCapture messages;
    CMinMax dialog;
    dialog.setMainRange(5, 10);
    dialog.setSecondRange(true, -1, 1);
    dialog.open();
    child(dialog, "secondMin")->setText("not read");
    child(dialog, "mainMax")->setText("-100");
    child<QPushButton>(dialog, "reset")->click();
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.mainMin(), 0);
    EXPECT_EQ(dialog.mainMax(), 0);
    EXPECT_EQ(dialog.secondMin(), -1);
    EXPECT_EQ(dialog.secondMax(), 1);
    EXPECT_TRUE(dialog.requestsDataRanges());
}

TEST(CDlgRegion, ChecksXBeforeYAndRefusesEqualEdges) {
    MessageCapture messages;
    CDlgRegion dialog;
    dialog.setRegion(0.5, 100, -20, 80.25);
    EXPECT_EQ(dialog.windowTitle(), "Region to Display");
    EXPECT_EQ(child(dialog, "x1")->text(), "0.5");
    EXPECT_EQ(child(dialog, "y2")->text(), "80.25");

    child(dialog, "x2")->setText("0.5");
    child(dialog, "y2")->setText("-30");
    EXPECT_FALSE(dialog.validateAndStore());
    EXPECT_EQ(messages.last().text, "X1 should be less than X2.");

    child(dialog, "x2")->setText("1");
    EXPECT_FALSE(dialog.validateAndStore());
    EXPECT_EQ(messages.last().text, "Y1 should be less than Y2.");

    child(dialog, "y2")->setText("-20");
    EXPECT_FALSE(dialog.validateAndStore());
    EXPECT_EQ(messages.last().text, "Y1 should be less than Y2.");
    EXPECT_EQ(messages.messages().size(), 3u);
    EXPECT_EQ(dialog.x2(), 100);

    child(dialog, "y2")->setText("0");
    EXPECT_TRUE(dialog.validateAndStore());
    EXPECT_EQ(dialog.x2(), 1);
    EXPECT_EQ(dialog.y2(), 0);
    EXPECT_FALSE(dialog.requestsDataExtent());

    child(dialog, "y1")->setText("south");
    EXPECT_FALSE(dialog.validateAndStore());
    EXPECT_EQ(messages.last().text, "Enter a number.");
    EXPECT_EQ(dialog.focusWidget(), child(dialog, "y1"));
}

TEST(CDlgRegion, ResetReturnsZeroXAndTheYValuesAsTheyCame) {
    MessageCapture messages;
    CDlgRegion dialog;
    dialog.setRegion(10, 20, 30, 40);
    showLaidOut(dialog);
    auto* ok = child<QPushButton>(dialog, "ok");
    auto* reset = child<QPushButton>(dialog, "reset");
    auto* cancel = child<QPushButton>(dialog, "cancel");
    EXPECT_EQ(ok->y(), cancel->y());
    EXPECT_LT(ok->x(), reset->x());
    EXPECT_LT(reset->x(), cancel->x());
    EXPECT_GT(ok->y(), child(dialog, "y1")->y());

    child(dialog, "y1")->setText("35");
    reset->click();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.requestsDataExtent());
    EXPECT_EQ(dialog.y1(), 30);
    EXPECT_EQ(dialog.y2(), 40);
}

TEST(CDlgLabels, HandsBackTheTextsAsTyped) {
    CDlgLabels dialog;
    dialog.setLabels({"Observed", "Predicted", "nT", "Easting (m)", "Northing (m)"});
    EXPECT_EQ(dialog.windowTitle(), "Labels");
    EXPECT_EQ(child(dialog, "unitsLabel")->text(), "nT");
    showLaidOut(dialog);
    EXPECT_LT(child(dialog, "unitsLabel")->width(), child(dialog, "mainLabel")->width());
    EXPECT_LT(child(dialog, "xAxisLabel")->y(), child(dialog, "yAxisLabel")->y());

    child(dialog, "mainLabel")->setText(QString::fromUtf8(u8"  Δg résiduel  "));
    child(dialog, "unitsLabel")->setText("");
    child<QPushButton>(dialog, "ok")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.labels().main, u8"  Δg résiduel  ");
    EXPECT_EQ(dialog.labels().units, "");
    EXPECT_EQ(dialog.labels().yAxis, "Northing (m)");

    for (QLineEdit* field : dialog.findChildren<QLineEdit*>())
        field->clear();
    EXPECT_TRUE(dialog.validateAndStore());
    EXPECT_EQ(dialog.labels().second + dialog.labels().xAxis + dialog.labels().yAxis, "");
}

TEST(CDlgColourmap, SelectsByPositionInTheGroupAndHandsBackTheChoice) {
    CDlgColourmap dialog;
    dialog.setColourMap(6, false);
    EXPECT_EQ(dialog.windowTitle(), "Colourmap");
    EXPECT_TRUE(child<QAbstractButton>(dialog, "colour6")->isChecked());
    EXPECT_FALSE(child<QAbstractButton>(dialog, "reverse")->isChecked());

    showLaidOut(dialog);
    const int left = child<QAbstractButton>(dialog, "default")->x();
    const int right = child<QAbstractButton>(dialog, "colour4")->x();
    EXPECT_LT(left, right);
    for (const char* name : {"gray", "colour2", "colour3", "reverse"})
        EXPECT_EQ(child<QAbstractButton>(dialog, name)->x(), left) << name;
    for (const char* name : {"colour5", "colour6", "topo1", "topo2", "viridis", "cividis"})
        EXPECT_EQ(child<QAbstractButton>(dialog, name)->x(), right) << name;
    EXPECT_GT(child<QAbstractButton>(dialog, "reverse")->y(),
              child<QAbstractButton>(dialog, "colour3")->y());

    child<QAbstractButton>(dialog, "topo2")->click();
    child<QAbstractButton>(dialog, "reverse")->click();
    child<QPushButton>(dialog, "ok")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.colourMapIndex(), 8);
    EXPECT_TRUE(dialog.reversed());

    dialog.setColourMap(10, false);
    EXPECT_TRUE(child<QAbstractButton>(dialog, "cividis")->isChecked());
    dialog.setColourMap(11, true);
    EXPECT_TRUE(child<QAbstractButton>(dialog, "default")->isChecked()) << "out of range";
    EXPECT_TRUE(child<QAbstractButton>(dialog, "reverse")->isChecked());
}

} // namespace
