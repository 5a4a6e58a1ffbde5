// --render: its options, and the picture it writes.

#include "MessageCapture.h"
#include "TempFiles.h"
#include "app/BatchRender.h"
#include "app/CommandLine.h"
#include "data/CTESKAdatDoc.h"
#include "plot/CTESKAdatView.h"
#include "plot/PngFile.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTransform>
#include <QXmlStreamReader>
#include <algorithm>
#include <climits>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace {

const std::string kSamples = std::string(TESKADAT_SOURCE_DIR) + "/samples/";
const std::string kObservations = kSamples + "magnetic.obs";
const std::string kPredicted = kSamples + "magnetic.pre";

CommandLine parse(std::vector<std::string> arguments) {
    return parseCommandLine(arguments);
}

TEST(RenderOptions, EveryOptionSetsItsValue) {
    const CommandLine line =
        parse({"--render", "out.png", "--second", "elevation", "--method", "circles", "--colourmap",
               "7", "--reverse", "--magnification", "0.5", "--region", "1,2,3,4", "--range", "-5,5",
               "--horizontal", "--no-locations", "--round-ticks", "a.obs"});
    ASSERT_TRUE(line.error.empty()) << line.error;
    EXPECT_TRUE(line.isRender());
    EXPECT_FALSE(line.isBatchEdit());
    const RenderOptions& r = line.render;
    EXPECT_EQ(r.outputPath, "out.png");
    EXPECT_EQ(r.second, RenderOptions::Second::Elevation);
    EXPECT_EQ(r.method, 2);
    EXPECT_EQ(r.colourMap, 7);
    EXPECT_TRUE(r.reversed);
    EXPECT_EQ(r.magnification, 0.5);
    EXPECT_EQ(r.region, (std::array<double, 4>{1, 2, 3, 4}));
    EXPECT_EQ(r.range, (std::array<double, 2>{-5, 5}));
    EXPECT_EQ(r.vertical, false);
    EXPECT_TRUE(r.hideLocations);
    EXPECT_TRUE(r.roundTicks);

    const CommandLine profile = parse(
        {"--render", "p.png", "--profile", "10,20,900,-5", "--level", "-40", "a.obs", "a.pre"});
    ASSERT_TRUE(profile.error.empty()) << profile.error;
    EXPECT_EQ(profile.render.profile, (std::array<int, 4>{10, 20, 900, -5}));
    EXPECT_EQ(profile.render.level, -40);
    EXPECT_EQ(profile.predictedPath, "a.pre");
}

TEST(RenderOptions, BadValuesAreRefusedWithTheirForm) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--method", "dots"}, "--method needs original, gradient or circles, not \"dots\"."},
        {{"--colourmap", "9"}, "--colourmap needs a colour map number from 0 to 8, not \"9\"."},
        {{"--region", "2,1,3,4"}, "--region: X1 should be less than X2."},
        {{"--range", "5,5"}, "--range: Min should be less than max."},
        {{"--profile", "1,2,3,4.5"},
         "--profile needs four integers AX,AY,BX,BY, not \"1,2,3,4.5\"."},
        {{"--level", "5"}, "--level needs --profile."},
        {{"--profile", "1,2,3,4", "--second", "errors"},
         "--profile shows the profile as the second plot; leave out --second."},
    };
    for (const auto& [options, message] : cases) {
        std::vector<std::string> arguments{"--render", "out.png", "a.obs"};
        arguments.insert(arguments.begin() + 2, options.begin(), options.end());
        EXPECT_EQ(parse(arguments).error, message);
    }
    EXPECT_EQ(parse({"--method", "circles", "a.obs"}).error,
              "The view options need --render OUT.png.");
    EXPECT_EQ(parse({"--render", "out.png"}).error, "--render needs an observation file.");
    EXPECT_EQ(parse({"--render", "a.png", "--render", "b.png", "a.obs"}).error,
              "--render may be given once.");
    EXPECT_EQ(parse({"--render", "out.jpg", "a.obs"}).error,
              "--render writes PNG, SVG or PDF: the file name should end in .png, .svg or .pdf, "
              "not \"out.jpg\" (or give --format).");
    EXPECT_TRUE(parse({"--render", "OUT.PDF", "a.obs"}).error.empty());
    EXPECT_NE(usageText().find("--profile AX,AY,BX,BY"), std::string::npos);
}

class Render : public testing::Test {
protected:
    MessageCapture messages;
    TempDir dir;

    int render(std::vector<std::string> arguments) {
        const CommandLine line = parseCommandLine(arguments);
        EXPECT_TRUE(line.error.empty()) << line.error;
        return renderPicture(line);
    }
    std::string out() const { return dir.file("out.png"); }
};

TEST_F(Render, ThePictureIsTheCopyOfTheView) {
    ASSERT_EQ(render({"--render", out(), kObservations, kPredicted}), 0);
    EXPECT_TRUE(messages.empty());
    const QImage written(QString::fromStdString(out()));

    CTESKAdatDoc doc;
    CTESKAdatView view(doc);
    doc.setCommandLinePredicted(false, kPredicted);
    ASSERT_TRUE(doc.OnOpenDocument(kObservations));
    ASSERT_EQ(view.secondKind, PlotKind::Predicted);
    const QImage copied = view.renderCanvas();
    EXPECT_EQ(written.size(), QSize(480, 626));
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), copied);
}

TEST_F(Render, PngFilesKeepEveryPixel) {
    // Noise in every channel, beside flat areas, so every filter and match
    // length of the compression is used.
    QImage picture(301, 157, QImage::Format_RGB32);
    picture.fill(Qt::white);
    unsigned state = 1;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width() / 2; ++x) {
            state = state * 1103515245u + 12345u;
            picture.setPixel(x, y, 0xFF000000u | (state >> 8));
        }
    std::FILE* file = std::fopen(out().c_str(), "wb");
    ASSERT_TRUE(file);
    ASSERT_TRUE(writePng(picture, file));
    std::fclose(file);
    EXPECT_EQ(QImage(QString::fromStdString(out())).convertToFormat(QImage::Format_RGB32), picture);
    EXPECT_FALSE(writePng(QImage(), stdout)); // nothing to write
}

TEST_F(Render, ViewOptionsShapeThePicture) {
    ASSERT_EQ(render({"--render", out(), "--horizontal", "--magnification", "0.5", "--method",
                      "gradient", kObservations, kPredicted}),
              0);
    const QImage beside(QString::fromStdString(out()));
    EXPECT_EQ(beside.width(), 1600) << "two plots of 1600 units side by side";

    ASSERT_EQ(render({"--render", out(), "--second", "none", kObservations, kPredicted}), 0);
    EXPECT_EQ(QImage(QString::fromStdString(out())).size(), QSize(480, 334))
        << "one plot: (1000 + 600) and (713 + 400) units at 0.3";

    ASSERT_EQ(render({"--render", out(), "--profile", "100,100,900,2000", "--level", "-100",
                      kObservations}),
              0);
    EXPECT_EQ(QImage(QString::fromStdString(out())).size(), QSize(480, 626))
        << "the profile takes the second plot's place";
    EXPECT_TRUE(messages.empty());
}

TEST_F(Render, RefusalsAndFailures) {
    EXPECT_EQ(render({"--render", out(), "--second", "difference", kObservations}), 2);
    EXPECT_EQ(messages.last().text,
              "--second: the predicted data, and the differences from them, need a predicted "
              "data file.");
    EXPECT_EQ(render({"--render", out(), "--profile", "1001,0,0,0", kObservations}), 2);
    EXPECT_NE(messages.last().text.find("A must lie on the main plot"), std::string::npos);
    EXPECT_EQ(render({"--render", out(), "--profile", "5,5,5,5", kObservations}), 2);
    EXPECT_EQ(render({"--render", out(), "--downsample", "1", kObservations}), 2)
        << "edits are applied first, with their checks";

    messages.clear();
    EXPECT_EQ(render({"--render", out(), "--magnification", "40", kObservations, kPredicted}), 1);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.last().style, MB_ICONHAND);
    EXPECT_EQ(messages.last().text, "The picture of the plots would be 64000 by 83440 pixels, "
                                    "too large to render. Try a smaller --magnification.");
    EXPECT_FALSE(std::filesystem::exists(out())) << "nothing was written so far";

    EXPECT_EQ(render({"--render", dir.file("no/such/dir.png"), kObservations}), 1);
    EXPECT_EQ(messages.last().style, MB_ICONHAND);
    EXPECT_EQ(render({"--render", out(), dir.file("missing.obs")}), 1);
}

TEST_F(Render, FormatsPredictedFailuresAndRefusedSizes) {
    const std::string named = dir.file("picture.out");
    ASSERT_EQ(render({"--render", named, "--format", "svg", kObservations}), 0);
    EXPECT_EQ(readWholeFile(named).rfind("<?xml", 0), 0u);
    EXPECT_EQ(parse({"--render", "a.png", "--format", "jpg", "a.obs"}).error,
              "--format needs png, svg or pdf, not \"jpg\".");

    const std::string missing = dir.file("missing.pre");
    EXPECT_EQ(render({"--render", out(), kObservations, missing}), 1);
    EXPECT_EQ(messages.last().text, "Predicted data file doesn't exist.\n" + missing);
    EXPECT_FALSE(std::filesystem::exists(out()));

    EXPECT_EQ(render({"--render", out(), "--magnification", "1e7", kObservations}), 1);
    EXPECT_EQ(messages.last().text, "The picture of the plots would be 16000000000 by "
                                    "11130000000 pixels, too large to render. Try a smaller "
                                    "--magnification.");
}

TEST_F(Render, JudgingOptionsAndTheProfileFile) {
    const std::string csv = dir.file("line.csv");
    const CommandLine line = parse({"--export-profile", csv, "--profile", "0,350,1000,350",
                                    "--profile-predicted", "--diverging", kObservations});
    ASSERT_TRUE(line.error.empty()) << line.error;
    EXPECT_TRUE(line.isRender()) << "the profile file alone makes a batch run";
    EXPECT_TRUE(line.render.diverging);
    EXPECT_TRUE(line.render.profileWithPredicted);
    EXPECT_EQ(parse({"--export-profile", csv, kObservations}).error,
              "--export-profile needs --profile.");
    EXPECT_EQ(parse({"--render", out(), "--profile-predicted", kObservations}).error,
              "--profile-predicted needs --profile.");
    EXPECT_EQ(parse({"--diverging", kObservations}).error,
              "The view options need --render OUT.png.");

    EXPECT_EQ(renderPicture(line), 2) << "no predicted data to draw";
    ASSERT_EQ(
        render({"--export-profile", csv, "--profile", "0,350,1000,350", kObservations, kPredicted}),
        0);
    EXPECT_FALSE(std::filesystem::exists(out()));
    const std::string text = readWholeFile(csv);
    EXPECT_EQ(text.rfind("distance,easting,northing,observed,predicted\n", 0), 0u);
    EXPECT_GT(std::count(text.begin(), text.end(), '\n'), 50);
    ASSERT_EQ(render({"--render", out(), "--diverging", "--second", "normalized", kObservations,
                      kPredicted}),
              0);
    EXPECT_TRUE(std::filesystem::exists(out()));
}

TEST_F(Render, EditsAreAppliedBeforeDrawing) {
    const std::string saved = dir.file("cropped.obs");
    ASSERT_EQ(render({"--render", out(), "--second", "none", "--crop", "0,500,0,400", "--save",
                      saved, kObservations}),
              0);
    EXPECT_TRUE(std::filesystem::exists(saved));
    CTESKAdatDoc cropped;
    ASSERT_TRUE(cropped.OnOpenDocument(saved));
    EXPECT_LT(cropped.count, 615);
    EXPECT_TRUE(std::filesystem::exists(out()));
}

// The text elements of an SVG file with the page position of their anchor
// (the transform of the enclosing group applied to the element's x, y).
struct SvgText {
    QPointF at;
    QTransform transform;
};

std::multimap<QString, SvgText> svgTexts(const QString& path, int& images) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    std::multimap<QString, SvgText> texts;
    QTransform group;
    images = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == u"g" && a.hasAttribute("transform")) {
            QString m = a.value("transform").toString();
            m = m.mid(m.indexOf('(') + 1).chopped(1);
            const QStringList v = m.split(',');
            group = QTransform(v[0].toDouble(), v[1].toDouble(), v[2].toDouble(), v[3].toDouble(),
                               v[4].toDouble(), v[5].toDouble());
        } else if (xml.name() == u"text") {
            const QPointF local(a.value("x").toDouble(), a.value("y").toDouble());
            const QString text = xml.readElementText();
            texts.insert({text, {group.map(local), group}});
        } else if (xml.name() == u"image") {
            ++images;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return texts;
}

QString runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString() << " did not run";
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// At magnification 0.3 plot unit p lands on pixel (p + 200) * 0.3: the main
// title's baseline at y = -110 is pixel 27, the summary's (-60) pixel 42; the
// colour bar's labels start at x = 1000 + 220 (pixel 426), the top one on the
// plot's top edge (pixel 60), the bottom one on its bottom edge (713, pixel 274).
TEST_F(Render, SvgHoldsRealTextWhereThePngHasIt) {
    const std::string svg = dir.file("out.svg");
    ASSERT_EQ(render({"--render", svg, kObservations, kPredicted}), 0);
    int images = 0;
    const auto texts = svgTexts(QString::fromStdString(svg), images);
    EXPECT_EQ(images, 1) << "the fills are one image";

    ASSERT_EQ(texts.count("Observed Magnetic Data"), 1u);
    EXPECT_EQ(texts.find("Observed Magnetic Data")->second.at.y(), 27);
    ASSERT_EQ(texts.count("615 data,   I = 65,  D = 25"), 1u);
    EXPECT_EQ(texts.find("615 data,   I = 65,  D = 25")->second.at.y(), 42);
    EXPECT_EQ(texts.count("Predicted Data"), 1u);
    EXPECT_EQ(texts.count("Easting (m)"), 2u);
    ASSERT_EQ(texts.count("Northing (m)"), 2u);
    const QTransform vertical = texts.find("Northing (m)")->second.transform;
    EXPECT_EQ(vertical.m12(), -1) << "reads bottom to top";
    EXPECT_EQ(QPointF(vertical.dx(), vertical.dy()), QPointF(9, 167));
    ASSERT_EQ(texts.count("445.7"), 2u) << "the top label of both colour bars";
    EXPECT_EQ(texts.find("445.7")->second.at, QPointF(426, 60));
    ASSERT_EQ(texts.count("-64.04"), 2u);
    EXPECT_EQ(texts.find("-64.04")->second.at, QPointF(426, 274));
    EXPECT_EQ(texts.count("500"), 2u) << "a tick label of each easting axis";
}

TEST_F(Render, PdfHasSelectableTextOnAPageOfThePictureSize) {
    const std::string pdf = dir.file("out.pdf");
    ASSERT_EQ(
        render({"--render", pdf, "--profile", "100,100,900,600", "--level", "-100", kObservations}),
        0);
    const QString path = QString::fromStdString(pdf);
    EXPECT_TRUE(
        runTool("pdfinfo", {path}).contains(QRegularExpression("Page size: +480 x 626 pts")));
    const QString text = runTool("pdftotext", {path, "-"});
    for (const char* expected : {"Observed Magnetic Data", "615 data,", "Northing (m)",
                                 "Easting (m)", "445.7", "-64.04", "216m", "4.33e+02"})
        EXPECT_TRUE(text.contains(expected)) << expected << " in\n" << text.toStdString();
}

} // namespace
