#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "analysis/comparison_record.h"
#include "fit/band_fit.h"
#include "input/measured_spectrum.h"
#include "input/measured_transform.h"
#include "model/document_section.h"
#include "model/line_shapes.h"
#include "output/point_index.h"

namespace trazel::analysis {

// What a user expects to find again with a document beside its peak table:
// the measured spectrum and how its data are taken, the fit settings, the
// last fit applied with its baseline, and the plot's axis titles. Plain
// values, so that a document can copy them into an undo step, and write and
// read them, field by field.

// How the points as read become the data the fit uses and the figure draws:
// the change of x and of y (with the change of sign) first, as
// input::ApplyTransform makes it, then the factor.
struct MeasuredTransform {
    input::XChange x = input::XChange::None;
    input::YChange y = input::YChange::None;
    // The laser line of a Raman shift, in nm.
    double laserNm = 0.0;
    bool negate = false;
    double yFactor = 1.0;
    // The baseline by asymmetric least squares subtracted last, after the
    // factor; none when not chosen.
    std::optional<input::AlsOptions> als = std::nullopt;

    // A value of the changed data as the user sees it: the one place the
    // factor is applied, so that the fit, the figure and the band search
    // never disagree on the heights of the same points.
    double Y(double value) const { return value * yFactor; }
    // The changes the factor does not take part in, which move, leave out or
    // change points. The baseline is subtracted here, before the factor: the
    // baseline of the data times a factor f is f times the baseline of the
    // data (times 1 − p for p, when f is negative, since the bands then
    // point the other way), so the data after the factor are f times those
    // after this change, as when the baseline of the multiplied data is
    // subtracted from them.
    input::SpectrumTransform Change() const;
    // The whole transform, factor included, as the command line and the
    // options name it.
    input::SpectrumTransform Whole() const { return {x, y, laserNm, negate, yFactor, als}; }
    bool operator==(const MeasuredTransform&) const = default;
};

// The analysis's transform for a whole input::SpectrumTransform.
MeasuredTransform MeasuredTransformOf(const input::SpectrumTransform& whole);

// A measured spectrum as the document holds it. The points are never
// changed once read, and are shared by every copy of the analysis (each undo
// step holds one), so that a million points are stored once.
struct MeasuredData {
    std::shared_ptr<const input::MeasuredSpectrum> points;
    // The file as the user named it (bytes, as the file system has them),
    // the columns it was read from, and its file name for the legend.
    std::string sourcePath;
    input::MeasuredOptions columns;
    std::string sourceName;
    MeasuredTransform transform;
    // The points as transform's change gives them, worked out once when the
    // points or the change are set (Retransform), so that the figure and the
    // fit use the same data and an undo step only shares them. None while
    // the change leaves every point as read.
    std::shared_ptr<const input::TransformedSpectrum> changed;
    // What the plot learns of X() and Y() by reading them all, learnt with
    // them (Retransform), so that a wheel notch need not read a million
    // points again.
    std::shared_ptr<const output::PointIndex> index;

    // The data before the factor: the changed points, or those read.
    std::span<const double> X() const { return changed ? changed->x : points->x; }
    std::span<const double> Y() const { return changed ? changed->y : points->y; }
    // The ordinate of point i as the fit, the figure and the band search use
    // it: the value read, through the change of units and of sign, less the
    // subtracted baseline, times the factor.
    double UsedY(std::size_t i) const { return transform.Y(Y()[i]); }
    // The units of the data, after the change.
    const model::SpectrumHeader& Header() const {
        return changed ? changed->header : points->header;
    }
    // How many points the change leaves out.
    std::size_t LeftOut() const { return changed ? changed->LeftOut() : 0; }
    // The baseline subtracted from Y() (before the factor), one value per
    // point; empty without one.
    std::span<const double> SubtractedBaseline() const {
        return changed ? std::span<const double>(changed->baseline) : std::span<const double>();
    }
};

// Works out measured.changed for its points and transform.
void Retransform(MeasuredData& measured);

// The points a fit or a comparison works on: x as the data give them, y
// with the factor; not-a-number where the change gave no value (the fit
// leaves those out), beyond a double where the factor alone takes them (so
// that the fit can say the factor made them too large).
void PointsToFit(const MeasuredData& measured, std::vector<double>& x, std::vector<double>& y);

// A measured spectrum read from path with options, under the name its file has.
MeasuredData MeasuredFrom(input::MeasuredSpectrum points, const std::string& path,
                          const input::MeasuredOptions& options = {});

// How the next fit is posed, as the dialog and trazel-cli fit let the user
// choose it.
struct FitSettings {
    // A limit not set is the data's own (FitRangeFor).
    std::optional<double> xMin;
    std::optional<double> xMax;
    // The table indices of the bands that keep their values; every other
    // band varies in the values that values lets vary.
    std::vector<int> heldBands;
    fit::Freedom values;
    fit::Baseline baseline = fit::Baseline::None;
    // Intensities may end below 0 ("Permitir intensidades negativas").
    bool allowNegative = false;
    // None: the fit's own limit (fit::FitProblem::maxIterations).
    std::optional<int> maxIterations;
    // The shape every band that takes part in the fit is given for it (and
    // keeps in the fitted table); none: each band keeps its own. Chosen for
    // one fit, so documents do not keep it among the settings.
    std::optional<model::BandShape> shape;

    bool operator==(const FitSettings& other) const;
};

// The x range a fit runs over: each limit the settings do not give is the
// lowest or highest finite x of the points. Limits given the wrong way round
// stay so, for the fit to refuse.
std::pair<double, double> FitRangeFor(const FitSettings& settings, std::span<const double> x);

// The settings a fit starts from in a window showing lo..hi (either order):
// a range the settings keep from the last fit stays; without one, the range
// shown, when it is one. What is still not set is the data's (FitRangeFor).
FitSettings FitSettingsInView(FitSettings settings, double lo, double hi);

// A baseline under the bands as a polynomial in x: coefficients[i] is the
// factor of x^i. None (empty) is zero everywhere. (A fit reports its own
// about the centre of its range; this form is what documents keep.)
struct BaselineCurve {
    std::vector<double> coefficients;

    double At(double x) const;
};

// The baseline a fit result carries, or none when it was fitted without one.
std::optional<BaselineCurve> BaselineOf(const fit::FitResult& result, fit::Baseline kind);

// The last fit applied: how it was posed, over which range, with which line
// shape, and what came out (values, errors, statistics).
struct FitRecord {
    FitSettings settings;
    double xMin = 0.0;
    double xMax = 0.0;
    std::int32_t lineShape = model::Gaussian;
    bool useScaled = false;
    fit::FitResult result;
};

// A range of x fitted by itself: the settings it is fitted with (its range
// always set, its baseline, the bands held) and the last fit applied over it.
// A document keeps several, side by side, none overlapping another (they may
// share an end).
struct FitRegion {
    FitSettings settings;
    std::optional<FitRecord> fit;

    double XMin() const { return settings.xMin.value_or(0.0); }
    double XMax() const { return settings.xMax.value_or(0.0); }
};

// The region a fit makes: its settings with the range it ran over.
FitRegion RegionOf(FitRecord fit);

// The regions (indices, ascending) that lo..hi overlaps by more than an end.
std::vector<std::size_t> RegionsOverlapping(const std::vector<FitRegion>& regions, double lo,
                                            double hi);

// The region (index) a band of table takes part in: the first, in x order,
// that holds its centre (a band on the end two regions share is the lower
// one's); none when no region holds it.
std::optional<std::size_t> RegionOfBand(const std::vector<FitRegion>& regions,
                                        const model::PeakTable& table, int index, bool useScaled);

// Why lo..hi cannot be fitted as a region: it overlaps a region other than
// refitted (the one fitted again, whose range it may change). Without
// refitted, a range over one region alone refits that one. The message, in
// Spanish, names each region (numbered from 1) it overlaps; none when it can.
std::optional<std::string> RangeProblem(const std::vector<FitRegion>& regions, double lo, double hi,
                                        std::optional<std::size_t> refitted = std::nullopt);

// The fits the regions keep, in x order.
std::vector<const FitRecord*> RegionFits(const std::vector<FitRegion>& regions);

// Whether the band at index of the fit's table has its centre (its position,
// or the scaled one when the fit used those) within the range fitted. One
// that has not is held, and the fit's report leaves it out.
bool CentredInFit(const FitRecord& fit, int index);

// The bands of the range fitted that a fit left without signal: a free
// height that ended on its bound, within two standard errors of zero, or at
// most a thousandth of the tallest band's. Table numbers, ascending.
std::vector<int> BandsWithoutSignal(const FitRecord& fit);
bool CentredIn(const model::PeakTable& table, int index, bool useScaled, double xMin, double xMax);

struct AxisTitles {
    std::string x = "x";
    std::string y = "y";
    bool operator==(const AxisTitles&) const = default;
};

// How the bands of a measured spectrum are looked for. A value left unset is
// worked out from the data; a search tells the values it took.
struct PeakSearchSettings {
    // Savitzky-Golay smoothing: the window in points (odd) and the order of
    // the polynomial fitted in it.
    std::optional<int> window{};
    int order = 2;
    // The least prominence a maximum needs, as a share of the range of the
    // smoothed data in the x range searched.
    double minProminence = 0.05;
    // The least distance in x between two bands; the weaker one goes.
    std::optional<double> minDistance{};
    // Bands that show only as a shoulder of a stronger one.
    bool shoulders = false;
    // The most bands reported, the strongest ones.
    int maxBands = 99;
    bool operator==(const PeakSearchSettings&) const = default;
};

// The plot window's view of a document, kept with it so that the document
// opens as the user left it: the limits shown, y spanning the curves or
// limits of its own, and the direction of x.
struct PlotView {
    double xMin = 0.0;
    double xMax = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;
    bool yAutomatic = false;
    bool reversedX = false;
    bool operator==(const PlotView&) const = default;
};

struct Analysis {
    std::optional<MeasuredData> measured;
    FitSettings fitSettings;
    // The fit regions in x order, each with its last fit and baseline; they
    // belong to the measured points they were fitted to, and go with them.
    std::vector<FitRegion> regions;
    // None: the titles the plot window last used.
    std::optional<AxisTitles> axisTitles;
    // The options the bands last found in the measured spectrum were
    // looked for with; none until a search put its bands in the table.
    std::optional<PeakSearchSettings> peakSearch;
    // The plot window's view as last shown; none until the window showed a
    // measured spectrum.
    std::optional<PlotView> plotView;
    // The last comparison of the band list as computed with the measured
    // spectrum, applied or not; none until one was made.
    std::optional<ComparisonRecord> comparison;
    // Records of the document file that a later version wrote and this one
    // does not know, written back as they were.
    std::vector<model::SectionRecord> keptRecords;
};

// Lets go of every region's fit, which belongs to the points it was fitted
// to; the ranges and their settings stay for fitting new points.
void DropFits(Analysis& analysis);

// The baseline of the data at x: the one of the region holding x (the first,
// as a band's), none outside every fitted region with a baseline.
std::optional<double> BaselineAt(const Analysis& analysis, double x);

// Keeps what names bands by their table index on its bands after an
// operation removed some of them (renumbered[k] is the new index of the band
// that was at k, 0 for one gone): the held bands of the next fit and of each
// region, and each region's fit, whose table holds the bands as fitted, in
// the table's order, so that it loses the same bands. A fit left without
// bands goes; its region stays. Whether anything changed.
bool RenumberBands(Analysis& analysis, const std::vector<int>& renumbered);

// The axis titles a plot of analysis shows: those the user typed for this
// document; without them, each axis by the units of the measured data as
// transformed (so that converting to absorbance renames y), and fallback
// for an axis whose units no file named.
AxisTitles ShownAxisTitles(const Analysis& analysis, const AxisTitles& fallback);

// Whether x is drawn decreasing to the right: as the document's view keeps
// it, else as the measured data's kind is drawn by convention (infrared
// spectra in wavenumbers), else increasing.
bool XDrawnDecreasing(const Analysis& analysis);

}  // namespace trazel::analysis
