#include "document/analysis/GaussianFit.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_matrix.h>
#include <gsl/gsl_multifit_nlinear.h>
#include <gsl/gsl_vector.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>
#include <vector>

namespace velor {
namespace {

constexpr int kParameters = 3;  // A, θ0, w
constexpr size_t kMinSamples = 5;
// Convergence: steps below this relative size, or a gradient this small. With thousands of
// samples the cost's curvature is large, so a gradient of 1e-6 leaves the parameters within
// about 1e-9 of their optimum.
constexpr double kStepTolerance = 1e-8;
constexpr double kGradientTolerance = 1e-6;
// Below this variance per sample (of values as fractions of the peak) the samples are flat.
constexpr double kFlatTolerance = 1e-10;
// exp(−2): the 1/e² level the starting width is read at.
constexpr double kOneOverESquared = 0.1353352832366127;

// The fitted samples, scaled so that every parameter starts near 1 or 0: angles about the
// peak in units of the starting half-width, values as fractions of the peak. The solver asks
// for the Jacobian where it has just taken the residuals: the exponentials are kept for it.
struct Samples {
    std::vector<double> t;
    std::vector<double> y;
    std::vector<double> e;  // exp(−2(t − c)²/w²) at (c, w) below
    double c = 0.0;
    double w = 0.0;
    bool kept = false;

    const std::vector<double>& Exponentials(double centre, double width) {
        if (kept && centre == c && width == w) return e;
        e.resize(t.size());
        const double k = -2.0 / (width * width);
        for (size_t i = 0; i < t.size(); ++i) e[i] = std::exp(k * (t[i] - centre) * (t[i] - centre));
        c = centre;
        w = width;
        kept = true;
        return e;
    }
};

int Residuals(const gsl_vector* x, void* data, gsl_vector* f) {
    auto& s = *static_cast<Samples*>(data);
    const double a = gsl_vector_get(x, 0);
    const std::vector<double>& e = s.Exponentials(gsl_vector_get(x, 1), gsl_vector_get(x, 2));
    for (size_t i = 0; i < s.t.size(); ++i) f->data[i * f->stride] = a * e[i] - s.y[i];
    return GSL_SUCCESS;
}

int Jacobian(const gsl_vector* x, void* data, gsl_matrix* jacobian) {
    auto& s = *static_cast<Samples*>(data);
    const double a = gsl_vector_get(x, 0);
    const double c = gsl_vector_get(x, 1);
    const double w = gsl_vector_get(x, 2);
    const std::vector<double>& e = s.Exponentials(c, w);
    // Row by row into the matrix's own storage: the checked setters cost more than the sums.
    for (size_t i = 0; i < s.t.size(); ++i) {
        const double d = s.t[i] - c;
        double* row = jacobian->data + i * jacobian->tda;
        row[0] = e[i];
        row[1] = a * e[i] * 4.0 * d / (w * w);
        row[2] = a * e[i] * 4.0 * d * d / (w * w * w);
    }
    return GSL_SUCCESS;
}

// GSL's default handler aborts the program on an error; here every error is a result.
void QuietGsl() {
    static std::once_flag once;
    std::call_once(once, [] { gsl_set_error_handler_off(); });
}

struct WorkspaceDeleter {
    void operator()(gsl_multifit_nlinear_workspace* w) const { gsl_multifit_nlinear_free(w); }
};

// Half the span of the run of samples about the peak that stay above 1/e² of it: a starting
// half-width w of the right size, at least one sample spacing.
double StartingHalfWidth(std::span<const float> y, std::span<const float> theta, int n, int peak, double b,
                         double top) {
    int left = peak;
    int right = peak;
    while (left > 0 && y[left - 1] - b >= kOneOverESquared * top) --left;
    while (right < n - 1 && y[right + 1] - b >= kOneOverESquared * top) ++right;
    const double spacing = static_cast<double>(theta[std::min(peak + 1, n - 1)]) - theta[std::max(peak - 1, 0)];
    return std::max((static_cast<double>(theta[right]) - theta[left]) / 2.0, spacing / 2.0);
}

// The fit started at centre `origin` with half-width `scale` (radians), on the samples at or
// above the floor of the peak `top` (counts above the baseline b).
GaussianFit Solve(std::span<const float> y, std::span<const float> theta, int n, double b, double top, double origin,
                  double scale) {
    GaussianFit none;
    Samples samples;
    samples.t.reserve(static_cast<size_t>(n));
    samples.y.reserve(static_cast<size_t>(n));
    double lowest = 0.0;
    double highest = 0.0;
    for (int i = 0; i < n; ++i) {
        const double v = y[i] - b;
        if (v < kFitFloor * top) continue;
        const double t = (theta[i] - origin) / scale;
        if (samples.t.empty()) lowest = t;
        highest = t;
        samples.t.push_back(t);
        samples.y.push_back(v / top);
    }
    const size_t count = samples.t.size();
    if (count < kMinSamples) return none;
    double mean = 0.0;
    for (const double v : samples.y) mean += v;
    mean /= static_cast<double>(count);
    double total = 0.0;
    for (const double v : samples.y) total += (v - mean) * (v - mean);
    // Samples all at one level (a flat top cut off sharply) fit a Gaussian of any width as
    // well as the next: there is no best one to report.
    if (!(total > kFlatTolerance * static_cast<double>(count))) return none;

    QuietGsl();
    gsl_multifit_nlinear_parameters parameters = gsl_multifit_nlinear_default_parameters();
    // Three parameters and thousands of samples: the normal equations are small and well
    // scaled (every parameter near 1), and far cheaper than a QR of the whole Jacobian; for
    // the same reason the plain Levenberg scaling serves, without column norms every step.
    parameters.solver = gsl_multifit_nlinear_solver_cholesky;
    parameters.scale = gsl_multifit_nlinear_scale_levenberg;
    const std::unique_ptr<gsl_multifit_nlinear_workspace, WorkspaceDeleter> work(
        gsl_multifit_nlinear_alloc(gsl_multifit_nlinear_trust, &parameters, count, kParameters));
    if (!work) return none;
    gsl_multifit_nlinear_fdf fdf{};
    fdf.f = Residuals;
    fdf.df = Jacobian;
    fdf.n = count;
    fdf.p = kParameters;
    fdf.params = &samples;
    double initial[kParameters] = {1.0, 0.0, 1.0};
    gsl_vector_view x0 = gsl_vector_view_array(initial, kParameters);
    if (gsl_multifit_nlinear_init(&x0.vector, &fdf, work.get()) != GSL_SUCCESS) return none;
    int info = 0;
    const int status = gsl_multifit_nlinear_driver(kMaxFitIterations, kStepTolerance, kGradientTolerance, 0.0,
                                                   nullptr, nullptr, &info, work.get());
    if (status != GSL_SUCCESS) return none;

    const gsl_vector* x = gsl_multifit_nlinear_position(work.get());
    const double a = gsl_vector_get(x, 0);
    const double c = gsl_vector_get(x, 1);
    const double w = std::fabs(gsl_vector_get(x, 2));  // the model knows only w²
    if (!std::isfinite(a) || !std::isfinite(c) || !std::isfinite(w) || !(a > 0.0) || !(w > 0.0)) return none;
    if (c < lowest || c > highest || w > highest - lowest) return none;

    const gsl_vector* f = gsl_multifit_nlinear_residual(work.get());
    double residual = 0.0;
    for (size_t i = 0; i < count; ++i) residual += gsl_vector_get(f, i) * gsl_vector_get(f, i);

    GaussianFit fit;
    fit.fitted = true;
    fit.amplitude = a * top;
    fit.centre = origin + c * scale;
    fit.width = 2.0 * w * scale;
    // A fit worse than the samples' mean (one lobe of two, say) has no quality at all.
    fit.rSquared = std::max(0.0, 1.0 - residual / total);
    fit.samples = static_cast<int>(count);
    fit.iterations = static_cast<int>(gsl_multifit_nlinear_niter(work.get()));
    return fit;
}

}  // namespace

GaussianFit FitGaussian(std::span<const float> y, std::span<const float> theta, double baseline,
                        std::optional<GaussianStart> start) {
    const int n = static_cast<int>(std::min(y.size(), theta.size()));
    if (n < static_cast<int>(kMinSamples) || !std::isfinite(baseline)) return {};
    int peak = 0;
    bool lit = false;
    for (int i = 0; i < n; ++i) {
        if (!std::isfinite(y[i]) || !std::isfinite(theta[i])) return {};
        if (i > 0 && !(theta[i] > theta[i - 1])) return {};
        lit = lit || y[i] > 0.0f;
        if (y[i] > y[peak]) peak = i;
    }
    const double top = y[peak] - baseline;
    if (!lit || !(top > 0.0)) return {};

    // Between two lobes the moments would start a Gaussian over both, which fits neither:
    // then the fit starts again at the peak.
    if (start && std::isfinite(start->centre) && std::isfinite(start->width) && start->width > 0.0) {
        const GaussianFit fit = Solve(y, theta, n, baseline, top, start->centre, start->width / 2.0);
        if (fit.fitted) return fit;
    }
    return Solve(y, theta, n, baseline, top, theta[peak], StartingHalfWidth(y, theta, n, peak, baseline, top));
}

}  // namespace velor
