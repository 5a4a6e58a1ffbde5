// Round tick values on the drawn plots: round labels without exponent that
// neither overprint each other nor leave the canvas.

#include "PaintFixture.h"
#include "platform/VectorLayer.h"

#include <QTransform>
#include <regex>
#include <string>

namespace {

// A tick label is a number without exponent; no label is a NaN or infinity.
bool plainNumberOrWords(const std::string& text) {
    if (text.find(' ') != std::string::npos || text.rfind("×10", 0) == 0)
        return true; // a title, an axis label or the colour bar's factor
    if (text.find("nan") != std::string::npos || text.find("inf") != std::string::npos)
        return false;
    static const std::regex number("-?[0-9]+(\\.[0-9]+)?");
    return text.find_first_of("0123456789") == std::string::npos || std::regex_match(text, number);
}

class RoundTickAxes : public PaintFixture {
protected:
    // A 5 by 5 grid of stations over the region, values rising to the north-east.
    void loadGrid(double x0, double y0, double width, double height) {
        std::vector<double> x, y, data;
        for (int i = 0; i < 5; ++i)
            for (int j = 0; j < 5; ++j) {
                x.push_back(x0 + width * i / 4);
                y.push_back(y0 + height * j / 4);
                data.push_back(37.3 * i + 11.1 * j - 20);
            }
        load(x, y, data);
        view.roundTicks = true;
    }

    struct PlacedText {
        std::string text;
        QRectF box; // canvas pixels
    };
    std::vector<PlacedText> drawnTexts() {
        VectorLayer layer;
        view.renderCanvas(&layer);
        std::vector<PlacedText> texts;
        for (const VectorLayer::Item& item : layer.items())
            if (const auto* text = std::get_if<VectorLayer::Text>(&item)) {
                QTransform placement;
                placement.translate(text->origin.x(), text->origin.y());
                placement.rotate(text->angle);
                texts.push_back({text->text.toStdString(), placement.mapRect(text->box)});
            }
        return texts;
    }

    void expectLabelsFit() {
        const QRectF canvas(0, 0, view.canvasWidth, view.canvasHeight);
        const std::vector<PlacedText> texts = drawnTexts();
        for (size_t i = 0; i < texts.size(); ++i) {
            SCOPED_TRACE(texts[i].text);
            EXPECT_TRUE(canvas.contains(texts[i].box));
            EXPECT_TRUE(plainNumberOrWords(texts[i].text));
            for (size_t j = 0; j < i; ++j)
                EXPECT_FALSE(texts[i].box.intersects(texts[j].box))
                    << "overprints " << texts[j].text;
        }
    }
    bool drawn(const std::string& text) {
        for (const PlacedText& placed : drawnTexts())
            if (placed.text == text)
                return true;
        return false;
    }
};

TEST_F(RoundTickAxes, LabelsFitFromMillimetresToUtmRegions) {
    const struct {
        double x0, y0, width, height;
    } regions[] = {
        {0, 0, 1000, 700},           {-0.0052, 3, 0.0123, 0.01}, {512000, 7512000, 1000, 700},
        {512000, 7512000, 500, 100}, {0, 7512000, 300, 4000},    {-3e6, 0, 1e7, 8e6}};
    for (const auto& r : regions) {
        SCOPED_TRACE(testing::Message()
                     << r.x0 << ", " << r.y0 << " + " << r.width << " x " << r.height);
        loadGrid(r.x0, r.y0, r.width, r.height);
        view.xAxisLabel = "Easting (m)";
        view.yAxisLabel = "Northing (m)";
        expectLabelsFit();
    }
    loadGrid(512000, 7512000, 1000, 700);
    EXPECT_TRUE(drawn("512200"));
    EXPECT_TRUE(drawn("7512400"));
    EXPECT_TRUE(drawn("100")) << "a round colour-bar value";

    for (const auto& [min, max] : {std::pair{-1.5e8, 2e8}, {-1.5e-7, 2e-7}}) {
        SCOPED_TRACE(testing::Message() << "colours " << min << " .. " << max);
        view.mainMin = min;
        view.mainMax = max;
        expectLabelsFit();
    }
    EXPECT_TRUE(drawn("×10⁻³")) << "long values are printed in units of a power of ten";
}

TEST_F(RoundTickAxes, NormalizedDifferenceWithoutErrorsShowsANote) {
    loadGrid(0, 0, 1000, 700);
    doc.predicted = doc.data;
    doc.predicted[3] += 1;
    doc.error.assign(doc.error.size(), 0.0);
    doc.hasPredicted = true;
    view.showSecondKind(PlotKind::NormalizedDifference);
    EXPECT_TRUE(drawn("errors missing (all 0)"));
    expectLabelsFit();
}

} // namespace
