#include "MessageCapture.h"
#include "TempFiles.h"
#include "commands/EditCommands.h"
#include "data/CTESKAdatDoc.h"
#include "dialogs/CBaseConstDlg.h"
#include "dialogs/CDlgDownsample.h"
#include "dialogs/CDlgErr.h"

#include <QLineEdit>
#include <QValidator>
#include <functional>
#include <gtest/gtest.h>

namespace {

TEST(CDlgErr, ShowsTheValuesAndTheNoiseTitle) {
    CDlgErr dialog;
    dialog.m_percent = 2.5;
    dialog.m_minimum = 0.1;
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.windowTitle(), "Assign Standard Deviation");
    EXPECT_EQ(dialog.percentField()->text(), "2.5");
    EXPECT_EQ(dialog.minimumField()->text(), "0.1");

    CDlgErr noise;
    noise.m_noiseMode = true;
    noise.OnInitDialog();
    EXPECT_EQ(noise.windowTitle(), "Add Gaussian Noise");
    EXPECT_EQ(noise.percentField()->text(), "0");
}

TEST(CDlgErr, ChecksTheMinimumThenThePercent) {
    MessageCapture messages;
    CDlgErr dialog;
    dialog.OnInitDialog();
    EXPECT_FALSE(dialog.OnOK()) << "the initial minimum of 0 is refused";
    EXPECT_EQ(messages.last().text, "Minimum must be greater than 0.");
    EXPECT_EQ(messages.last().style, MB_OK);
    EXPECT_EQ(dialog.focusWidget(), dialog.minimumField());

    dialog.percentField()->setText("-1");
    dialog.minimumField()->setText("0.5");
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(messages.last().text, "Percent cannot be negative.");
    EXPECT_EQ(dialog.focusWidget(), dialog.percentField());
    EXPECT_EQ(dialog.minimumField()->text(), "0.5") << "the entered values stay";

    dialog.percentField()->setText("1,5");
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(messages.last().text, "Enter a number.");

    dialog.percentField()->setText(" 0 ");
    messages.clear();
    EXPECT_TRUE(dialog.OnOK());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(dialog.m_percent, 0);
    EXPECT_EQ(dialog.m_minimum, 0.5);
}

TEST(CBaseConstDlg, AcceptsAnyNumber) {
    MessageCapture messages;
    CBaseConstDlg dialog;
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.windowTitle(), "Add Constant");
    dialog.constantField()->setText("-12.5e1");
    EXPECT_TRUE(dialog.OnOK());
    EXPECT_EQ(dialog.m_constant, -125);
    dialog.constantField()->setText("ten");
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(messages.last().text, "Enter a number.");
}

TEST(CDlgDownsample, StepBetweenTwoAndTheMaximum) {
    MessageCapture messages;
    CDlgDownsample dialog;
    dialog.m_maximum = 3;
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.stepField()->text(), "2");

    const std::pair<const char*, const char*> refusals[] = {
        {"1", "Downsample value must be greater than 1."},
        {"4", "Downsample value too large."},
        {"", "Enter an integer."},
        {"99999999999", "Enter an integer."},
    };
    for (const auto& [text, message] : refusals) {
        dialog.stepField()->setText(text);
        EXPECT_FALSE(dialog.OnOK()) << text;
        EXPECT_EQ(messages.last().text, message);
    }
    dialog.stepField()->setText("3");
    EXPECT_TRUE(dialog.OnOK());
    EXPECT_EQ(dialog.m_step, 3);

    int position = 0;
    QString typed = "-2";
    EXPECT_EQ(dialog.stepField()->validator()->validate(typed, position), QValidator::Invalid)
        << "digits only";
}

// Runs each dialog of a command through open(), fills it in with `fill`
// and presses OK; the command never blocks.
class EditCommands : public testing::Test {
protected:
    void SetUp() override {
        previous = dialogs::setModalRunner([this](QDialog& dialog) {
            dialog.open();
            offered.push_back(fieldTexts(dialog));
            if (fill && fill(dialog))
                dialog.accept();
            else
                dialog.reject();
            return dialog.result();
        });
        doc.dataPath = dir.write("survey.obs", "3\n0 0 0 10 1\n1 0 0 -20 1\n0 1 0 30 1\n");
        ASSERT_TRUE(doc.readObservationFile(doc.dataPath));
    }
    void TearDown() override { dialogs::setModalRunner(previous); }

    static QStringList fieldTexts(QDialog& dialog) {
        QStringList texts;
        for (QLineEdit* field : dialog.findChildren<QLineEdit*>())
            texts << field->text();
        return texts;
    }
    static void set(QDialog& dialog, const char* name, const QString& text) {
        dialog.findChild<QLineEdit*>(name)->setText(text);
    }

    TempDir dir;
    MessageCapture messages;
    CTESKAdatDoc doc;
    std::function<bool(QDialog&)> fill;
    std::vector<QStringList> offered;
    dialogs::ModalRunner previous;
};

TEST_F(EditCommands, AssignRemembersItsOwnValues) {
    fill = [](QDialog& dialog) {
        set(dialog, "percent", "5");
        set(dialog, "minimum", "0.1");
        return true;
    };
    dialogs::OnAssignStandardDeviation(doc, nullptr);
    EXPECT_DOUBLE_EQ(doc.error[1], 1.1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.editValues.assignPercent, 5);

    fill = nullptr; // Cancel changes nothing
    dialogs::OnAssignStandardDeviation(doc, nullptr);
    dialogs::OnAddGaussianNoise(doc, nullptr);
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_EQ(offered[1], (QStringList{"5", "0.1"}));
    EXPECT_EQ(offered[2], (QStringList{"0", "0"})) << "noise keeps separate values";
    EXPECT_EQ(doc.editValues.assignMinimum, 0.1);
    EXPECT_EQ(doc.editValues.noiseMinimum, 0);
}

TEST_F(EditCommands, NoiseConstantAndDownsample) {
    fill = [](QDialog& dialog) {
        if (dialog.windowTitle() == "Add Gaussian Noise") {
            set(dialog, "percent", "0");
            set(dialog, "minimum", "1");
        } else if (dialog.windowTitle() == "Add Constant") {
            set(dialog, "constant", "-3");
        }
        return true;
    };
    dialogs::OnAddGaussianNoise(doc, nullptr);
    EXPECT_EQ(doc.error, (std::vector<double>{1, 1, 1}));
    EXPECT_EQ(doc.editValues.noiseMinimum, 1);

    const std::vector<double> noisy = doc.data;
    dialogs::OnAddConstant(doc, nullptr);
    EXPECT_EQ(doc.data[2], noisy[2] - 3);
    EXPECT_EQ(doc.editValues.constant, -3);

    // Three stations: the maximum is 1, so the offered step 2 is refused and
    // the dialog cannot be confirmed.
    dialogs::OnDownsample(doc, nullptr);
    EXPECT_EQ(messages.last().text, "Downsample value too large.");
    EXPECT_EQ(doc.count, 3);
}

TEST_F(EditCommands, SaveOffersTheAbsolutePath) {
    std::string offeredName;
    std::string answer;
    auto previousAsker = dialogs::setSaveNameAsker([&](QWidget*, const std::string& name) {
        offeredName = name;
        return answer;
    });
    EXPECT_FALSE(dialogs::OnFileSave(doc, nullptr)) << "Cancel";
    EXPECT_EQ(offeredName, doc.GetPathName());

    dialogs::OnLogScale(doc);
    EXPECT_FALSE(doc.logScale) << "disabled while a value is not positive";
    answer = dir.file("saved.obs");
    EXPECT_TRUE(dialogs::OnFileSave(doc, nullptr));
    EXPECT_EQ(doc.dataPath, answer);
    EXPECT_EQ(doc.GetTitle(), answer);
    EXPECT_EQ(readWholeFile(answer).substr(0, 2), "3\n");
    dialogs::setSaveNameAsker(previousAsker);
}

} // namespace
