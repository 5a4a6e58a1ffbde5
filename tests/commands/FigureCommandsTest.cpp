#include "commands/FigureCommands.h"
#include "MessageCapture.h"
#include "TempFiles.h"
#include "commands/EditCommands.h"
#include "data/CTESKAdatDoc.h"
#include "dialogs/CDlgExportPicture.h"
#include "dialogs/CDlgMaskLength.h"
#include "platform/CommandTable.h"
#include "platform/Resource.h"
#include "plot/CTESKAdatView.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QXmlStreamReader>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

class FigureCommands : public testing::Test {
protected:
    void SetUp() override {
        doc.count = 5;
        doc.x = {0, 100, 0, 100, 50};
        doc.y = {0, 0, 100, 100, 40};
        doc.data = {1, 2, 3, 4, 5};
        doc.elevation = doc.error = doc.predicted = {1, 1, 1, 1, 1};
        doc.recomputeExtents();
        doc.dataReady = true;
        doc.UpdateAllViews(nullptr, HintNewData);
        registerFigureCommands(commands, view);
    }
    void TearDown() override { dialogs::setModalRunner({}); }

    // Runs Export picture with the dialog's fields as the user would fill them;
    // returns the magnification the dialog offered.
    QString exportAs(const std::string& path, const QString& magnification) {
        QString offered;
        dialogs::setModalRunner([&](QDialog& dialog) {
            auto& exportDialog = static_cast<CDlgExportPicture&>(dialog);
            exportDialog.OnInitDialog();
            offered = exportDialog.magnificationField()->text();
            exportDialog.pathField()->setText(QString::fromStdString(path));
            exportDialog.magnificationField()->setText(magnification);
            dialog.accept();
            return dialog.result();
        });
        commands.execute(ID_TOOLS_EXPORT_PICTURE);
        return offered;
    }

    MessageCapture messages;
    TempDir dir;
    CTESKAdatDoc doc;
    CTESKAdatView view{doc};
    CommandTable commands;
};

TEST_F(FigureCommands, ExportWritesTheCopyAtTheChosenMagnification) {
    const QSize canvas(view.canvasWidth, view.canvasHeight);
    const std::string png = dir.file("figure.png");
    EXPECT_EQ(exportAs(png, "0.6"), "0.3") << "the current magnification is offered";
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(view.magnification, 0.3);
    EXPECT_EQ(QSize(view.canvasWidth, view.canvasHeight), canvas) << "the window keeps its layout";

    view.magnification = 0.6;
    view.relayout();
    EXPECT_EQ(QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32),
              view.renderCanvas());
}

TEST_F(FigureCommands, ExportRefusesANameWithoutAPictureExtension) {
    exportAs(dir.file("figure.jpg"), "0.3");
    EXPECT_EQ(messages.last().text, "Name the picture file with .png, .svg or .pdf at the end.");
    exportAs(dir.file("figure.svg"), "0");
    EXPECT_EQ(messages.last().text, "Enter a magnification above 0.");

    exportAs(dir.file("huge.pdf"), "40");
    EXPECT_EQ(messages.last().style, MB_ICONHAND);
    EXPECT_NE(messages.last().text.find("too large to export. Choose a smaller magnification."),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "nothing written";
    EXPECT_EQ(view.magnification, 0.3);

    exportAs(dir.file("no/such/folder.pdf"), "0.3");
    EXPECT_EQ(messages.last().style, MB_ICONHAND);
    EXPECT_NE(messages.last().text.find("Cannot write the picture to "), std::string::npos);
}

TEST_F(FigureCommands, SvgKeepsMarkupCharactersOfTheLabelsAsText) {
    view.mainLabel = "Bouguer <reduced> & levelled";
    view.xAxisLabel = "x \"m\"";
    const std::string svg = dir.file("figure.svg");
    exportAs(svg, "0.3");
    QFile file(QString::fromStdString(svg));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList texts;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            (xml.name() == u"text" || xml.name() == u"title"))
            texts << xml.readElementText();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(texts.count("Bouguer <reduced> & levelled"), 2) << "the title and the drawn text";
    EXPECT_TRUE(texts.contains("x \"m\""));
}

// The square's four triangles around the inner station all have a 100 m side.
TEST_F(FigureCommands, TheMaskDialogShowsTheEdgesAndWhatALengthMasks) {
    QStringList seen;
    dialogs::setModalRunner([&](QDialog& dialog) {
        auto& mask = static_cast<CDlgMaskLength&>(dialog);
        mask.OnInitDialog();
        seen << mask.hintText();
        for (const char* length : {"99", "100", "0"}) {
            mask.lengthField()->setText(length);
            seen << mask.findChild<QLabel*>("effect")->text();
        }
        mask.lengthField()->setText("99");
        dialog.accept();
        return dialog.result();
    });
    commands.execute(ID_TOOLS_MASK_TRIANGLES);
    EXPECT_EQ(seen,
              QStringList({"Longest edges of the triangles: median 100 m, 95 % up to 100 m.",
                           "This length masks 4 of 4 triangles.",
                           "This length masks 0 of 4 triangles.", "Every triangle is painted."}));
    EXPECT_EQ(view.maskLength, 99);
}

} // namespace
