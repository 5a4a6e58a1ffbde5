#include "platform/QtMessageBox.h"
#include "platform/MessageBox.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

TEST(QtMessageBox, ATextTallerThanTheScreenScrollsInsideTheBox) {
    const std::unique_ptr<QDialog> note = platform::createMessageDialog("Note", MB_OK, nullptr);
    const auto* box = qobject_cast<QMessageBox*>(note.get());
    ASSERT_NE(box, nullptr) << "a message that fits is a plain message box";
    EXPECT_EQ(box->text(), "Note");
    EXPECT_EQ(box->windowTitle(), "TESKA/PORLIN data viewer");

    std::string list = "Error: duplicate stations:";
    for (int i = 1; i <= 100000; ++i)
        list += "\nstation " + std::to_string(i) + " at 1 2";
    const std::unique_ptr<QDialog> tall =
        platform::createMessageDialog(list, MB_ICONHAND | MB_YESNOCANCEL, nullptr);
    EXPECT_EQ(tall->windowTitle(), "TESKA/PORLIN data viewer");
    const auto* text = tall->findChild<QPlainTextEdit*>();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->toPlainText().toStdString(), list) << "the text itself is unchanged";
    tall->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tall.get()));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(tall->frameGeometry().height(), screen.height());
    EXPECT_LE(tall->frameGeometry().width(), screen.width());

    auto* buttons = tall->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    buttons->button(QDialogButtonBox::No)->click();
    EXPECT_EQ(tall->result(), QMessageBox::No);
}
