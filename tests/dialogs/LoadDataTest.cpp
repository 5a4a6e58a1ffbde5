#include "MessageCapture.h"
#include "TempFiles.h"
#include "commands/OpenCommand.h"
#include "data/CTESKAdatDoc.h"
#include "dialogs/CDlgLoadData.h"
#include "dialogs/CEditDrop.h"
#include "dialogs/FileDialogs.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>
#include <vector>

namespace {

const char* const kObservations = "! three stations\n3\n0 0 1 5 0.1\n10 0 2 6 0.1\n0 10 3 7 0.1\n";
const char* const kPredicted = "3\n0 0 1 5.5\n10 0 2 6.5\n0 10 3 7.5\n";

// Answers the file-open dialog from a queue while alive, recording the titles.
class OpenFileAnswers {
public:
    OpenFileAnswers() {
        m_previous =
            dialogs::setOpenFileHandler([this](QWidget*, const QString& title, const QString&) {
                titles.push_back(title);
                if (answers.empty())
                    return QString();
                const QString answer = answers.front();
                answers.erase(answers.begin());
                return answer;
            });
    }
    ~OpenFileAnswers() { dialogs::setOpenFileHandler(m_previous); }

    std::vector<QString> answers;
    std::vector<QString> titles;

private:
    dialogs::OpenFileHandler m_previous;
};

void dropFiles(QWidget* target, const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.push_back(QUrl::fromLocalFile(path));
    QMimeData mime;
    mime.setUrls(urls);
    // The application delivers a drop to the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_TRUE(drop.isAccepted());
}

struct HintRecorder : CView {
    std::vector<long> hints;
    void OnUpdate(CView*, long hint, void*) override { hints.push_back(hint); }
};

TEST(CDlgLoadData, RequiresAnObservationPath) {
    MessageCapture messages;
    TempDir dir;
    CDlgLoadData dialog;
    dialog.open();
    dialog.accept();
    dialog.predictedField()->setText(QString::fromStdString(dir.write("p.pre", kPredicted)));
    dialog.accept();
    ASSERT_EQ(messages.messages().size(), 2u);
    for (const CapturedMessage& message : messages.messages()) {
        EXPECT_EQ(message.text, "Data file is missing.");
        EXPECT_EQ(message.style, MB_OK);
    }
    EXPECT_TRUE(dialog.isVisible());
}

TEST(CDlgLoadData, RefusesMissingFilesAndFocusesTheirField) {
    MessageCapture messages;
    TempDir dir;
    const std::string observations = dir.write("o.obs", kObservations);
    CDlgLoadData dialog;
    dialog.setPaths(dir.file("gone.obs"), "");
    EXPECT_EQ(dialog.windowTitle(), "Load Data");
    EXPECT_EQ(dialog.observationField()->text(), QString::fromStdString(dir.file("gone.obs")));
    dialog.predictedField()->setFocus();
    EXPECT_FALSE(dialog.validateAndStore());
    EXPECT_EQ(messages.last().text, "Data file:\n" + dir.file("gone.obs") + "\nnot found.");
    EXPECT_EQ(dialog.focusWidget(), dialog.observationField());

    dialog.setPaths(observations, dir.file("gone.pre"));
    EXPECT_FALSE(dialog.validateAndStore()) << "an optional file must still exist when named";
    EXPECT_EQ(messages.last().text, "Data file:\n" + dir.file("gone.pre") + "\nnot found.");
    EXPECT_EQ(dialog.focusWidget(), dialog.predictedField());
    EXPECT_EQ(dialog.predictedPath(), dir.file("gone.pre")) << "still the preset path";
}

TEST(CDlgLoadData, AcceptsExistingFilesAndFolders) {
    MessageCapture messages;
    TempDir dir;
    const std::string observations = dir.write("o.obs", kObservations);
    CDlgLoadData dialog;
    dialog.open();
    dialog.observationField()->setText(QString::fromStdString(observations));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.observationPath(), observations);
    EXPECT_EQ(dialog.predictedPath(), "");

    dialog.setPaths(dir.path(), dir.path());
    EXPECT_TRUE(dialog.validateAndStore());
    EXPECT_TRUE(messages.empty());
}

TEST(CEditDrop, TakesTheFirstDroppedFileWithItsNameSelected) {
    CDlgLoadData dialog;
    dialog.setPaths("/old/obs", "/old/pre");
    dropFiles(dialog.predictedField(),
              {"/survey/line 7/first.pre", "/survey/second.pre", "/survey/third.pre"});
    CEditDrop* field = dialog.predictedField();
    EXPECT_EQ(field->text(), "/survey/line 7/first.pre");
    EXPECT_EQ(field->selectedText(), "first.pre");
    EXPECT_EQ(dialog.focusWidget(), field);
    EXPECT_EQ(dialog.observationField()->text(), "/old/obs");
    EXPECT_EQ(dialog.predictedPath(), "/old/pre") << "a drop changes only the field";

    const QString longPath = "/" + QString(600, QLatin1Char('d')) + "/name.obs";
    dropFiles(dialog.observationField(), {longPath});
    EXPECT_EQ(dialog.observationField()->text(), longPath) << "no length cut";

    dropFiles(dialog.observationField(), {"/bare.obs"});
    EXPECT_EQ(dialog.observationField()->selectedText(), "bare.obs");
    QMimeData web;
    web.setUrls({QUrl("https://example.org/data.obs")});
    EXPECT_TRUE(CEditDrop::firstDroppedFile(&web).isEmpty()) << "only local files are taken";
}

TEST(CDlgLoadData, BrowseFillsOnlyItsOwnField) {
    OpenFileAnswers fileDialog;
    CDlgLoadData dialog;
    dialog.setPaths("/old/obs", "/old/pre");
    dropFiles(dialog.predictedField(), {"/dropped/new.pre"});

    fileDialog.answers = {"/chosen/new.obs"};
    dialog.findChild<QPushButton*>("browseObservation")->click();
    EXPECT_EQ(dialog.observationField()->text(), "/chosen/new.obs");
    EXPECT_EQ(dialog.predictedField()->text(), "/dropped/new.pre") << "the drop is kept";

    dialog.findChild<QPushButton*>("browsePredicted")->click(); // cancelled: empty answer
    EXPECT_EQ(dialog.predictedField()->text(), "/dropped/new.pre");
    EXPECT_EQ(fileDialog.titles, (std::vector<QString>{"Load data 1", "Load data 2"}));
}

class OpenCommandTest : public ::testing::Test {
protected:
    OpenCommandTest() { doc.AddView(&view); }

    // A dialog runner that records the offered paths, then types and presses OK.
    dialogs::LoadDialogRunner typeAndAccept(const std::string& observations,
                                            const std::string& predicted) {
        return [=](CDlgLoadData& dialog) {
            offered.push_back(dialog.observationField()->text().toStdString());
            offered.push_back(dialog.predictedField()->text().toStdString());
            dialog.observationField()->setText(QString::fromStdString(observations));
            dialog.predictedField()->setText(QString::fromStdString(predicted));
            return dialog.validateAndStore() ? QDialog::Accepted : QDialog::Rejected;
        };
    }

    MessageCapture messages;
    TempDir dir;
    CTESKAdatDoc doc;
    HintRecorder view;
    std::vector<std::string> offered;
};

TEST_F(OpenCommandTest, LoadsBothFilesAndOffersThemAgain) {
    const std::string observations = dir.write("o.obs", kObservations);
    const std::string predicted = dir.write("p.pre", kPredicted);
    doc.dataPath = "previous.obs";
    EXPECT_TRUE(dialogs::runOpenCommand(doc, nullptr, {}, typeAndAccept(observations, predicted)));
    EXPECT_EQ(offered, (std::vector<std::string>{"previous.obs", ""}));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(doc.dataReady);
    EXPECT_EQ(doc.count, 3);
    EXPECT_TRUE(doc.hasPredicted);
    EXPECT_EQ(doc.predicted[2], 7.5);
    EXPECT_EQ(view.hints, (std::vector<long>{HintNewData}));
    EXPECT_FALSE(doc.IsModified());

    offered.clear();
    dialogs::runOpenCommand(doc, nullptr, {}, typeAndAccept(observations, ""));
    EXPECT_EQ(offered, (std::vector<std::string>{observations, predicted}));
    EXPECT_FALSE(doc.hasPredicted);
}

TEST_F(OpenCommandTest, CancelChangesNothing) {
    doc.dataPath = "kept.obs";
    doc.dataReady = true;
    EXPECT_FALSE(
        dialogs::runOpenCommand(doc, nullptr, {}, [](CDlgLoadData&) { return QDialog::Rejected; }));
    EXPECT_EQ(doc.dataPath, "kept.obs");
    EXPECT_TRUE(doc.dataReady);
    EXPECT_TRUE(view.hints.empty());
}

TEST_F(OpenCommandTest, AFailedReadKeepsThePathsAndTellsTheViewNothingIsReady) {
    const std::string broken = dir.write("broken.obs", "2\n0 0 0 1\n1 1 1 2\n");
    doc.dataReady = true;
    EXPECT_FALSE(dialogs::loadDataFiles(doc, broken, dir.file("p.pre")));
    EXPECT_EQ(doc.dataPath, broken);
    EXPECT_EQ(doc.predictedPath, dir.file("p.pre"));
    EXPECT_FALSE(doc.dataReady);
    EXPECT_EQ(view.hints, std::vector<long>{HintNewData}) << "told, with no data ready";
    EXPECT_EQ(messages.messages().size(), 1u) << "only the reader's own message";
}

TEST_F(OpenCommandTest, AFailedPredictedReadDoesNotStopTheLoad) {
    const std::string observations = dir.write("o.obs", kObservations);
    const std::string shortPredicted = dir.write("short.pre", "2\n0 0 1 5\n10 0 2 6\n");
    EXPECT_TRUE(dialogs::loadDataFiles(doc, observations, shortPredicted));
    EXPECT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(doc.dataReady);
    EXPECT_FALSE(doc.hasPredicted);
    EXPECT_EQ(view.hints.size(), 1u);
}

TEST_F(OpenCommandTest, AsksBeforeReplacingUnsavedEdits) {
    const std::string observations = dir.write("edited.obs", kObservations);
    dialogs::loadDataFiles(doc, observations, "");
    doc.SetModifiedFlag();
    int saves = 0;
    bool saveSucceeds = false;
    auto save = [&] {
        ++saves;
        return saveSucceeds;
    };
    auto answerAndOpen = [&](int answer) {
        messages.clear();
        offered.clear();
        messages.answerNext(answer);
        dialogs::runOpenCommand(doc, nullptr, save, typeAndAccept(observations, ""));
    };

    answerAndOpen(IDCANCEL);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.last().text, "Save changes to edited.obs?");
    EXPECT_EQ(messages.last().style, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    EXPECT_TRUE(offered.empty());

    answerAndOpen(IDYES);
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(offered.empty()) << "a failed save stops the command";
    EXPECT_TRUE(doc.IsModified());

    saveSucceeds = true;
    answerAndOpen(IDYES);
    EXPECT_EQ(saves, 2);
    EXPECT_FALSE(offered.empty());

    doc.SetModifiedFlag();
    answerAndOpen(IDNO);
    EXPECT_EQ(saves, 2);
    EXPECT_FALSE(offered.empty());
    EXPECT_FALSE(doc.IsModified());

    messages.clear();
    dialogs::runOpenCommand(doc, nullptr, save, typeAndAccept(observations, ""));
    EXPECT_TRUE(messages.empty()) << "no question without unsaved edits";

    CTESKAdatDoc untitled;
    untitled.SetModifiedFlag();
    EXPECT_FALSE(dialogs::settleUnsavedChanges(untitled, save));
    EXPECT_EQ(messages.last().text, "Save changes to Untitled?");
}

TEST_F(OpenCommandTest, RunsTheDialogModallyByDefault) {
    const std::string observations = dir.write("o.obs", kObservations);
    QTimer::singleShot(0, [&] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<CDlgLoadData*>(window); dialog && dialog->isVisible()) {
                dialog->observationField()->setText(QString::fromStdString(observations));
                dialog->findChild<QPushButton*>("ok")->click();
            }
    });
    EXPECT_TRUE(dialogs::runOpenCommand(doc, nullptr, {}));
    EXPECT_EQ(doc.count, 3);
}

} // namespace
