// --render for print: the figure options, the page size in print units, the
// resolution of the fills and of a PNG.

#include "MessageCapture.h"
#include "TempFiles.h"
#include "app/BatchRender.h"
#include "app/CommandLine.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

const std::string kSamples = std::string(TESKADAT_SOURCE_DIR) + "/samples/";
const std::string kObservations = kSamples + "magnetic.obs";

QString runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString() << " did not run";
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(FigureOptions, AreTakenAndRefusedWithTheirForm) {
    const CommandLine line =
        parseCommandLine({"--render", "f.pdf",      "--title",     "Survey A",  "--no-title",
                          "--xlabel", "E",          "--ylabel",    "N",         "--profile-step",
                          "12.5",     "--width-cm", "8.5",         "--font-pt", "8",
                          "--dpi",    "600",        "--colourmap", "cividis",   "a.obs"});
    ASSERT_TRUE(line.error.empty()) << line.error;
    const FigureOptions& f = line.render.figure;
    EXPECT_EQ(f.title, "Survey A");
    EXPECT_TRUE(f.noTitle);
    EXPECT_EQ(f.xLabel, "E");
    EXPECT_EQ(f.yLabel, "N");
    EXPECT_EQ(f.profileStep, 12.5);
    EXPECT_DOUBLE_EQ(*f.widthInches, 8.5 / 2.54);
    EXPECT_EQ(f.fontPoints, 8);
    EXPECT_EQ(f.dpi, 600);
    EXPECT_EQ(line.render.colourMap, 10);

    EXPECT_EQ(parseCommandLine({"--render", "f.pdf", "--width-cm", "0", "a.obs"}).error,
              "--width-cm needs a width in centimetres up to 254, not \"0\".");
    EXPECT_EQ(parseCommandLine({"--render", "f.pdf", "--width-cm", "8", "--width-in", "3", "a.obs"})
                  .error,
              "Give the figure's width once, with --width-cm or --width-in.");
    EXPECT_EQ(parseCommandLine({"--render", "f.pdf", "--colourmap", "magma", "a.obs"}).error,
              "--colourmap needs a colour map number from 0 to 8, not \"magma\".");
    EXPECT_EQ(parseCommandLine({"--title", "T", "a.obs"}).error,
              "The view options need --render OUT.png.");
}

class FigureRender : public testing::Test {
protected:
    MessageCapture messages;
    TempDir dir;

    int render(std::vector<std::string> arguments) {
        const CommandLine line = parseCommandLine(arguments);
        EXPECT_TRUE(line.error.empty()) << line.error;
        return renderPicture(line);
    }
};

TEST_F(FigureRender, PdfPageInCentimetresWithFillsAtPrintResolution) {
    const std::string pdf = dir.file("figure.pdf");
    ASSERT_EQ(render({"--render", pdf, "--round-ticks", "--method", "gradient", "--width-cm", "8.5",
                      "--title", "Survey <A>", "--xlabel", "East (m)", kObservations}),
              0);
    const QString path = QString::fromStdString(pdf);
    const QRegularExpressionMatch page =
        QRegularExpression("Page size: +([0-9.]+) x").match(runTool("pdfinfo", {path}));
    ASSERT_TRUE(page.hasMatch());
    EXPECT_NEAR(page.captured(1).toDouble(), 241, 1) << "8.5 cm";
    const QString text = runTool("pdftotext", {path, "-"});
    for (const char* expected : {"Survey <A>", "East (m)", "Observed (nT)"})
        EXPECT_TRUE(text.contains(expected)) << expected;

    const QString list = runTool("pdfimages", {"-list", path});
    const QRegularExpressionMatch ppi =
        QRegularExpression("image +\\d+ +\\d+ .* (\\d+) +(\\d+) +[0-9.]+[KMB]").match(list);
    ASSERT_TRUE(ppi.hasMatch()) << list.toStdString();
    EXPECT_GE(ppi.captured(1).toInt(), 290);
    runTool("pdfimages", {"-png", path, QString::fromStdString(dir.file("fill"))});
    const QImage fill(QString::fromStdString(dir.file("fill-000.png")));
    ASSERT_FALSE(fill.isNull());
    // Not an image repeated in blocks: some 4 x 4 block holds two colours.
    bool varied = false;
    for (int y = 0; y + 4 <= fill.height() && !varied; y += 4)
        for (int x = 0; x + 4 <= fill.width() && !varied; x += 4)
            for (int i = 1; i < 16 && !varied; ++i)
                varied = fill.pixel(x + i % 4, y + i / 4) != fill.pixel(x, y);
    EXPECT_TRUE(varied);

    const std::string plain = dir.file("plain.pdf");
    ASSERT_EQ(render({"--render", plain, "--no-title", kObservations}), 0);
    EXPECT_FALSE(runTool("pdftotext", {QString::fromStdString(plain), "-"})
                     .contains("Observed Magnetic Data"));
}

TEST_F(FigureRender, PngAtTheResolutionOfItsWidthDeclaresIt) {
    const std::string png = dir.file("figure.png");
    ASSERT_EQ(render({"--render", png, "--width-in", "2", "--dpi", "150", kObservations}), 0);
    const QImage image(QString::fromStdString(png));
    EXPECT_EQ(image.width(), 300);
    EXPECT_NEAR(image.dotsPerMeterX(), 150 / 0.0254, 1);
}

int blackPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == qRgb(0, 0, 0);
    return count;
}

// Survey lines 200 m apart with a station every 25 m, 10 km square.
std::string writeSurveyLines(TempDir& dir) {
    const std::string path = dir.file("lines.obs");
    FILE* file = std::fopen(path.c_str(), "w");
    std::fprintf(file, "65 25  50000\n65 25  1\n%d\n", 51 * 401);
    for (int line = 0; line < 51; ++line)
        for (int station = 0; station < 401; ++station)
            std::fprintf(file, "%d %d 0  %g 1\n", 25 * station, 200 * line,
                         std::sin(station / 40.0) * 100);
    std::fclose(file);
    return path;
}

TEST_F(FigureRender, SmallMarksKeepCrowdedStationsApart) {
    const std::string lines = writeSurveyLines(dir);
    const auto marks = [&](const std::string& name, std::vector<std::string> extra) {
        const std::string png = dir.file(name);
        std::vector<std::string> arguments = {"--render", png, "--width-cm", "8.5"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        arguments.push_back(lines);
        EXPECT_EQ(render(arguments), 0);
        return QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
    };
    const QImage plain = marks("plain.png", {});
    EXPECT_EQ(marks("normal.png", {"--marks", "normal"}), plain);
    const QImage none = marks("none.png", {"--marks", "none"});
    EXPECT_EQ(marks("hidden.png", {"--no-locations"}), none);
    // Stations 1.6 pixels apart along the lines; small marks 1 pt (4 pixels).
    const int normal = blackPixels(plain) - blackPixels(none);
    const int small = blackPixels(marks("small.png", {"--marks", "small"})) - blackPixels(none);
    EXPECT_GT(small, normal / 4);
    EXPECT_LT(small, normal / 2);
    EXPECT_EQ(parseCommandLine({"--render", "f.png", "--marks", "tiny", "a.obs"}).error,
              "--marks needs none, small or normal, not \"tiny\".");
}

TEST_F(FigureRender, PanelsSideBySideShareTheWidthAndTheObservedRange) {
    const std::string pdf = dir.file("panels.pdf");
    ASSERT_EQ(render({"--render", pdf, "--panels", "observed,predicted,difference", "--width-cm",
                      "24", "--font-pt", "6", kObservations, kSamples + "magnetic.pre"}),
              0);
    const QString path = QString::fromStdString(pdf);
    EXPECT_TRUE(runTool("pdfinfo", {path}).contains(QRegularExpression("Page size: +680 x")));
    const QString text = runTool("pdftotext", {"-raw", path, "-"});
    // ("Difference" comes out of pdftotext with an ff ligature.)
    for (const char* expected : {"(a) Observed", "(b) Predicted", "(c) Di"})
        EXPECT_TRUE(text.contains(expected)) << expected;
    EXPECT_EQ(text.count("445.7"), 1) << "observed and predicted share one colour bar";

    // With round ticks the shared bar has one title of its own; the other
    // maps keep theirs.
    const std::string svg = dir.file("panels.svg");
    ASSERT_EQ(render({"--render", svg, "--panels", "predicted,difference,observed", "--round-ticks",
                      kObservations, kSamples + "magnetic.pre"}),
              0);
    QFile file(QString::fromStdString(svg));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString vectors = QString::fromUtf8(file.readAll());
    EXPECT_EQ(vectors.count("Data (nT)"), 1);
    EXPECT_EQ(vectors.count("Difference (nT)"), 1);
    EXPECT_FALSE(vectors.contains("Predicted (nT)"));

    EXPECT_EQ(parseCommandLine({"--render", pdf, "--panels", "observed,profile", "a.obs"}).error,
              "--panels needs 1 to 4 of observed, predicted, difference, normalized, errors and "
              "elevation, not \"observed,profile\".");
    EXPECT_EQ(
        parseCommandLine({"--render", pdf, "--panels", "observed", "--second", "errors", "a.obs"})
            .error,
        "--panels lays out the maps side by side; leave out --second and --profile.");
}

} // namespace
