#include "geo/CoordinateSystem.h"

#include <proj.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace geo {
namespace {

// One PROJ context per call: the calls stay independent of each other and
// of any thread, and PROJ's own messages stay off the terminal.
struct Context {
    PJ_CONTEXT* ctx = proj_context_create();
    Context() { proj_log_level(ctx, PJ_LOG_NONE); }
    ~Context() { proj_context_destroy(ctx); }
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;
    std::string lastError() const {
        return proj_context_errno_string(ctx, proj_context_errno(ctx));
    }
};

struct PjDeleter {
    void operator()(PJ* pj) const { proj_destroy(pj); }
};
using Pj = std::unique_ptr<PJ, PjDeleter>;

bool isCrs(const PJ* pj) {
    switch (proj_get_type(pj)) {
    case PJ_TYPE_GEOGRAPHIC_2D_CRS:
    case PJ_TYPE_GEOGRAPHIC_3D_CRS:
    case PJ_TYPE_PROJECTED_CRS:
    case PJ_TYPE_COMPOUND_CRS:
    case PJ_TYPE_BOUND_CRS:
    case PJ_TYPE_GEOCENTRIC_CRS:
    case PJ_TYPE_OTHER_CRS:
    case PJ_TYPE_ENGINEERING_CRS:
        return true;
    default:
        return false;
    }
}

bool isGeographic(const PJ* pj) {
    const PJ_TYPE type = proj_get_type(pj);
    return type == PJ_TYPE_GEOGRAPHIC_2D_CRS || type == PJ_TYPE_GEOGRAPHIC_3D_CRS;
}

// The operation between two systems with easting/longitude first.
Pj operationBetween(Context& context, const std::string& from, const std::string& to) {
    Pj raw(proj_create_crs_to_crs(context.ctx, from.c_str(), to.c_str(), nullptr));
    if (!raw)
        return nullptr;
    return Pj(proj_normalize_for_visualization(context.ctx, raw.get()));
}

// Indices of at most about `limit` points spread evenly over the set, and
// of those at the extremes of x and y.
std::vector<size_t> samplePoints(const double* x, const double* y, size_t count, size_t limit) {
    std::vector<size_t> chosen;
    const size_t step = std::max<size_t>(1, count / limit);
    for (size_t i = 0; i < count; i += step)
        chosen.push_back(i);
    if (count > 0) {
        chosen.push_back(static_cast<size_t>(std::min_element(x, x + count) - x));
        chosen.push_back(static_cast<size_t>(std::max_element(x, x + count) - x));
        chosen.push_back(static_cast<size_t>(std::min_element(y, y + count) - y));
        chosen.push_back(static_cast<size_t>(std::max_element(y, y + count) - y));
    }
    return chosen;
}

// Each point costs PROJ some milliseconds; the extremes of x and y, always
// included, carry the extreme factors of the usual projections.
constexpr size_t kScaleFactorSamples = 50;

} // namespace

CrsDescription describeCrs(const std::string& definition) {
    CrsDescription description;
    Context context;
    Pj crs(proj_create(context.ctx, definition.c_str()));
    if (!crs || !isCrs(crs.get())) {
        description.error = crs ? "not a coordinate system" : context.lastError();
        return description;
    }
    description.valid = true;
    description.geographic = isGeographic(crs.get());
    if (const char* name = proj_get_name(crs.get()))
        description.name = name;
    return description;
}

std::string utmCrsFor(double longitude, double latitude) {
    const double wrapped = longitude - 360.0 * std::floor((longitude + 180.0) / 360.0);
    const double zoneIndex = std::clamp(std::floor((wrapped + 180.0) / 6.0), 0.0, 59.0);
    const int zone = static_cast<int>(zoneIndex) + 1;
    return "EPSG:" + std::to_string((latitude < 0 ? 32700 : 32600) + zone);
}

std::string transformPoints(const std::string& from, const std::string& to, double* x, double* y,
                            size_t count) {
    Context context;
    const Pj operation = operationBetween(context, from, to);
    if (!operation)
        return "no transformation from " + from + " to " + to + " (" + context.lastError() + ")";
    proj_trans_generic(operation.get(), PJ_FWD, x, sizeof(double), count, y, sizeof(double), count,
                       nullptr, 0, 0, nullptr, 0, 0);
    for (size_t i = 0; i < count; ++i)
        if (!std::isfinite(x[i]) || !std::isfinite(y[i]))
            return "point " + std::to_string(i + 1) + " has no place in " + to;
    return {};
}

bool scaleFactorRange(const std::string& crs, const double* x, const double* y, size_t count,
                      double& least, double& largest) {
    Context context;
    Pj projected(proj_create(context.ctx, crs.c_str()));
    if (!projected || proj_get_type(projected.get()) != PJ_TYPE_PROJECTED_CRS)
        return false;
    Pj geographic(proj_crs_get_geodetic_crs(context.ctx, projected.get()));
    if (!geographic)
        return false;
    Pj raw(proj_create_crs_to_crs_from_pj(context.ctx, projected.get(), geographic.get(), nullptr,
                                          nullptr));
    if (!raw)
        return false;
    const Pj inverse(proj_normalize_for_visualization(context.ctx, raw.get()));
    if (!inverse)
        return false;
    least = HUGE_VAL;
    largest = -HUGE_VAL;
    for (size_t i : samplePoints(x, y, count, kScaleFactorSamples)) {
        const PJ_COORD lonLat = proj_trans(inverse.get(), PJ_FWD, proj_coord(x[i], y[i], 0, 0));
        const PJ_COORD radians =
            proj_coord(proj_torad(lonLat.lp.lam), proj_torad(lonLat.lp.phi), 0, 0);
        const PJ_FACTORS factors = proj_factors(projected.get(), radians);
        if (proj_errno(projected.get()) != 0 || !std::isfinite(factors.meridional_scale)) {
            proj_errno_reset(projected.get());
            continue;
        }
        least = std::min({least, factors.meridional_scale, factors.parallel_scale});
        largest = std::max({largest, factors.meridional_scale, factors.parallel_scale});
    }
    return least <= largest;
}

} // namespace geo
