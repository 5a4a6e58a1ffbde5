#include "MessageCapture.h"
#include "TempFiles.h"
#include "commands/OpenCommand.h"
#include "data/CTESKAdatDoc.h"
#include "dialogs/CDlgTableColumns.h"
#include "dialogs/ModalDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

class TableColumns : public testing::Test {
protected:
    // Opens `contents` as the Open command does, the dialog answered by `answer`.
    bool open(const std::string& contents, std::function<int(CDlgTableColumns&)> answer) {
        doc.tableChooser = [](const data::TablePreview& preview, data::TableChoice& choice) {
            return dialogs::chooseTableColumnsInDialog(nullptr, preview, choice);
        };
        const dialogs::ModalRunner previous = dialogs::setModalRunner([answer](QDialog& dialog) {
            auto* table = dynamic_cast<CDlgTableColumns*>(&dialog);
            EXPECT_TRUE(table);
            return table ? answer(*table) : 0;
        });
        const bool loaded = dialogs::loadDataFiles(doc, dir.write("t.csv", contents), "");
        dialogs::setModalRunner(previous);
        return loaded;
    }
    TempDir dir;
    MessageCapture messages;
    CTESKAdatDoc doc;
};

TEST_F(TableColumns, PrefilledChangedAndConfirmed) {
    const std::string table = "# block 2\nX,Y,height,gz (uGal),tmi\n1,2,3,4000,5\n6,7,8,9000,10\n"
                              "0,9,1,2000,3\n";
    bool shown = false;
    ASSERT_TRUE(open(table, [&shown](CDlgTableColumns& dialog) {
        shown = true;
        EXPECT_EQ(dialog.windowTitle(), "Table columns");
        EXPECT_EQ(dialog.findChild<QLabel*>("format")->text(),
                  "Separator: comma    Decimal mark: point    Header: line 2");
        EXPECT_EQ(dialog.previewTable()->rowCount(), 3);
        EXPECT_EQ(dialog.previewTable()->item(1, 3)->text(), "9000");
        EXPECT_EQ(dialog.roleBox(data::RoleEasting)->currentText(), "X");
        EXPECT_EQ(dialog.roleBox(data::RoleElevation)->currentText(), "height");
        EXPECT_EQ(dialog.roleBox(data::RoleData)->currentText(), "gz (uGal)");
        EXPECT_EQ(dialog.roleBox(data::RoleError)->currentText(), "none (0)");
        EXPECT_EQ(dialog.typeBox()->currentIndex(), 0);
        EXPECT_FALSE(dialog.fieldEdit(0)->isEnabled());

        dialog.roleBox(data::RoleData)->setCurrentIndex(4); // "tmi"
        EXPECT_EQ(dialog.typeBox()->currentIndex(), 1) << "the new column's type";
        EXPECT_FALSE(dialog.OnOK()) << "a magnetic table needs its field";
        dialog.fieldEdit(0)->setText("65");
        dialog.fieldEdit(1)->setText("3.5");
        dialog.fieldEdit(2)->setText("54000");
        dialog.roleBox(data::RoleElevation)->setCurrentIndex(0); // none (0)
        return dialog.OnOK() ? 1 : 0;
    }));
    EXPECT_TRUE(shown);
    EXPECT_EQ(messages.messages().front().text, "Enter a number.");
    EXPECT_TRUE(doc.isMagnetic);
    EXPECT_EQ(doc.data[1], 10);
    EXPECT_EQ(doc.elevation[1], 0);
    EXPECT_EQ(doc.header1c, 54000);
    EXPECT_FALSE(doc.inducingFieldMissing);
}

TEST_F(TableColumns, CancelKeepsTheOpenDocument) {
    const std::string observations = dir.write("a.obs", "3\n0 0 1 5\n1 0 1 6\n0 1 1 7\n");
    ASSERT_TRUE(dialogs::loadDataFiles(doc, observations, ""));
    bool asked = false;
    const auto never = [&asked](CDlgTableColumns&) {
        asked = true;
        return 0;
    };
    EXPECT_FALSE(open("x,y,gz\n0,0,1\n1,0,2\n0,1,3\n5,5,5\n", never));
    EXPECT_TRUE(asked);
    EXPECT_EQ(doc.count, 3);
    EXPECT_EQ(doc.data[2], 7);
    EXPECT_TRUE(doc.dataReady);
    EXPECT_EQ(doc.dataPath, observations);
    EXPECT_TRUE(messages.empty());
    asked = false;
    ASSERT_TRUE(dialogs::loadDataFiles(doc, observations, "")); // never for observation files
    EXPECT_FALSE(asked);
}

} // namespace
